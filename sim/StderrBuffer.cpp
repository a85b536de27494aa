// The buffer of standard error and its flush on a terminating signal.
#include "StderrBuffer.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

namespace {

// Static, so that it outlives every stream flush at exit.
char buffer[64 * 1024];

#ifdef __GLIBC__
// On a terminating signal: write the bytes waiting in the buffer (the C
// library's own pointers say where they are; only write(2) is called, which
// a signal handler may), then let the signal end the program as before.
void flushAndDie(int signalNumber) {
    const char* start = stderr->_IO_write_base;
    const char* end = stderr->_IO_write_ptr;
    while (start && end > start) {
        ssize_t n = write(2, start, static_cast<size_t>(end - start));
        if (n <= 0) break;
        start += n;
    }
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}
#endif

}  // namespace

void bufferStandardError() {
    if (isatty(2)) return;
    if (std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer) != 0) return;  // stays unbuffered
#ifdef __GLIBC__
    // A signal the caller chose to ignore (nohup) stays ignored.
    const int endings[] = {SIGINT, SIGTERM, SIGHUP};
    for (int s : endings) {
        struct sigaction old;
        if (sigaction(s, nullptr, &old) == 0 && old.sa_handler == SIG_DFL) {
            struct sigaction act = {};
            act.sa_handler = flushAndDie;
            sigemptyset(&act.sa_mask);
            sigaction(s, &act, nullptr);
        }
    }
#endif
}

void flushStandardErrorNowAndThen() {
    static long long lastFlushMs = 0;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
    if (nowMs - lastFlushMs < 100) return;
    lastFlushMs = nowMs;
    std::fflush(stderr);
}
