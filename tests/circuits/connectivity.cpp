// Inputs with and without drivers, for the connectivity warnings:
//   - a wire nothing drives, read by three data inputs of two components;
//   - control inputs on an undriven wire and on a driven one;
//   - inputs tied to Zero, One and a constant bus of the circuit's own;
//   - a wire driven only by a tri-state driver (overloadable outputs), and
//     one listed only as the output of a module box with no evaluator.
#include "korvax.h"

static void nothing(int) {}

void simnet() {
    Signal none(0, "UnNamed");
    Signal floating(1, "floating");
    Signal enable(1, "enable");
    Signal pattern(3, 5u, "pattern");
    Signal bus(1, "bus");
    Signal boxed(1, "boxed");
    Signal driven(1, "driven");
    SecondaryEvaluatePointer noSecondary{nullptr};

    addStandardComponent(nothing, nullptr, "Gate", SD("aa"), (floating, Zero), enable, driven);
    addStandardComponent(nothing, nullptr, "Gate", SD("ab", "twice"), (floating, floating, One), driven, Signal(1, "o"));
    addStandardComponent(nothing, noSecondary, nullptr, nullptr, nullptr, nullptr, 1, 0, "Tsb", SD("ba"), driven,
                         driven, bus, 0, nullptr, 0, nullptr, 0, 0, 0);
    addStandardComponent(nullptr, noSecondary, nullptr, nullptr, nullptr, nullptr, 1, 0, "Module", SD("bb"), none,
                         none, boxed, 0, nullptr, 0, nullptr, 0, 0, 0);
    addStandardComponent(nothing, nullptr, "Reader", SD("ca.aa-ab"), (bus, boxed, pattern), enable, Signal(1, "r"));
}
