// The phase-one object and the end of phase one.
#include "Ph1.h"

#include <cstdio>
#include <cstdlib>

PhaseOne* phaseOne = nullptr;

PhaseOne::PhaseOne() : fatalDiagnosticCount(0) {}

PhaseOne::~PhaseOne() {
    if (fatalDiagnosticCount > 0) {
        std::fprintf(stderr, "%d Fatal Diagnostic(s)--Can't Continue.\n", fatalDiagnosticCount);
        std::exit(1);
    }
    // The members now print the component count, then the signal count.
}

void PhaseOne::listComponent(ComponentNode* componentNode) { componentList.append(componentNode); }
