// Descriptors, component registration into the phase-one lists, and the
// build errors that end the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Ph1.h"
#include "Schmtc.h"
#include "addStCmp.h"
#include "components/msi.h"

TEST(Descriptor, TopLevelAndNested) {
    SD top("bc");
    EXPECT_EQ(top.graphicLevel, 1);
    EXPECT_STREQ(top.graphicPosition(), "bc");
    EXPECT_EQ(top.decal, nullptr);

    SD ad("ad");
    SD x(ad, "ac-ae", "X");
    SD inner(x, "aa");
    EXPECT_EQ(x.graphicLevel, 2);
    EXPECT_EQ(inner.graphicLevel, 3);
    EXPECT_STREQ(x.graphicPosition(), "ad.ac-ae");
    EXPECT_STREQ(inner.graphicPosition(), "ad.ac-ae.aa");
    EXPECT_STREQ(x.decal, "X");
    EXPECT_STREQ(inner.decal, "X");  // inherited

    SD alu("aa", "ALU");
    SD add(alu, "ab", "add");
    EXPECT_STREQ(add.decal, "ALUadd");

    // A dotted top-level position is still level 1.
    EXPECT_EQ(SD("da-ea.ac").graphicLevel, 1);
}

TEST(Descriptor, RelabelAndCopy) {
    SD base(SD("aa"), "bb", "old");
    SD relabelled = (base, "new");
    EXPECT_EQ(relabelled.graphicLevel, 2);
    EXPECT_STREQ(relabelled.graphicPosition(), "aa.bb");
    EXPECT_STREQ(relabelled.decal, "new");
    EXPECT_STREQ(base.decal, "old");
    EXPECT_EQ((base, nullptr).decal, nullptr);

    // A copy shares the position record and keeps it when the original
    // goes; the label is its own.
    SD* original = new SD(SD("aa"), "bb", "gone");
    SD copy(*original);
    delete original;
    EXPECT_EQ(copy.position, base.position);
    EXPECT_STREQ(copy.graphicPosition(), "aa.bb");
    EXPECT_STREQ(copy.decal, "gone");

    char position[8] = "cc";
    SD owned(position);
    position[0] = 'z';
    EXPECT_STREQ(owned.graphicPosition(), "cc");
}

// Positions are records of their fields, interned: the same string is the
// same record however it was made (nested, dotted, copied), spelt out in
// full on request; a record's parent comes before it.
TEST(Descriptor, PositionsAreSharedRecordsOfTheirFields) {
    SD top("ad");
    SD nested(SD(top, "ac-ae"), "aa");
    EXPECT_EQ(nested.position, positionOf("ad.ac-ae.aa"));
    EXPECT_EQ(nested.position, positionOf(top.position, "ac-ae.aa"));
    EXPECT_EQ(nested.position->parent, positionOf("ad.ac-ae"));
    EXPECT_EQ(nested.position->parent->parent, top.position);
    EXPECT_EQ(top.position->parent, nullptr);
    EXPECT_STREQ(nested.position->text, "aa");
    EXPECT_EQ(nested.position->stringLength, 11u);
    EXPECT_LT(top.position->serial, nested.position->serial);
    EXPECT_LT(nested.position->serial, positionFieldCount());
    EXPECT_NE(positionOf("ad.ac"), positionOf("ad.ae"));
    // Empty fields are fields: "", "ab.", ".ab" and "ab..cd" keep every dot.
    EXPECT_STREQ(positionString(positionOf("")), "");
    EXPECT_STREQ(positionString(positionOf("ab.")), "ab.");
    EXPECT_STREQ(positionString(positionOf(positionOf("ab"), "")), "ab.");
    EXPECT_EQ(positionOf(positionOf("ab"), ""), positionOf("ab."));
    EXPECT_STREQ(positionString(positionOf(".ab")), ".ab");
    EXPECT_STREQ(positionString(positionOf("ab..cd")), "ab..cd");
    EXPECT_STREQ(SD().graphicPosition(), "");
    // The text is made once and kept.
    EXPECT_EQ(nested.graphicPosition(), nested.graphicPosition());

    // A chain 20000 deep: one record a level, each string spelt out right.
    SD level("aa");
    std::vector<const PositionField*> chain;
    for (int i = 0; i < 20000; i++) {
        SD deeper(level, i % 2 ? "ab" : "ba");
        level = deeper;
        chain.push_back(level.position);
    }
    EXPECT_EQ(level.graphicLevel, 20001);
    EXPECT_EQ(chain.back()->stringLength, 2u + 20000u * 3u);
    const std::string whole = level.graphicPosition();
    EXPECT_EQ(whole.substr(0, 9), "aa.ba.ab.");
    EXPECT_EQ(whole.substr(whole.size() - 3), ".ab");
    EXPECT_EQ(positionOf(whole.c_str()), chain.back());
}

namespace {

void evaluate(int) {}
void hook(int) {}
const int icon[] = {0};

const ComponentNode* lastComponent() { return phaseOne->componentList.end; }

}  // namespace

TEST(Registration, FullFormCopiesEverything) {
    Signal in(3, "in"), control(1, "ctl"), out(2, "out");
    int ints[] = {7, -8};
    unsigned char bytes[] = {1, 2, 3};
    int first = phaseOne->componentList.numberOfComponents;
    SecondaryEvaluatePointer none{nullptr};
    addStandardComponent(evaluate, none, icon, hook, hook, nullptr, 1, 1, "Default", SD(SD("aa"), "bb"), in,
                         control, out, 2, ints, 3, bytes, 4, 5, 6);
    ints[0] = 0;  // the caller's buffers may be temporaries
    bytes[0] = 0;
    const ComponentNode* c = lastComponent();
    EXPECT_EQ(c->componentIndex, first);
    EXPECT_EQ(c->ptr, nullptr);
    EXPECT_EQ(c->logicEvaluate, evaluate);
    EXPECT_EQ(c->iconArray, icon);
    EXPECT_EQ(c->drawDynamic, hook);
    EXPECT_EQ(c->xEventTriggered, hook);
    EXPECT_EQ(c->outputOverloadable, 1);
    EXPECT_EQ(c->selfActivating, 1);
    EXPECT_STREQ(c->decal, "Default");
    EXPECT_STREQ(positionString(c->position), "aa.bb");
    EXPECT_EQ(c->graphicLevel, 2);
    ASSERT_EQ(c->numberOfDataInputs, 3);
    for (int i = 0; i < 3; i++) EXPECT_EQ(c->dataInputs[i], in.serialNumber[i]);
    ASSERT_EQ(c->numberOfControlInputs, 1);
    EXPECT_EQ(c->controlInputs[0], control.serialNumber[0]);
    ASSERT_EQ(c->numberOfOutputs, 2);
    EXPECT_EQ(c->outputs[1], out.serialNumber[1]);
    ASSERT_EQ(c->numberOfIntegerParameters, 2);
    EXPECT_EQ(c->integerParameters[0], 7);
    EXPECT_EQ(c->integerParameters[1], -8);
    ASSERT_EQ(c->numberOfByteParameters, 3);
    EXPECT_EQ(c->byteParameters[0], 1);
    EXPECT_EQ(c->numberOfInternal32BitVariables, 4);
    EXPECT_EQ(c->numberOfInternal16BitVariables, 5);
    EXPECT_EQ(c->numberOfInternal8BitVariables, 6);
}

TEST(Registration, BasicFormLabelsAndEmptyGroups) {
    Signal in(1, "in");
    Signal none(0, "UnNamed");
    int n = phaseOne->componentList.numberOfComponents;
    addStandardComponent(evaluate, icon, "Adder", SD("aa", "mine"), in, none, none);
    EXPECT_STREQ(lastComponent()->decal, "mine");  // the descriptor's label wins
    addStandardComponent(evaluate, icon, "Adder", SD("aa"), in, none, none);
    const ComponentNode* c = lastComponent();
    EXPECT_EQ(c->componentIndex, n + 1);
    EXPECT_STREQ(c->decal, "Adder");
    EXPECT_EQ(c->numberOfControlInputs, 0);
    EXPECT_EQ(c->controlInputs, nullptr);
    EXPECT_EQ(c->outputs, nullptr);
    EXPECT_EQ(c->drawDynamic, nullptr);
    EXPECT_EQ(c->outputOverloadable, 0);
    EXPECT_EQ(c->integerParameters, nullptr);
    EXPECT_EQ(c->numberOfInternal32BitVariables, 0);
}

// The display tells a multiplexer by the flag it registers with (F7 draws
// lines only to multiplexer inputs): Mux sets it, the other components and
// the plain registration calls leave it 0.
TEST(Registration, OnlyMuxIsMarkedMultiplexer) {
    Signal sel(1, "sel"), data(2, "data"), q(1, "q"), sum(2, "sum"), none(0, "UnNamed");
    Mux(SD("aa"), sel, data, q);
    EXPECT_EQ(lastComponent()->multiplexer, 1);
    Adder(SD("ab"), (data, data), sum);
    EXPECT_EQ(lastComponent()->multiplexer, 0);
    addStandardComponent(evaluate, icon, "Plain", SD("ac"), data, sel, q);
    EXPECT_EQ(lastComponent()->multiplexer, 0);
}

TEST(Registration, InvisibleComponentsHaveNoIcon) {
    Signal in(1, "in"), none(0, "UnNamed");
    visibleFlag = 0;
    addStandardComponent(evaluate, icon, "Hidden", SD("aa"), in, none, none);
    visibleFlag = 1;
    EXPECT_EQ(lastComponent()->iconArray, nullptr);
    EXPECT_EQ(lastComponent()->logicEvaluate, evaluate);
    addStandardComponent(evaluate, icon, "Shown", SD("aa"), in, none, none);
    EXPECT_EQ(lastComponent()->iconArray, icon);
}

TEST(Registration, SwitchRecordsTheNextComponent) {
    Signal key(1, "key"), none(0, "UnNamed");
    int next = phaseOne->componentList.numberOfComponents;
    phaseOne->switchList.add(key.serialNumber[0], 'q');
    addStandardComponent(nullptr, icon, "Switch", SD("aa"), none, none, key);
    const SwitchNode* s = phaseOne->switchList.end;
    EXPECT_EQ(s->componentNumber, next);
    EXPECT_EQ(s->signalSerialNumber, key.serialNumber[0]);
    EXPECT_EQ(s->keyChar, 'q');
    EXPECT_EQ(lastComponent()->componentIndex, next);
}

TEST(Registration, ListingAndUnnumberedAppend) {
    PhaseOne* saved = phaseOne;
    phaseOne = new PhaseOne;
    Signal none(0, "UnNamed");
    addStandardComponent(nullptr, nullptr, "First", SD("aa"), none, none, none);
    addStandardComponent(nullptr, nullptr, "Second", SD("ab", "2nd"), none, none, none);
    ComponentNode extra;
    extra.componentIndex = 99;
    char label[] = "Extra";
    extra.decal = label;
    phaseOne->listComponent(&extra);
    EXPECT_EQ(phaseOne->componentList.numberOfComponents, 3);
    EXPECT_EQ(extra.componentIndex, 99);  // listComponent does not number
    testing::internal::CaptureStderr();
    phaseOne->componentList.print();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "  componentIndex = 0 decal = First\n"
              "  componentIndex = 1 decal = 2nd\n"
              "  componentIndex = 99 decal = Extra\n");
    testing::internal::CaptureStderr();
    delete phaseOne;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "There are 3 components.\nThere are 0 signals.\n");
    phaseOne = saved;
}

TEST(RegistrationDeathTest, CountedDiagnosticsStopAtTheEndOfPhaseOne) {
    EXPECT_EXIT(
        {
            phaseOne->fatalDiagnosticCount = 3;
            delete phaseOne;
        },
        testing::ExitedWithCode(1), "^3 Fatal Diagnostic\\(s\\)--Can't Continue.\n$");
}

// Bus misuse that ends the program while the circuit is being built.
TEST(RegistrationDeathTest, SubscriptOutOfRangeEndsTheProgram) {
    Signal x(16, "x");
    EXPECT_EXIT(x[16], testing::ExitedWithCode(1),
                "Signal :: operator\\[\\] subscript out of range--\n  -- Signal = x sub = 16\n");
    EXPECT_EXIT(x[-1], testing::ExitedWithCode(1), "sub = -1");
}

// An assignment between buses ends the build, naming the line of the
// assignment whatever the right-hand side is: a bus, or a bus the
// expression makes (bit, slice, concatenation, replication, range, a new
// declaration).
TEST(RegistrationDeathTest, AssignmentEndsTheBuildNamingItsLine) {
    Signal a(2, "a"), b(3, "b"), c(1, "c");
    const std::string refused =
        "Assignment from SignalName = b to Signal Name = a not implemented.\n"
        "  Try to use initialization instead -- or talk to the Prof.\n"
        "  in tests/unit/test_registration.cpp:";
    auto at = [](int line) { return "  in tests/unit/test_registration.cpp:" + std::to_string(line) + "\n$"; };
    EXPECT_EXIT(a = b, testing::ExitedWithCode(1), "^" + refused + std::to_string(__LINE__) + "\n$");
    EXPECT_EXIT(a = b[1], testing::ExitedWithCode(1), at(__LINE__));
    EXPECT_EXIT(a = b.sub(2, 1), testing::ExitedWithCode(1), at(__LINE__));
    EXPECT_EXIT(a = (b, c), testing::ExitedWithCode(1), at(__LINE__));
    EXPECT_EXIT(a = 2 * c, testing::ExitedWithCode(1), at(__LINE__));
    EXPECT_EXIT(a = c - c, testing::ExitedWithCode(1), at(__LINE__));
    EXPECT_EXIT(a = Signal(2, "d"), testing::ExitedWithCode(1), at(__LINE__));
}

TEST(RegistrationDeathTest, RangeNeedsOneWireOperands) {
    Signal x(2, "x"), y(1, "y");
    EXPECT_EXIT(x - y, testing::ExitedWithCode(1), "Error--operator - arguments are not length = 1.\n");
    EXPECT_EXIT(y - x, testing::ExitedWithCode(1), "not length = 1");
}
