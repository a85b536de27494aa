// Standard error through its buffer, each case in a child process whose
// standard error is a pipe it reads back itself: nothing reaches the pipe
// until a flush, the window's now-and-then flush writes at most once in
// 100 ms, and a terminating signal still writes what was pending.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "StderrBuffer.h"

namespace {

// What the pipe holds now, without waiting.
std::string drain(int fd) {
    std::string s;
    char b[256];
    ssize_t n;
    while ((n = read(fd, b, sizeof b)) > 0) s.append(b, static_cast<size_t>(n));
    return s;
}

void sleepMs(long ms) {
    timespec t{ms / 1000, (ms % 1000) * 1000000};
    nanosleep(&t, nullptr);
}

// Runs body in a child whose standard error is the write end of a fresh
// pipe (read end non-blocking, passed to body) and returns its wait status.
// The child ends with _exit(body's result), so that nothing flushes its
// streams on the way out.
template <typename Body>
int inChild(Body body, int* readEnd = nullptr) {
    int p[2];
    if (pipe(p) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(p[1], 2);
        close(p[1]);
        fcntl(p[0], F_SETFL, O_NONBLOCK);
        _exit(body(p[0]));
    }
    close(p[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (readEnd) *readEnd = p[0];
    else close(p[0]);
    return status;
}

TEST(StandardError, HeldUntilFlushedAndAtMostOnceIn100msNowAndThen) {
    // Exit codes name the first expectation that failed.
    const int status = inChild([](int in) {
        bufferStandardError();
        std::fputs("one\n", stderr);
        if (!drain(in).empty()) return 10;  // a pipe is buffered
        beforeStandardOutput();
        if (drain(in) != "one\n") return 11;  // emptied before standard output
        flushStandardErrorNowAndThen();       // the first call writes
        std::fputs("two\n", stderr);
        flushStandardErrorNowAndThen();  // a moment later: held
        if (!drain(in).empty()) return 12;
        sleepMs(120);
        flushStandardErrorNowAndThen();
        if (drain(in) != "two\n") return 13;
        return 0;
    });
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(StandardError, ATerminatingSignalWritesWhatWasPendingAndStillEnds) {
    int in = -1;
    const int status = inChild(
        [](int) {
            bufferStandardError();
            std::fputs("pending line\n", stderr);
            raise(SIGTERM);
            return 20;  // not reached: the signal ends the child
        },
        &in);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(drain(in), "pending line\n");
    close(in);
}

}  // namespace
