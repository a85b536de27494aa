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
#include <unordered_map>
#include <unordered_set>
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

const char* const writeFailure = "%s: cannot be written: %s\n";
bool failed = false;                 // a write or the close failed (message written)

bool visible(char c) { return c >= '!' && c <= '~'; }

bool isReference(const std::string& name) {
    if (name.empty() || name[0] == '$') return false;
    for (char c : name)
        if (!visible(c)) return false;
    return true;
}

// The name made a reference, before it is made unique.
std::string replaced(const std::string& name) {
    std::string r = name.empty() || name[0] == '$' ? "_" : "";
    for (char c : name) r += visible(c) ? c : '_';
    return r;
}

void reportFailure(int error) {
    std::fprintf(stderr, writeFailure, filePath.c_str(), std::strerror(error));
    failed = true;
}

// During the run: the message, once; the file is dropped and the run ends.
void writeFailed(int error) {
    reportFailure(error);
    std::fclose(file);
    file = nullptr;
    waveformOpen = 0;
    done = 1;
}

// After writing: a write the C library found failing ends the file here.
void checkWritten() {
    if (file && std::ferror(file)) writeFailed(errno);
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
    checkWritten();
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

// At exit: the program is ending with a status of its own (1: a circuit
// error, the X server gone, out of memory), which a failure here keeps.
void closeAtExit() { closeWaveform(); }

}  // namespace

void openWaveform(const char* path, const char* programName) {
    filePath = path;
    file = std::fopen(path, "w");
    if (!file) {
        reportFailure(errno);
        std::exit(2);
    }
    buffer.resize(1 << 20);
    std::setvbuf(file, buffer.data(), _IOFBF, buffer.size());
    const char* slash = std::strrchr(programName, '/');
    scopeName = slash ? slash + 1 : programName;
    scopeName = scopeName.empty() ? "korvax" : replaced(scopeName);
    std::atexit(closeAtExit);
    struct sigaction action = {};
    action.sa_handler = endRun;
    action.sa_flags = SA_RESETHAND;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

std::string waveformCode(int n) {
    // Printable characters from '!' to '~', base 94.
    std::string code;
    do {
        code += static_cast<char>('!' + n % 94);
        n /= 94;
    } while (n);
    return code;
}

std::vector<std::string> waveformReferences(const std::vector<std::string>& names) {
    const size_t n = names.size();
    std::vector<std::string> references(n);
    std::unordered_set<std::string> taken;
    std::vector<char> kept(n, 0);
    for (size_t b = 0; b < n; b++)
        if (isReference(names[b]) && taken.insert(names[b]).second) {
            references[b] = names[b];
            kept[b] = 1;
        }
    // The next suffix to try per replaced name, so that many buses of one
    // name cost no search from "_2" each.
    std::unordered_map<std::string, unsigned long> nextSuffix;
    for (size_t b = 0; b < n; b++) {
        if (kept[b]) continue;
        const std::string base = replaced(names[b]);
        std::string candidate = base;
        unsigned long& suffix = nextSuffix.emplace(base, 2).first->second;
        while (!taken.insert(candidate).second) candidate = base + "_" + std::to_string(suffix++);
        references[b] = candidate;
    }
    return references;
}

std::string quotedName(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            q += '\\';
            q += c;
        } else if (u < ' ' || u > '~' || c == '$') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            q += hex;
        } else {
            q += c;
        }
    }
    return q + '"';
}

void writeWaveformHeader(FILE* out, const std::string& scope, const std::vector<std::string>& names,
                         const std::vector<int>& widths, const std::vector<std::string>& codes) {
    std::fputs("$version Korvax $end\n$timescale 1 ns $end\n", out);
    std::fprintf(out, "$scope module %s $end\n", scope.c_str());
    const std::vector<std::string> references = waveformReferences(names);
    for (size_t b = 0; b < names.size(); b++) {
        if (references[b] != names[b]) std::fprintf(out, "$comment bus %s $end\n", quotedName(names[b]).c_str());
        std::fprintf(out, "$var wire %d %s %s", widths[b], codes[b].c_str(), references[b].c_str());
        if (widths[b] > 1) std::fprintf(out, " [%d:0]", widths[b] - 1);
        std::fputs(" $end\n", out);
    }
    std::fputs("$upscope $end\n$enddefinitions $end\n", out);
}

void beginWaveform() {
    if (!file) return;
    const PhaseTwo& p2 = *phaseTwo;
    busOfSignal.assign(p2.numberOfSignals, -1);
    dirty.assign(p2.numberOfBuses, 0);
    // A bus is marked at most once per step: the run never grows the list.
    dirtyBuses.reserve(p2.numberOfBuses);
    codes.clear();
    std::vector<std::string> names;
    std::vector<int> widths;
    for (int b = 0; b < p2.numberOfBuses; b++) {
        codes.push_back(waveformCode(b));
        names.push_back(p2.busName(b));
        widths.push_back(p2.busWidths[b]);
        for (int p = 0; p < p2.busWidths[b]; p++) busOfSignal[p2.busFirstSignals[b] + p] = b;
    }
    writeWaveformHeader(file, scopeName, names, widths, codes);
    std::fputs("#0\n$dumpvars\n", file);
    for (int b = 0; b < p2.numberOfBuses; b++) writeBus(b);
    std::fputs("$end\n", file);
    stepTime = 0;
    base = 0;
    lastWritten = 0;
    waveformOpen = 1;
    checkWritten();
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

bool closeWaveform() {
    if (!file) return !failed;
    if (waveformOpen) {
        writeStep();
        if (file && phaseFour) writeTime(base + phaseFour->time);
        checkWritten();
    }
    if (!file) return false;
    waveformOpen = 0;
    const int closed = std::fclose(file);
    file = nullptr;
    if (closed != 0) reportFailure(errno);
    return !failed;
}
