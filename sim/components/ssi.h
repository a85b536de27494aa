// The small-scale library: logic gates, the tri-state buffer, and the
// components that feed, watch, stop or shape a circuit (switches, pulsers,
// clocks, power-on pulses, stop, probes, modules, spaces).
//
// Each component is a constructor, called by circuit code while it builds
// (ssiPh1.cpp), which checks the buses and registers the component, and
// run-time functions, called by the run loop and the window with the
// component's number (ssiRT.cpp). Width errors here end the program at once
// with status 1. Outputs change with the small-scale delays 7 / 10.
//
// Every constructor's last parameter, `at`, is left to its default by
// circuit code: it records the caller's line, which width reports and the
// connectivity warnings name. Constructors that build others pass it on.
#ifndef KORVAX_SSI_H
#define KORVAX_SSI_H

#include <string>

#include "Schmtc.h"
#include "Signal.h"

// ---- Gates: data inputs `in` (all wires), output the first wire of `out`.
// `And` and `Or` with a wider `out` split `in` into equal groups, one gate
// per output wire; the three-bus forms combine in1 and in2 bit by bit (or a
// one-wire operand with every bit of the other).
void And(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
void And(const SD& sd, const Signal& in1, const Signal& in2, const Signal& out, SourcePlace at = SourcePlace());
void Or(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
void Or(const SD& sd, const Signal& in1, const Signal& in2, const Signal& out, SourcePlace at = SourcePlace());
void Nand(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
void Nor(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// One inverter per wire.
void Not(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
void Xor(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
void Xnor(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// ONE when the first two inputs carry the same value (any of the five).
void MultiLevelCompare(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// Mixed polarity: `inTrue` taken as it is, `inComplement` complemented.
void Iand(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out,
          SourcePlace at = SourcePlace());
void Inand(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out,
           SourcePlace at = SourcePlace());
void CiOr(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out,
          SourcePlace at = SourcePlace());
void CiNor(const SD& sd, const Signal& inTrue, const Signal& inComplement, const Signal& out,
           SourcePlace at = SourcePlace());
// Tri-state buffer: `out` follows `in` while `control` is ONE, else HIZ.
// Several may drive one wire; see PhaseFour::tsbSignalTransition.
void Tsb(const SD& sd, const Signal& in, const Signal& control, const Signal& out, SourcePlace at = SourcePlace());

// ---- Inputs, instruments, structure.
// One keyboard switch per wire of `out`; the top wire gets `keyChar`, the
// next keyChar + 1, and so on. Each starts at init[0]'s value and flips
// between it and its complement at every press.
void Switch(const SD& sd, const Signal& out, char keyChar, const Signal& init, const std::string& label,
            SourcePlace at = SourcePlace());
// At each press of `keyChar`, out[0] leaves init[0]'s value for `duration`.
void Pulser(const SD& sd, const Signal& out, char keyChar, int duration, const Signal& init,
            SourcePlace at = SourcePlace());
// Free-running clock on out[0]: OFF is init[0]'s value, ON its complement.
void Clock(const SD& sd, const Signal& out, int duration, int offset, int period, const Signal& init,
           SourcePlace at = SourcePlace());
// One pulse per run: out[0] settles at init[0]'s value, then complements
// `time` ticks later.
void PowerOn(const SD& sd, const Signal& out, int time, const Signal& init, SourcePlace at = SourcePlace());
// Ends the run when in[0] becomes ONE.
void Stop(const SD& sd, const Signal& in, SourcePlace at = SourcePlace());
// One probe per wire, most significant first; with partitions, groups of
// partitionSize[0], [1], … wires (the last size repeating) apart by spaces.
void Probe(const SD& sd, const Signal& in, const std::string& label, int numberOfPartitions = 0,
           const int* partitionSize = nullptr, SourcePlace at = SourcePlace());
// Probes placed side by side within the descriptor's cell.
void ProbeH(const SD& sd, const Signal& in, const std::string& label, SourcePlace at = SourcePlace());
// Eight wires in one box, as stacked or side-by-side bars.
void ProbeByte(const SD& sd, const Signal& in, const std::string& label, SourcePlace at = SourcePlace());
void ProbeByteH(const SD& sd, const Signal& in, const std::string& label, SourcePlace at = SourcePlace());
// A hierarchy box over a sub-circuit's buses; computes nothing.
void Module(const SD& sd, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
void Module(const SD& sd, const char* tag, const Signal& in, const Signal& out, SourcePlace at = SourcePlace());
// An empty place on the schematic.
void Space(const SD& sd, SourcePlace at = SourcePlace());

// ---- Run-time functions, each called with the component's number.
// (Names that are C++ keywords or C library functions end in "_".)
void and_(int c);
void or_(int c);
void nand(int c);
void nor(int c);
void not_(int c);
void xor_(int c);
void xnor(int c);
void multiLevelCompare(int c);
void iand(int c);
void inand(int c);
void cior(int c);
void cinor(int c);
void tsb(int c);
void toggleSwitch(int c);
void togglePulser(int c);
void clock_(int c);
void powerOn(int c);
void stop(int c);
void switchPane(int c);
void probe(int c);
void probebyte(int c);
void probebyteh(int c);

#endif
