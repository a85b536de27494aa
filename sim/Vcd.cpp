// The Value Change Dump writer. Changes of one time step are gathered per
// bus (a bus is written whole when any of its wires changed) and written
// when the step is over, that is when a change of a later time arrives, at a
// restart, or at the close.
#include "Vcd.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"

int waveformOpen = 0;

namespace {

const char valueLetters[] = "0uxz1";  // indexed by SignalValue

FILE* file = nullptr;
std::string filePath;
std::string scopeName;
std::vector<char> buffer;            // stdio's buffer for the file
std::vector<int> busOfSignal;        // per wire: its bus, or -1
std::vector<std::string> codes;      // per bus: its identifier code
std::vector<char> dirty;             // per bus: changed in the pending step
std::vector<int> dirtyBuses;         // the buses marked, in marking order
unsigned long stepTime = 0;          // run time of the pending changes
unsigned long base = 0;              // file time of run time 0 (grows at restarts)
unsigned long lastWritten = 0;       // the last time written to the file

// Identifier codes: printable characters from '!' to '~', base 94.
std::string codeOf(int n) {
    std::string code;
    do {
        code += static_cast<char>('!' + n % 94);
        n /= 94;
    } while (n);
    return code;
}

// A name usable in the file: blanks would end it, so they become '_'.
std::string reference(std::string name) {
    for (char& c : name)
        if (c == ' ' || c == '\t' || c == '\n') c = '_';
    return name;
}

void writeBus(int b) {
    const PhaseTwo& p2 = *phaseTwo;
    const SignalValue* values = phaseThree->currentSignals + p2.busFirstSignals[b];
    const int width = p2.busWidths[b];
    if (width == 1) {
        std::fputc(valueLetters[values[0]], file);
    } else {
        std::fputc('b', file);
        for (int p = width - 1; p >= 0; p--) std::fputc(valueLetters[values[p]], file);
        std::fputc(' ', file);
    }
    std::fputs(codes[b].c_str(), file);
    std::fputc('\n', file);
}

void writeTime(unsigned long t) {
    if (t == lastWritten) return;
    std::fprintf(file, "#%lu\n", t);
    lastWritten = t;
}

// Writes the buses changed in the pending step.
void writeStep() {
    if (dirtyBuses.empty()) return;
    writeTime(base + stepTime);
    for (int b : dirtyBuses) {
        writeBus(b);
        dirty[b] = 0;
    }
    dirtyBuses.clear();
}

void markAllBuses() {
    for (int b = 0; b < phaseTwo->numberOfBuses; b++) {
        if (dirty[b]) continue;
        dirty[b] = 1;
        dirtyBuses.push_back(b);
    }
}

// SIGINT and SIGTERM end the run at the loop's next test, so that the file
// is completed as on any other end. A second signal kills as usual.
void endRun(int) { done = 1; }

}  // namespace

void openWaveform(const char* path, const char* programName) {
    filePath = path;
    file = std::fopen(path, "w");
    if (!file) {
        std::fprintf(stderr, "%s: cannot be written: %s\n", path, std::strerror(errno));
        std::exit(2);
    }
    buffer.resize(1 << 20);
    std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
    const char* slash = std::strrchr(programName, '/');
    scopeName = reference(slash ? slash + 1 : programName);
    if (scopeName.empty()) scopeName = "korvax";
    std::atexit(closeWaveform);
    struct sigaction action = {};
    action.sa_handler = endRun;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void beginWaveform() {
    if (!file) return;
    const PhaseTwo& p2 = *phaseTwo;
    busOfSignal.assign(p2.numberOfSignals, -1);
    dirty.assign(p2.numberOfBuses, 0);
    codes.clear();
    std::fputs("$version Korvax $end\n$timescale 1 ns $end\n", file);
    std::fprintf(file, "$scope module %s $end\n", scopeName.c_str());
    for (int b = 0; b < p2.numberOfBuses; b++) {
        codes.push_back(codeOf(b));
        const int width = p2.busWidths[b];
        for (int p = 0; p < width; p++) busOfSignal[p2.busFirstSignals[b] + p] = b;
        std::fprintf(file, "$var wire %d %s %s", width, codes[b].c_str(), reference(p2.busName(b)).c_str());
        if (width > 1) std::fprintf(file, " [%d:0]", width - 1);
        std::fputs(" $end\n", file);
    }
    std::fputs("$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n", file);
    for (int b = 0; b < p2.numberOfBuses; b++) writeBus(b);
    std::fputs("$end\n", file);
    stepTime = 0;
    base = 0;
    lastWritten = 0;
    waveformOpen = 1;
}

void waveformChange(int signal) {
    const int b = busOfSignal[signal];
    if (b < 0) return;
    const unsigned long now = phaseFour->time;
    if (now != stepTime) {
        writeStep();
        stepTime = now;
    }
    if (!dirty[b]) {
        dirty[b] = 1;
        dirtyBuses.push_back(b);
    }
}

void waveformRestart() {
    writeStep();
    base += phaseFour->time + 1;
    stepTime = 0;
    markAllBuses();
}

void closeWaveform() {
    if (!file) return;
    if (waveformOpen) {
        writeStep();
        if (phaseFour) writeTime(base + phaseFour->time);
    }
    waveformOpen = 0;
    if (std::fclose(file) != 0) std::fprintf(stderr, "%s: cannot be written: %s\n", filePath.c_str(), std::strerror(errno));
    file = nullptr;
}
