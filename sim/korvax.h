// The modelling interface: the one header circuit code includes.
//
// A circuit is a C++ file that defines `void simnet()`. simnet declares buses
// (Signal), places components with schematic descriptors (SD) and calls the
// component constructors; it is linked with the simulator library into an
// executable whose main runs the simulator on it (see tools/korvax-build).
//
// A circuit that defines a component of its own needs, beyond the standard
// library: the registration calls (addStandardComponent, visibleFlag), the
// phase objects with their arrays (phaseOne's fatalDiagnosticCount for
// counted width errors, phaseTwo's netlist arrays, phaseThree's present
// values, phaseFour's scheduling calls and run-control flags, phaseFive's
// level of detail), the run-time signal helpers and the command-line
// settings.
#ifndef KORVAX_H
#define KORVAX_H

#include <cstdio>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "RTSigSup.h"
#include "Schmtc.h"
#include "Signal.h"
#include "Watch.h"
#include "addStCmp.h"
#include "cmdLine.h"
#include "components/msi.h"
#include "components/ssi.h"
#include "components/vlsi.h"
#include "display/Ph5.h"

// The circuit's build function, provided by the circuit description.
void simnet();

#endif
