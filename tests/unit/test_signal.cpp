// Buses: wire numbering, names, and how every derived bus arranges wires.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "Ph1.h"
#include "Signal.h"

namespace {

std::vector<int> wires(const Signal& s) { return std::vector<int>(s.serialNumber, s.serialNumber + s.length); }

const SignalNode* node(int serial) {
    for (const SignalNode* n = phaseOne->signalList.start; n; n = n->ptr)
        if (n->signalSerialNumber == serial) return n;
    return nullptr;
}

}  // namespace

// Runs first in this program (which therefore has no death tests, as
// those run first): nothing but the two constants exists yet.
TEST(Signal, OnlyTheConstantsExistBeforeTheBuild) {
    ASSERT_NE(phaseOne, nullptr);
    const SignalList& list = phaseOne->signalList;
    ASSERT_EQ(list.numberOfSignals, 2);
    ASSERT_NE(list.start, nullptr);
    EXPECT_EQ(list.start->signalSerialNumber, 0);
    EXPECT_STREQ(list.start->name, "Zero[0]");
    EXPECT_EQ(list.start->value, ZERO);
    EXPECT_EQ(list.start->constSignal, 1);
    const SignalNode* one = list.start->ptr;
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->signalSerialNumber, 1);
    EXPECT_STREQ(one->name, "One[0]");
    EXPECT_EQ(one->value, ONE);
    EXPECT_EQ(one->constSignal, 1);
    EXPECT_EQ(one->ptr, nullptr);
    EXPECT_EQ(list.end, one);
}

// The numbering, naming and derivation cases of one small circuit: a
// 16-wire x declared first, then a one-wire y.
TEST(Signal, DeclaredAndDerivedBuses) {
    Signal x(16, "x");
    Signal y(1, "y");
    std::vector<int> xWires;
    for (int i = 0; i < 16; i++) xWires.push_back(2 + i);
    EXPECT_EQ(wires(x), xWires);
    EXPECT_EQ(wires(y), std::vector<int>{18});
    EXPECT_STREQ(node(2)->name, "x[0]");
    EXPECT_STREQ(node(17)->name, "x[15]");
    EXPECT_STREQ(node(18)->name, "y[0]");  // the index is written for one wire too
    EXPECT_EQ(node(17)->value, UNINITIALIZED);
    EXPECT_EQ(phaseOne->signalList.numberOfSignals, 19);

    // Bits: named with the index only when the source is wider than one wire.
    EXPECT_STREQ(x[3].nameTag, "x[3]");
    EXPECT_EQ(wires(x[3]), std::vector<int>{5});
    EXPECT_STREQ(y[0].nameTag, "y");

    // Concatenation: the left operand is the more significant part.
    Signal xy = (x, y);
    ASSERT_EQ(xy.length, 17);
    EXPECT_EQ(xy.serialNumber[0], 18);
    for (int i = 0; i < 16; i++) EXPECT_EQ(xy.serialNumber[1 + i], 2 + i);
    EXPECT_STREQ(xy.nameTag, "x,y");
    EXPECT_STREQ(xy[0].nameTag, "x,y[0]");

    // Slices in both directions.
    EXPECT_EQ(wires(x.sub(7, 4)), (std::vector<int>{6, 7, 8, 9}));
    EXPECT_EQ(wires(x.sub(4, 7)), (std::vector<int>{9, 8, 7, 6}));
    EXPECT_EQ(wires(x.sub(5, 5)), std::vector<int>{7});
    EXPECT_STREQ(x.sub(7, 4).nameTag, "x");

    // Replication.
    EXPECT_EQ(wires(4 * y), (std::vector<int>{18, 18, 18, 18}));
    EXPECT_EQ(wires(2 * x.sub(1, 0)), (std::vector<int>{2, 3, 2, 3}));
    EXPECT_EQ((0 * y).length, 0);
    EXPECT_EXIT((void)(-3 * y), testing::ExitedWithCode(1), "negative replication: -3");

    // Nothing derived declared a wire.
    EXPECT_EQ(phaseOne->signalList.numberOfSignals, 19);
}

TEST(Signal, RangeOverSerialNumbersMatchesConcatenation) {
    Signal a(1, "a"), b(1, "b"), c(1, "c");
    Signal range = a - c;
    EXPECT_EQ(wires(range), wires((a, b, c)));
    EXPECT_EQ(wires(range), (std::vector<int>{c.serialNumber[0], b.serialNumber[0], a.serialNumber[0]}));
    EXPECT_EQ(wires(c - a), (std::vector<int>{a.serialNumber[0], b.serialNumber[0], c.serialNumber[0]}));
    EXPECT_EQ(wires(b - b), std::vector<int>{b.serialNumber[0]});
    EXPECT_STREQ(range.nameTag, "a");
}

TEST(Signal, ConstantsAndEmptyBuses) {
    int before = phaseOne->signalList.numberOfSignals;
    Signal empty(0, "UnNamed");
    EXPECT_EQ(empty.length, 0);
    EXPECT_EQ(empty.serialNumber, nullptr);
    EXPECT_EQ(phaseOne->signalList.numberOfSignals, before);

    Signal mask(4, 5u, "m");
    const SignalValue expected[] = {ONE, ZERO, ONE, ZERO};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(node(before + i)->value, expected[i]) << "position " << i;
        EXPECT_EQ(node(before + i)->constSignal, 1);
    }
    EXPECT_EQ(mask.constSignal, 1);
    EXPECT_EQ(mask[2].constSignal, 1);  // carried into derived buses

    Signal valued(2, HIZ, 1, "v");
    EXPECT_EQ(node(before + 4)->value, HIZ);
    EXPECT_EQ(node(before + 5)->constSignal, 1);

    Signal anonymous(2, static_cast<const char*>(nullptr));
    EXPECT_STREQ(node(before + 6)->name, "Annon");
    EXPECT_STREQ(node(before + 7)->name, "Annon");
}

TEST(Signal, CopiesAreIndependentAndNamesAreOwned) {
    char name[8] = "temp";
    Signal t(2, name);
    std::strcpy(name, "XXXX");  // the caller's buffer may be reused
    EXPECT_STREQ(t.nameTag, "temp");
    EXPECT_STREQ(node(t.serialNumber[1])->name, "temp[1]");

    Signal copy(t);
    EXPECT_NE(copy.serialNumber, t.serialNumber);
    EXPECT_EQ(wires(copy), wires(t));
    copy.serialNumber[0] = 0;
    EXPECT_NE(t.serialNumber[0], 0);
}

TEST(Signal, BadSliceReportsAndGivesAnEmptyBus) {
    Signal x(4, "x");
    testing::internal::CaptureStderr();
    Signal s = x.sub(4, 1);
    const int line = __LINE__ - 1;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Signal member sub(int,int)--bad range: 4,1\nSource length = 4\n  expected: a position from 0 to 3\n"
              "  in tests/unit/test_signal.cpp:" +
                  std::to_string(line) + "\n");
    EXPECT_EQ(s.length, 0);
    EXPECT_EQ(s.serialNumber, nullptr);
}

TEST(Signal, PrintedForms) {
    Signal p(3, "p");
    testing::internal::CaptureStderr();
    p.print();
    node(p.serialNumber[2])->print();
    saySignalValue(XXX);
    saySignalValue(static_cast<SignalValue>(7));
    std::string err = testing::internal::GetCapturedStderr();
    char head[128];
    std::snprintf(head, sizeof head, "Signal.print() this=%p nameTag=p constSignal=0 length=3, numbered:\n     ",
                  static_cast<const void*>(&p));
    int s0 = p.serialNumber[0];
    std::string expected = std::string(head) + std::to_string(s0 + 2) + " " + std::to_string(s0 + 1) + " " +
                           std::to_string(s0) + " \n" + "   Signal number " + std::to_string(s0 + 2) +
                           "   constSignal = 0  Name: p[2]  Value: 1\n" + "XXXNOT A SIGNAL";
    EXPECT_EQ(err, expected);
}

// Moving a bus (as returning one does) keeps its wires and where it was made.
TEST(Signal, MovesKeepWiresAndPlace) {
    Signal x(3, "x");
    Signal moved(std::move(x));
    EXPECT_EQ(moved.length, 3);
    EXPECT_STREQ(moved.nameTag, "x");
    EXPECT_EQ(moved.madeAt.line, __LINE__ - 4);
    EXPECT_EQ(x.length, 0);
    EXPECT_EQ(x.serialNumber, nullptr);
}
