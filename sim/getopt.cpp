// A small getopt: the scanner keeps a pointer into the current group of
// option letters, so "-tT500" yields t, then T with "500".
#include "getopt.h"

#include <cstdio>

int opterr_ = 1;
int optind_ = 1;
int optopt_ = 0;
char* optarg_ = nullptr;

namespace {
char emptyString[] = "";
char* place = emptyString;  // position inside the current group, or at an end
}  // namespace

const char* index_(const char* sp, char c) {
    do {
        if (*sp == c) return sp;
    } while (*sp++);
    return nullptr;
}

char* index_(char* sp, char c) { return const_cast<char*>(index_(static_cast<const char*>(sp), c)); }

void resetGetopt() {
    opterr_ = 1;
    optind_ = 1;
    optopt_ = 0;
    optarg_ = nullptr;
    place = emptyString;
}

int getopt_(int nargc, char** nargv, const char* ostr) {
    if (!*place) {
        if (optind_ >= nargc || nargv[optind_][0] != '-' || nargv[optind_][1] == '\0') return -1;
        if (nargv[optind_][1] == '-' && nargv[optind_][2] == '\0') {
            optind_++;
            return -1;
        }
        place = nargv[optind_] + 1;
    }
    optopt_ = *place++;
    const char* spec = index_(ostr, static_cast<char>(optopt_));
    if (optopt_ == ':' || spec == nullptr) {
        if (!*place) optind_++;
        if (opterr_) std::fprintf(stderr, "%s: illegal option -- %c\n", nargv[0], optopt_);
        return '?';
    }
    if (spec[1] != ':') {
        optarg_ = nullptr;
        if (!*place) optind_++;
        return optopt_;
    }
    if (*place) {
        optarg_ = place;
    } else if (++optind_ >= nargc) {
        place = emptyString;
        if (opterr_) std::fprintf(stderr, "%s: option requires an argument -- %c\n", nargv[0], optopt_);
        return '?';
    } else {
        optarg_ = nargv[optind_];
    }
    place = emptyString;
    optind_++;
    return optopt_;
}
