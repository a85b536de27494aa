// Fuzz target: the references of a waveform file. The input is a list of
// bus names separated by NUL bytes (a name never holds one), of widths 1 to
// 4 by the length of each name. The header writeWaveformHeader writes for
// them is read back as a reader of the format reads it, word by word between
// white space, and must declare one variable per bus, in order, of its width
// and identifier code, with a reference that is one word of visible ASCII
// not beginning with '$', no two alike; a name that is such a word and not
// an earlier bus's is the reference itself; any other bus has a comment
// before its variable whose quoted text gives the name back, byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "Vcd.h"

namespace {

// A fault of the writer: stop here.
void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool white(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

struct Word {
    std::string text;
    size_t begin;  // where it starts in the header
};

std::vector<Word> words(const std::string& text) {
    std::vector<Word> w;
    for (size_t i = 0; i < text.size();) {
        if (white(text[i])) {
            i++;
            continue;
        }
        size_t j = i;
        while (j < text.size() && !white(text[j])) j++;
        w.push_back({text.substr(i, j - i), i});
        i = j;
    }
    return w;
}

bool validReference(const std::string& r) {
    if (r.empty() || r[0] == '$') return false;
    for (char c : r)
        if (c < '!' || c > '~') return false;
    return true;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The comment's text `bus "…"` back to the name; traps on anything else.
std::string unquote(const std::string& body) {
    check(body.size() >= 6 && body.compare(0, 5, "bus \"") == 0 && body.back() == '"');
    std::string name;
    for (size_t i = 5; i + 1 < body.size(); i++) {
        const char c = body[i];
        if (c == '\\') {
            check(i + 2 < body.size());
            const char e = body[++i];
            if (e == '"' || e == '\\') {
                name += e;
            } else {
                check(e == 'x' && i + 3 < body.size());
                const int hi = hexDigit(body[i + 1]), lo = hexDigit(body[i + 2]);
                check(hi >= 0 && lo >= 0);
                name += static_cast<char>(hi * 16 + lo);
                i += 2;
            }
        } else {
            check(c >= ' ' && c <= '~' && c != '"' && c != '$');
            name += c;
        }
    }
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> names(1);
    for (size_t i = 0; i < size && names.size() <= 64; i++) {
        if (data[i] == '\0')
            names.emplace_back();
        else
            names.back() += static_cast<char>(data[i]);
    }
    if (names.size() > 64) names.pop_back();
    std::vector<int> widths;
    std::vector<std::string> codes;
    for (size_t b = 0; b < names.size(); b++) {
        widths.push_back(1 + static_cast<int>(names[b].size() % 4));
        codes.push_back(waveformCode(static_cast<int>(b)));
    }

    char* buffer = nullptr;
    size_t length = 0;
    FILE* out = open_memstream(&buffer, &length);
    check(out != nullptr);
    writeWaveformHeader(out, "fuzz", names, widths, codes);
    std::fclose(out);
    const std::string header(buffer, length);
    std::free(buffer);

    const std::vector<Word> w = words(header);
    size_t i = 0;
    auto next = [&]() -> const std::string& {
        check(i < w.size());
        return w[i++].text;
    };
    auto skipTo = [&](const char* end) {
        while (next() != end) {
        }
    };
    check(next() == "$version");
    skipTo("$end");
    check(next() == "$timescale");
    skipTo("$end");
    check(next() == "$scope" && next() == "module" && next() == "fuzz" && next() == "$end");

    std::set<std::string> references, firstValid;
    for (size_t b = 0; b < names.size(); b++) {
        std::string word = next();
        bool commented = false;
        if (word == "$comment") {
            // The text between the words $comment and $end, as written.
            const size_t from = w[i].begin;
            skipTo("$end");
            const size_t to = w[i - 1].begin;
            check(to > from && header[to - 1] == ' ');
            check(unquote(header.substr(from, to - 1 - from)) == names[b]);
            commented = true;
            word = next();
        }
        check(word == "$var" && next() == "wire");
        check(next() == std::to_string(widths[b]));
        check(next() == codes[b]);
        const std::string reference = next();
        check(validReference(reference));
        check(references.insert(reference).second);
        // A name that is a reference and not an earlier bus's is kept; any
        // other is changed and has its comment.
        const bool keep = validReference(names[b]) && firstValid.insert(names[b]).second;
        check(keep ? reference == names[b] && !commented : commented);
        if (widths[b] > 1) check(next() == "[" + std::to_string(widths[b] - 1) + ":0]");
        check(next() == "$end");
    }
    check(next() == "$upscope" && next() == "$end" && next() == "$enddefinitions" && next() == "$end");
    check(i == w.size());
    return 0;
}
