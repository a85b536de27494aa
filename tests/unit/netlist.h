// Small netlists for unit tests, built the way Sim builds them but without
// its start-up text: each test registers its own components between
// startNetlist() and convertNetlist().
#ifndef KORVAX_TEST_NETLIST_H
#define KORVAX_TEST_NETLIST_H

#include <gtest/gtest.h>

#include "Sim.h"
#include "korvax.h"

// A fresh phase one whose first two wires are the constants, as at a real
// start (the program's own Zero and One belong to the first phase one).
inline void startNetlist() {
    phaseOne = new PhaseOne;
    Signal zero(1, 0u, "Zero"), one(1, 1u, "One");
}

// The phases that follow the build: arrays, end of phase one, connectivity
// check and activation lists. The counts and warnings they print are
// swallowed; tests that check them capture standard error themselves.
inline void convertNetlist() {
    testing::internal::CaptureStderr();
    buildNetlist();
    testing::internal::GetCapturedStderr();
}

#endif
