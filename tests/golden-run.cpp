// golden-run CASE CIRCUIT_DIR BUILD_DIR [netlist]: one process test.
//
// CASE names a program and a command line:
//     # what the case shows (any number of comment lines)
//     circuit: NAME      a test circuit or example from CIRCUIT_DIR, or
//     program: PATH      a program relative to BUILD_DIR (e.g. korvax)
//     args: WORDS        the command line, in shell syntax (optional)
//     stdout: whole      compare standard output from its first byte (optional)
//     streams: combined  standard error goes to standard output, as with
//                        2>&1, and NAME.stdout holds both as they
//                        interleave (optional)
//     setup: COMMANDS    shell commands run first, by the shell that then
//                        starts the program, in the case's folder (optional)
//     show: FILE         after the run, a line "--- FILE: N bytes" and the
//                        bytes of FILE, a file in the scratch folder, are
//                        added to the end of standard output; a file that
//                        is not there shows as "--- FILE: missing"
//                        (optional, any number of lines)
//     skip: sanitizer    the case is skipped (exit status 77) in a build
//                        with AddressSanitizer (optional)
//     netlist: skip WHY  the case is skipped through a netlist file (below),
//                        for the reason given (optional)
// Every case has a scratch folder of its own, empty at the start and
// removed at the end, named by $SCRATCH in the environment of the setup
// commands and the program (the args may use it too).
// The program runs with NAME (the file name of PATH) as its argv[0], no
// standard input, no X display (a case without -X meets a server that
// cannot be reached) and the case's folder as its working directory. Its
// standard output, standard error and exit status are compared with
// CASE's siblings NAME.stdout, NAME.stderr and NAME.status; a missing file
// stands for empty output or status 0. On a mismatch the differences are
// shown and the test fails. With KORVAX_UPDATE_GOLDEN=1 in the environment
// the files are rewritten from the run instead.
//
// With "netlist", the same case runs through a netlist file: the program
// runs with -N FILE before the case's arguments (after the setup commands),
// then BUILD_DIR/korvax-run runs FILE with the case's arguments, under the
// same name and in the same folder, and its output and status are compared
// with the same files. When the -N run writes no file (help, a refused
// option, the circuit's own errors), its own output and status are the
// ones compared. A circuit with components of its own cannot be written:
// the case is skipped (status 77) with the -N run's message.
//
// Every run starts by printing the key summary. It is checked once, by the
// case start-up (which says "stdout: whole"); every other case takes it off
// the front of the program's standard output before comparing, so that the
// expected files hold only what the case is about.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string readFile(const std::string& path, bool* exists = nullptr) {
    std::ifstream in(path, std::ios::binary);
    if (exists) *exists = static_cast<bool>(in);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeOrRemove(const std::string& path, const std::string& text) {
    if (text.empty()) {
        std::remove(path.c_str());
        return;
    }
    std::ofstream(path, std::ios::binary) << text;
}

std::string quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

}  // namespace

int main(int argc, char** argv) {
    const bool throughNetlist = argc == 5 && std::string(argv[4]) == "netlist";
    if (argc != 4 && !throughNetlist) {
        std::fprintf(stderr, "usage: golden-run CASE CIRCUIT_DIR BUILD_DIR [netlist]\n");
        return 2;
    }
    const std::string casePath = argv[1];
    const std::string base = casePath.substr(0, casePath.size() - std::string(".case").size());
    const std::string folder = casePath.substr(0, casePath.find_last_of('/'));

    std::string program, name, args, setup;
    std::vector<std::string> shown;
    bool wholeStdout = false, combined = false;
    std::string netlistSkip;
    std::istringstream lines(readFile(casePath));
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        size_t colon = line.find(':');
        std::string key = line.substr(0, colon), value = trim(line.substr(colon + 1));
        if (key == "circuit") {
            program = std::string(argv[2]) + "/" + value;
            name = value;
        } else if (key == "program") {
            program = std::string(argv[3]) + "/" + value;
            name = value.substr(value.find_last_of('/') + 1);
        } else if (key == "args") {
            args = value;
        } else if (key == "stdout" && value == "whole") {
            wholeStdout = true;
        } else if (key == "streams" && value == "combined") {
            combined = true;
        } else if (key == "setup") {
            setup = value;
        } else if (key == "show") {
            shown.push_back(value);
        } else if (key == "netlist" && value.compare(0, 5, "skip ") == 0) {
            netlistSkip = value.substr(5);
        } else if (key == "skip" && value == "sanitizer") {
#ifdef __SANITIZE_ADDRESS__
            std::printf("skipped in a build with AddressSanitizer\n");
            return 77;
#endif
        } else {
            std::fprintf(stderr, "%s: unknown line: %s\n", casePath.c_str(), line.c_str());
            return 2;
        }
    }
    if (program.empty()) {
        std::fprintf(stderr, "%s: no circuit: or program: line\n", casePath.c_str());
        return 2;
    }

    if (throughNetlist && !netlistSkip.empty()) {
        std::printf("skipped through a netlist file: %s\n", netlistSkip.c_str());
        return 77;
    }

    char tmpl[] = "/tmp/korvax-golden-XXXXXX";
    if (!mkdtemp(tmpl)) return 2;
    const std::string tmp = tmpl;
    const std::string scratch = tmp + "/scratch";
    std::system(("mkdir " + quote(scratch)).c_str());
    const std::string netlist = tmp + "/circuit.knl";
    const std::string start = "cd " + quote(folder) + " && unset DISPLAY && export SCRATCH=" + quote(scratch) + " && ";
    const std::string streams =
        " </dev/null >" + tmp + "/stdout 2>" + (combined ? std::string("&1") : tmp + "/stderr");
    const std::string command = start + (setup.empty() ? std::string() : "{ " + setup + "; } && ") + "exec -a " +
                                quote(name) + " " + quote(program) + " " +
                                (throughNetlist ? "-N " + quote(netlist) + " " : std::string()) + args + streams;
    int raw = std::system(("exec bash -c " + quote(command)).c_str());
    int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    if (throughNetlist) {
        bool written;
        readFile(netlist, &written);
        if (written && status == 0) {
            const std::string run = start + "exec -a " + quote(name) + " " +
                                    quote(std::string(argv[3]) + "/korvax-run") + " " + quote(netlist) + " " + args +
                                    streams;
            raw = std::system(("exec bash -c " + quote(run)).c_str());
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        } else {
            const std::string err = readFile(tmp + "/stderr");
            const size_t own = err.find("-N " + netlist + ": component ");
            if (status == 1 && own != std::string::npos) {
                std::printf("skipped: the circuit cannot be written as a netlist:\n%s", err.substr(own).c_str());
                std::system(("rm -rf " + quote(tmp)).c_str());
                return 77;
            }
        }
    }

    std::string out = readFile(tmp + "/stdout");
    const std::string err = readFile(tmp + "/stderr");
    if (!wholeStdout) {
        const std::string keySummary = readFile(folder + "/start-up.stdout");
        if (!keySummary.empty() && out.compare(0, keySummary.size(), keySummary) == 0) {
            out.erase(0, keySummary.size());
            std::ofstream(tmp + "/stdout", std::ios::binary) << out;
        }
    }
    if (!shown.empty()) {
        for (const std::string& file : shown) {
            bool exists;
            const std::string bytes = readFile(scratch + "/" + file, &exists);
            if (exists)
                out += "--- " + file + ": " + std::to_string(bytes.size()) + " bytes\n" + bytes;
            else
                out += "--- " + file + ": missing\n";
        }
        std::ofstream(tmp + "/stdout", std::ios::binary) << out;
    }
    const std::string statusText = std::to_string(status) + "\n";

    int failed = 0;
    const char* update = std::getenv("KORVAX_UPDATE_GOLDEN");
    if (update && *update == '1' && !throughNetlist) {
        writeOrRemove(base + ".stdout", out);
        writeOrRemove(base + ".stderr", err);
        writeOrRemove(base + ".status", status ? statusText : "");
        std::printf("updated %s\n", base.c_str());
    } else {
        struct Stream {
            const char* what;
            std::string actualPath, actual;
        } streams[] = {{"stdout", tmp + "/stdout", out}, {"stderr", tmp + "/stderr", err}};
        for (const Stream& s : streams) {
            const std::string expectedPath = base + "." + s.what;
            bool exists;
            std::string expected = readFile(expectedPath, &exists);
            if (expected != s.actual) {
                failed = 1;
                std::printf("%s differs (- expected, + actual):\n", s.what);
                std::fflush(stdout);
                std::system(("diff -u " + (exists ? quote(expectedPath) : std::string("/dev/null")) + " " +
                             quote(s.actualPath))
                                .c_str());
            }
        }
        bool exists;
        std::string expectedStatus = readFile(base + ".status", &exists);
        if (!exists) expectedStatus = "0\n";
        if (expectedStatus != statusText) {
            failed = 1;
            std::printf("exit status %d, expected %s", status, expectedStatus.c_str());
        }
    }
    std::system(("rm -rf " + quote(tmp)).c_str());
    return failed;
}
