// The driver and the start-up text.
#include "Sim.h"

#include <cstdio>

#include "Explain.h"
#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "StderrBuffer.h"
#include "Timing.h"
#include "Vcd.h"
#include "Vectors.h"
#include "Watch.h"
#include "cmdLine.h"
#include "Netlist.h"
#include "display/Ph5.h"
#include "display/SvgPort.h"
#include "display/XPort.h"
#include "display/WindowIn.h"

namespace {

const char* const keySummary[] = {
    "F1 Reset Simulation to Time Zero (restart)",
    "F2 Toggle Interconnecting Lines Drawing",
    "F3 Toggle Component Labels Drawing",
    "F4 Toggle Connection Tabs Drawing",
    "F5 Toggle Interconnecting Lines Labeling (show signal names !)",
    "F6 Toggle Time, QueueLength, Slowness Display",
    "F7 Toggle Interconnecting Lines for Mux'es Only",
    "F8 Toggle SuperProbe Display",
    "F9 Toggle Windowing Mode",
    "F10 Exit",
    "",
    "Control-a:  give the least detail (with macros)",
    "Control-n:  give a little less detail (with macros)",
    "Control-m:  give a little more detail (with macros)",
    "Control-z:  give the most detail (with macros)",
    "Control-l:  re-paint",
    "",
};

// The value colours of the window as ANSI 256-colour swatches (black text on
// palette 151, 208, 28, 222, 231, then reset); each string ends its own line.
const char* const colourLegend[] = {
    "\033[30;48;5;151m   \033[0m <-- ZERO signal\t\t\033[30;48;5;208m   \033[0m <-- XXX signal    \n",
    "\033[30;48;5;28m   \033[0m <-- ONE signal\t\t\033[30;48;5;222m   \033[0m <-- HIZ signal    \n",
    "\t\t\t\t\033[30;48;5;231m   \033[0m <-- UNINITIALIZED signal    \n\n",
};

}  // namespace

void printKeySummary() {
    beforeStandardOutput();
    for (const char* line : keySummary) {
        std::printf("%s\n", line);
        std::fflush(stdout);
    }
    for (const char* text : colourLegend) {
        std::fputs(text, stdout);
        std::fflush(stdout);
    }
}

void buildNetlist() {
    phaseTwo = new PhaseTwo;
    phaseTwo->listsToArrays();
    // Ends the program here when fatal diagnostics were counted; otherwise
    // prints the component and signal counts. Nothing uses the lists after.
    delete phaseOne;
    phaseOne = nullptr;

    phaseThree = new PhaseThree;
    phaseThree->checkConnectivity();
    phaseThree->formActivationLists();
}

int Sim(int argc, char** argv, void (*build)()) {
    commandLine(argc, argv);
    // The files of -v and -w are checked before the circuit is built.
    if (testVectorsPath) loadTestVectors(testVectorsPath);
    if (waveformPath) openWaveform(waveformPath, argv[0]);
    if (picturePath) openPictureFile(picturePath);
    if (netlistPath) beginBuildText();
    build();
    if (netlistPath) endBuildText();
    // -A is for a circuit with a program memory that reads it (the stock
    // processor); any other circuit would run as if it had not been given.
    if (programPath && !programLoadedFlag) {
        std::fprintf(stderr, "-A %s: this circuit has no program memory to load it into\n", programPath);
        exitProgram(2);
    }

    buildNetlist();
    // -N: the netlist built and checked goes to its file; nothing runs.
    if (netlistPath) exitProgram(writeNetlist(netlistPath, argv[0]));
    if (testVectorsPath) resolveTestVectors(!earlyExitFlag);
    if (timingReportFlag) printTimingReport();
    resolveWatchEdge();

    phaseFour = new PhaseFour;
    // -s draws the first picture into its file through a port of its own:
    // the window's whole set-up, with no server.
    if (picturePath) {
        useXDisplay = 1;
        makeXPort = newPicturePort;
    }
    if (explainRequest && !earlyExitFlag) startExplaining();
    // A window explains a Shift-click (not a picture of -s: it never runs).
    if (useXDisplay && !picturePath && !earlyExitFlag) {
        startRecordingCauses();
        explainClick = explainComponent;
    }
    phaseFive = new PhaseFive;
    if (zFlagSet) phaseFive->screen->view.reviseView(zSetXa, zSetYa, zSetXb, zSetYb);

    beginWaveform();
    if (!earlyExitFlag) phaseFour->run();
    if (explainRequest && !earlyExitFlag) explainAtEnd();
    if (watchLinesFlag && !earlyExitFlag) finishWatches();
    const bool waveformWritten = closeWaveform();
    int status = finishTestVectors();
    if (!waveformWritten) status = 2;

    delete phaseFive;  // closes the window, or writes the picture
    if (pictureWriteFailed()) status = 2;
    // A refused request ended the run early: not a success.
    if (xProtocolErrorSeen() && status == 0) status = 1;
    delete phaseFour;
    delete phaseThree;
    delete phaseTwo;
    return status;
}
