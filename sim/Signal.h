// Signal values and buses: how a circuit description names its wires.
//
// A `Signal` is a bus, an ordered array of wire serial numbers (position 0 is
// the least significant bit). Constructing one from a width declares that many
// new wires in the phase-one signal list; every other operation (bit, slice,
// concatenation, replication, range) only rearranges wires that already exist.
// Circuit code and component constructors use this during the build; from
// phase two on the simulator knows a wire by its serial number alone.
#ifndef KORVAX_SIGNAL_H
#define KORVAX_SIGNAL_H

#include "SourcePlace.h"

// The five logic values. The numeric order is part of the design: gate logic
// takes AND as the minimum and OR as the maximum, and the dumps print these
// numbers, so they are fixed.
enum SignalValue : int {
    ZERO = 0,
    UNINITIALIZED = 1,
    XXX = 2,  // unknown, conflicting or in transition
    HIZ = 3,  // high impedance
    ONE = 4
};

// Writes the value's name ("ZERO", …, or "NOT A SIGNAL") to standard error,
// without a line end.
void saySignalValue(SignalValue sv);

// The name of a value as saySignalValue writes it.
const char* signalValueName(SignalValue sv);

class Signal;

// The operands of the bus operators as circuit code writes them. An operator
// cannot take a defaulted parameter, so the place of the expression travels
// with an operand instead: an int or a bus converts into one of these
// implicitly, and the conversion's own defaulted SourcePlace is filled in at
// the line of the expression. Library code that builds derived buses gets its
// own line this way; it only uses positions it has checked.

// The position in bus[position].
struct BusSubscript {
    int value;       // the position asked for
    SourcePlace at;  // the line of the subscript expression

    BusSubscript(int position, SourcePlace where = SourcePlace()) : value(position), at(where) {}
};

// The right operand of a - b and of a , b.
struct BusOperand {
    const Signal& bus;  // the bus written to the right of the operator
    SourcePlace at;     // the line of the expression

    BusOperand(const Signal& operand, SourcePlace where = SourcePlace()) : bus(operand), at(where) {}
};

// The count in count * bus.
struct Replication {
    int count;       // how many copies
    SourcePlace at;  // the line of the replication expression

    Replication(int copies, SourcePlace where = SourcePlace()) : count(copies), at(where) {}
};

class Signal {
public:
    int length;         // number of wires; 0 for an empty bus
    int* serialNumber;  // owned array of `length` wire serial numbers, or null
    int constSignal;    // 1 when made as a constant; carried into derived buses
    char* nameTag;      // owned copy of the bus's name
    SourcePlace madeAt; // the line of circuit code that declared, derived or copied this bus value (an
                        // assignment's report names it); unknown for buses the library makes itself

    // Declares `nr` new wires named name[0] … name[nr-1], UNINITIALIZED.
    // In all three declaring forms a width beyond the int range (a negative
    // width written by the circuit) is reported, naming the caller's line,
    // and ends the program with status 1.
    Signal(unsigned int nr, const char* name, SourcePlace at = SourcePlace());
    // Declares `nr` wires with the given initial value and constant flag.
    Signal(unsigned int nr, SignalValue initValue, int constValue, const char* name, SourcePlace at = SourcePlace());
    // Declares `nr` constant wires: ONE where bit i of setMask is 1, else ZERO.
    Signal(unsigned int nr, unsigned int setMask, const char* name, SourcePlace at = SourcePlace());
    // An independent copy: same wires, new arrays. Declares nothing. `at`
    // is the line that copies, filled in there.
    Signal(const Signal& siga, SourcePlace at = SourcePlace());
    // Takes over the arrays of `siga`, which is left an empty bus; keeps
    // where the value was made. Declares nothing.
    Signal(Signal&& siga) noexcept;
    ~Signal();

    // Assignment is not supported: it reports, naming the line of the
    // assignment, and ends the program with status 1. Circuit code
    // initialises instead. The operand is taken by value so that its copy,
    // made at the line of the assignment, carries that line (an operand the
    // expression makes itself carries the line it was made at).
    Signal operator=(Signal sig);

    // One wire: position `sub`. Out of range reports, naming the line of the
    // subscript, and ends the program (status 1).
    Signal operator[](BusSubscript sub) const;
    // Positions `end` … `start`: result position 0 is source position `end`.
    // A position outside the bus is reported, naming the caller's line, and
    // gives an empty bus.
    Signal sub(int start, int end, SourcePlace at = SourcePlace()) const;
    // Serial-number range between two one-wire buses: position 0 holds
    // `sig`'s wire, the top position this bus's wire. A wider operand is
    // reported, naming the line of the expression, and ends the program.
    Signal operator-(BusOperand sig) const;
    // Concatenation: `siga` supplies the low positions, this bus the high
    // ones. It cannot fail; the place only marks where the result was made.
    Signal operator,(BusOperand siga) const;

    void print() const;

private:
    // A derived bus of `n` wires with the given name and flag; declares nothing.
    Signal(int n, const char* name, int isConst);
    // Declares `nr` wires; with `mask` non-null the value of wire i comes
    // from bit i of *mask, otherwise every wire gets `init`.
    void declare(unsigned int nr, const char* name, SignalValue init, const unsigned int* mask,
                 int constWires, const SourcePlace& at);
    friend Signal operator*(Replication reps, const Signal& siga);
};

// Replication: reps × width wires, position p holding siga's wire p mod width.
// A negative count or a product beyond the int range is reported, naming the
// line of the expression, and ends the program with status 1.
Signal operator*(Replication reps, const Signal& siga);

// One entry of the phase-one signal list, in declaration order.
struct SignalNode {
    SignalNode* ptr;         // next node
    int signalSerialNumber;  // the wire's serial number
    char* name;              // the list's own copy of the wire's name
    int constSignal;         // 1 for a constant wire
    SignalValue value;       // the wire's declared initial value

    void print() const;
};

// One named bus as declared, in declaration order: its wires are the
// serial numbers firstSignal … firstSignal + width - 1, position 0 first.
struct BusNode {
    BusNode* ptr;     // next node
    char* name;       // the list's own copy of the name it was declared with
    int firstSignal;  // serial number of its wire 0
    int width;        // number of wires, at least 1
};

class SignalList {
public:
    int numberOfSignals;  // wires declared so far = the next wire's serial number
    SignalNode* start;
    SignalNode* end;
    int numberOfBuses;    // nodes in the bus list
    BusNode* firstBus;    // the named buses, in declaration order
    BusNode* lastBus;

    SignalList();
    // Prints "There are N signals." and frees the nodes.
    ~SignalList();
    // Appends a node with a copy of `name`; does not touch numberOfSignals.
    void add(int number, SignalValue sv, const char* name, int constSpec);
    // Appends a bus node with a copy of `name`.
    void addBus(const char* name, int firstSignal, int width);
    void print() const;
};

// The constant buses, wires 0 and 1, constructed before main.
extern Signal Zero;
extern Signal One;

#endif
