// A request the X server refuses, sent through the real port: a cursor of a
// glyph the cursor font does not have. Prints "hook H seen S" (how often the
// installed hook ran, and xProtocolErrorSeen) after a round trip; the
// server's error line goes to standard error. Status 2 without a server.
#include <cstdio>

#include "display/XPort.h"

namespace {
int hookCalls = 0;
void hook() { hookCalls++; }
}  // namespace

int main() {
    installXErrorHandlers(hook);
    XPort* port = newXlibPort();
    if (!port->open()) return 2;
    port->createWindow(0, 0, 20, 20, 1, 0, 0);
    port->sync();
    std::printf("before: hook %d seen %d\n", hookCalls, xProtocolErrorSeen() ? 1 : 0);
    for (int i = 0; i < 3; i++) port->defineCursor(100000 + i);  // no such glyphs: refused, three times
    port->sync();
    std::printf("after: hook %d seen %d\n", hookCalls, xProtocolErrorSeen() ? 1 : 0);
    port->close();
    delete port;
    return 0;
}
