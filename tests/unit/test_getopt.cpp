// The option scanner on its own: each call's letter, argument and position.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "getopt.h"

namespace {

// Scans argv with the simulator's option string and records each result as
// "letter" or "letter=argument"; '?' results are recorded as "?".
struct Scan {
    std::vector<std::string> results;
    int endIndex;
    std::string err;
};

Scan scan(std::vector<const char*> words) {
    std::vector<char*> argv;
    std::vector<std::string> storage(words.begin(), words.end());
    for (std::string& w : storage) argv.push_back(&w[0]);
    resetGetopt();
    Scan s;
    testing::internal::CaptureStderr();
    int c;
    while ((c = getopt_(static_cast<int>(argv.size()), argv.data(), "C:c:S:EF:g:K:hmp:T:tu:W:Xz:")) != -1) {
        std::string r(1, static_cast<char>(c));
        if (c != '?' && optarg_) r += "=" + std::string(optarg_);
        s.results.push_back(r);
    }
    s.err = testing::internal::GetCapturedStderr();
    s.endIndex = optind_;
    return s;
}

using Results = std::vector<std::string>;

}  // namespace

TEST(Getopt, GroupsAndArguments) {
    EXPECT_EQ(scan({"k", "-tX"}).results, (Results{"t", "X"}));
    EXPECT_EQ(scan({"k", "-tT500"}).results, (Results{"t", "T=500"}));
    Scan separate = scan({"k", "-tT", "500", "-E"});
    EXPECT_EQ(separate.results, (Results{"t", "T=500", "E"}));
    EXPECT_EQ(separate.endIndex, 4);
    // An option's argument may itself begin with '-'.
    EXPECT_EQ(scan({"k", "-F", "-t"}).results, (Results{"F=-t"}));
}

TEST(Getopt, WhereTheOptionsEnd) {
    Scan dashes = scan({"k", "-t", "--", "-m"});
    EXPECT_EQ(dashes.results, Results{"t"});
    EXPECT_EQ(dashes.endIndex, 3);  // "--" is consumed
    Scan lone = scan({"k", "-t", "-", "-m"});
    EXPECT_EQ(lone.results, Results{"t"});
    EXPECT_EQ(lone.endIndex, 2);  // "-" is not
    Scan word = scan({"k", "word", "-t"});
    EXPECT_TRUE(word.results.empty());
    EXPECT_EQ(word.endIndex, 1);
    EXPECT_EQ(scan({"k"}).endIndex, 1);
}

TEST(Getopt, ErrorsAreReportedAndScanningGoesOn) {
    Scan s = scan({"prog", "-x", "-t:m", "-T"});
    EXPECT_EQ(s.results, (Results{"?", "t", "?", "m", "?"}));
    EXPECT_EQ(s.err,
              "prog: illegal option -- x\n"
              "prog: illegal option -- :\n"
              "prog: option requires an argument -- T\n");
    EXPECT_EQ(s.endIndex, 4);
    // "--x" is not the end marker: its letters are scanned.
    EXPECT_EQ(scan({"prog", "--t"}).results, (Results{"?", "t"}));
}

TEST(Getopt, IndexFindsTheFirstMatchOrTheTerminator) {
    char s[] = "abcabc";
    EXPECT_EQ(index_(s, 'b'), s + 1);
    EXPECT_EQ(index_(s, '\0'), s + 6);
    EXPECT_EQ(index_(s, 'z'), nullptr);
}
