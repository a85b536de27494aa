// bench-keys TITLE X Y [KEYS [PAUSE_MS]]: the time from a key typed into a
// window to its redrawn pane. For each of KEYS presses (default 50) of
// the key "1", sent through the XTEST extension as a keyboard would send
// it, the program reads the pixel (X, Y) of the window titled TITLE before
// the press and then as fast as the server answers until it has changed,
// and prints each time, the median and the 95th percentile in
// milliseconds. PAUSE_MS (default 200) passes between presses, so that
// the circuit has settled before the next. The window must have the input
// focus (bench/input.sh gives it with xdotool).
//
// XTEST is reached through libXtst.so.6 at run time (xdotool's own
// library), so the build needs no header beyond Xlib's.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

using FakeKey = int (*)(Display*, unsigned int keycode, Bool press, unsigned long delay);

// The top-level window whose name is `title`, or 0.
Window findWindow(Display* d, const char* title) {
    Window root, parent, *children = nullptr, found = 0;
    unsigned n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return 0;
    for (unsigned i = 0; i < n && !found; i++) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) && name) {
            if (std::strcmp(name, title) == 0) found = children[i];
            XFree(name);
        }
    }
    if (children) XFree(children);
    return found;
}

// The pixel (x, y) of window w; one round trip.
unsigned long pixel(Display* d, Window w, int x, int y) {
    XImage* image = XGetImage(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0ul;
    const unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return p;
}

double at(const std::vector<double>& sorted, double fraction) {
    const std::size_t i = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(i, sorted.size() - 1)];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: bench-keys TITLE X Y [KEYS [PAUSE_MS]]\n");
        return 2;
    }
    const char* title = argv[1];
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const int keys = argc > 4 ? std::atoi(argv[4]) : 50;
    const int pauseMs = argc > 5 ? std::atoi(argv[5]) : 200;
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    FakeKey fakeKey = xtst ? reinterpret_cast<FakeKey>(dlsym(xtst, "XTestFakeKeyEvent")) : nullptr;
    if (!fakeKey) {
        std::fprintf(stderr, "bench-keys: libXtst.so.6 (XTestFakeKeyEvent) is not installed\n");
        return 1;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "bench-keys: cannot open the display\n");
        return 1;
    }
    const Window w = findWindow(d, title);
    if (!w) {
        std::fprintf(stderr, "bench-keys: no window titled \"%s\"\n", title);
        return 1;
    }
    const unsigned keycode = XKeysymToKeycode(d, XK_1);
    std::vector<double> times;
    int lost = 0;
    for (int k = 0; k < keys; k++) {
        const unsigned long before = pixel(d, w, x, y);
        const auto start = std::chrono::steady_clock::now();
        fakeKey(d, keycode, True, 0);
        fakeKey(d, keycode, False, 0);
        XFlush(d);
        double ms = 0;
        for (;;) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (pixel(d, w, x, y) != before) break;
            if (ms > 5000) {
                lost++;
                break;
            }
        }
        times.push_back(ms);
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }
    std::printf("key to redrawn pane, ms:");
    for (double t : times) std::printf(" %.1f", t);
    std::sort(times.begin(), times.end());
    std::printf("\nkey to redrawn pane: median %.1f ms, 95th percentile %.1f ms, slowest %.1f ms (%d keys", at(times, 0.5),
                at(times, 0.95), times.back(), keys);
    if (lost) std::printf(", %d never redrawn within 5 s", lost);
    std::printf(")\n");
    XCloseDisplay(d);
    return lost ? 1 : 0;
}
