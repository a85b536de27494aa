// xpeek: looks at a window on the X server of $DISPLAY, for the tests that
// run the simulator under a real server.
//
//   xpeek window PREFIX            waits up to 30 s for a top-level window
//                                  whose name begins with PREFIX; prints
//                                  "NAME" and then "x y width height border"
//   xpeek pixels PREFIX X Y …      the colour of each window pixel (X, Y)
//                                  as #RRGGBB, one per line
//   xpeek png PREFIX FILE          the window's picture as a PNG file
//   xpeek count PREFIX #RRGGBB …   how many window pixels have one of the
//                                  given colours
//   xpeek close PREFIX             asks the window to close, as a window
//                                  manager's close button does
//                                  (WM_DELETE_WINDOW)
//
// Exit status 0 on success, 1 when the window does not appear or the
// server cannot be reached, 2 on a bad command line.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The first top-level window whose name begins with `prefix`, or 0.
Window findWindow(Display* d, const char* prefix, std::string& name) {
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; i++) {
        char* title = nullptr;
        if (XFetchName(d, children[i], &title) && title) {
            if (std::strncmp(title, prefix, std::strlen(prefix)) == 0) {
                found = children[i];
                name = title;
            }
            XFree(title);
        }
    }
    if (children) XFree(children);
    return found;
}

Window waitForWindow(Display* d, const char* prefix, std::string& name) {
    for (int tries = 0; tries < 300; tries++) {
        Window w = findWindow(d, prefix, name);
        if (w) return w;
        usleep(100000);
    }
    std::fprintf(stderr, "xpeek: no window named %s…\n", prefix);
    return 0;
}

// One colour channel of a pixel, scaled to 8 bits, by its mask.
unsigned char channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) shift++;
    const unsigned long max = mask >> shift;
    return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / max);
}

// The colour of one pixel of `image` (a true-colour picture, as the test
// servers give) as 8-bit red, green and blue.
void rgb(Display*, XImage* image, int x, int y, unsigned char out[3]) {
    const unsigned long p = XGetPixel(image, x, y);
    out[0] = channel(p, image->red_mask);
    out[1] = channel(p, image->green_mask);
    out[2] = channel(p, image->blue_mask);
}

uint32_t crc(const unsigned char* p, size_t n, uint32_t c = 0xFFFFFFFFu) {
    for (size_t i = 0; i < n; i++) {
        c ^= p[i];
        for (int k = 0; k < 8; k++) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return c;
}

void put32(std::vector<unsigned char>& v, uint32_t x) {
    for (int s = 24; s >= 0; s -= 8) v.push_back(static_cast<unsigned char>(x >> s));
}

void chunk(FILE* f, const char* type, const std::vector<unsigned char>& data) {
    std::vector<unsigned char> v;
    put32(v, static_cast<uint32_t>(data.size()));
    v.insert(v.end(), type, type + 4);
    v.insert(v.end(), data.begin(), data.end());
    put32(v, crc(v.data() + 4, v.size() - 4) ^ 0xFFFFFFFFu);
    std::fwrite(v.data(), 1, v.size(), f);
}

// An RGB picture as a PNG file, its data in stored (uncompressed) deflate
// blocks, so that no compression library is needed.
bool writePng(const char* path, int w, int h, const std::vector<unsigned char>& pixels) {
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    static const unsigned char signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    std::fwrite(signature, 1, 8, f);
    std::vector<unsigned char> header;
    put32(header, static_cast<uint32_t>(w));
    put32(header, static_cast<uint32_t>(h));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB
    chunk(f, "IHDR", header);
    std::vector<unsigned char> raw;  // each row: filter 0, then the pixels
    for (int y = 0; y < h; y++) {
        raw.push_back(0);
        raw.insert(raw.end(), pixels.begin() + 3L * w * y, pixels.begin() + 3L * w * (y + 1));
    }
    std::vector<unsigned char> z = {0x78, 0x01};
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<unsigned char>(n & 0xFF));
        z.push_back(static_cast<unsigned char>(n >> 8));
        z.push_back(static_cast<unsigned char>(~n & 0xFF));
        z.push_back(static_cast<unsigned char>((~n >> 8) & 0xFF));
        z.insert(z.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + n));
        at += n;
        if (n == 0) break;
    }
    put32(z, (b << 16) | a);
    chunk(f, "IDAT", z);
    chunk(f, "IEND", {});
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: xpeek window|pixels|png|count|close PREFIX …\n");
        return 2;
    }
    const std::string command = argv[1];
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "xpeek: cannot open the display\n");
        return 1;
    }
    std::string name;
    Window w = waitForWindow(d, argv[2], name);
    if (!w) return 1;
    XWindowAttributes a;
    XGetWindowAttributes(d, w, &a);
    if (command == "close") {
        XEvent e;
        std::memset(&e, 0, sizeof e);
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, w, False, NoEventMask, &e);
        XSync(d, False);
        return 0;
    }
    if (command == "window") {
        std::printf("%s\n%d %d %d %d %d\n", name.c_str(), a.x, a.y, a.width, a.height, a.border_width);
        return 0;
    }
    XImage* image = XGetImage(d, w, 0, 0, static_cast<unsigned>(a.width), static_cast<unsigned>(a.height), AllPlanes,
                              ZPixmap);
    if (!image) return 1;
    unsigned char c[3];
    if (command == "pixels") {
        for (int i = 3; i + 1 < argc; i += 2) {
            const int x = std::atoi(argv[i]), y = std::atoi(argv[i + 1]);
            if (x < 0 || y < 0 || x >= a.width || y >= a.height) {
                std::printf("outside\n");
                continue;
            }
            rgb(d, image, x, y, c);
            std::printf("#%02X%02X%02X\n", c[0], c[1], c[2]);
        }
        return 0;
    }
    if (command == "count") {
        std::vector<std::string> wanted(argv + 3, argv + argc);
        long n = 0;
        char text[8];
        for (int y = 0; y < a.height; y++)
            for (int x = 0; x < a.width; x++) {
                rgb(d, image, x, y, c);
                std::snprintf(text, sizeof text, "#%02X%02X%02X", c[0], c[1], c[2]);
                for (const std::string& colour : wanted)
                    if (colour == text) {
                        n++;
                        break;
                    }
            }
        std::printf("%ld\n", n);
        return 0;
    }
    if (command == "png" && argc == 4) {
        std::vector<unsigned char> pixels;
        pixels.reserve(3UL * static_cast<unsigned long>(a.width) * static_cast<unsigned long>(a.height));
        for (int y = 0; y < a.height; y++)
            for (int x = 0; x < a.width; x++) {
                rgb(d, image, x, y, c);
                pixels.insert(pixels.end(), c, c + 3);
            }
        return writePng(argv[3], a.width, a.height, pixels) ? 0 : 1;
    }
    std::fprintf(stderr, "xpeek: unknown command %s\n", command.c_str());
    return 2;
}
