// The scheduling layer: the transition table, per-wire ordering with the
// time-warp report, the alternative delays, and tri-state ownership.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Ph1.h"
#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"
#include "addStCmp.h"
#include "netlist.h"

namespace {

SecondaryEvaluatePointer noSecondary{nullptr};

// Wires 0 and 1 are the constants; wire 2 is "bus" (one wire), driven by
// three components at positions "p0", "pA", "pB".
class Scheduling : public testing::Test {
protected:
    const int bus = 2;

    void SetUp() override {
        startNetlist();
        Signal wire(1, "bus");
        Signal none(0, "UnNamed");
        for (const char* pos : {"p0", "pA", "pB"})
            addStandardComponent(nullptr, noSecondary, nullptr, nullptr, nullptr, nullptr, 1, 0, "Tsb", SD(pos),
                                 none, none, wire, 0, nullptr, 0, nullptr, 0, 0, 0);
        convertNetlist();
        phaseFour = new PhaseFour;
    }
    void TearDown() override {
        delete phaseFour;
        phaseFour = nullptr;
    }

    // Makes the wire's scheduling record say `v` was last queued at `t`.
    void scheduled(SignalValue v, unsigned long t = 0) {
        phaseThree->wireRecords[bus].scheduledSignal = v;
        phaseThree->wireRecords[bus].scheduledTime = t;
    }
    // Every queued event as "value@time", in leaving order; empties the heap.
    static std::string drain() {
        std::string s;
        SkewHeap& h = phaseFour->skewHeap;
        while (!h.isEmpty()) {
            Event e = h.min();
            if (!s.empty()) s += ' ';
            s += std::string(signalValueName(e.sigValue)) + "@" + std::to_string(e.time);
            h.removeMin();
        }
        return s;
    }
};

}  // namespace

// Every pair of the table, with quick delay 7 and lazy 10 from time 100:
// the events queued and the wire's new scheduled value.
TEST_F(Scheduling, TransitionTable) {
    const SignalValue values[5] = {ZERO, UNINITIALIZED, XXX, HIZ, ONE};
    const char* expected[5][5] = {
        // requested: ZERO, UNINITIALIZED, XXX, HIZ, ONE
        {"", "HIZ@110", "XXX@107", "HIZ@110", "XXX@107 ONE@110"},                     // from ZERO
        {"XXX@107 ZERO@110", "", "XXX@107", "HIZ@110", "XXX@107 ONE@110"},            // from UNINITIALIZED
        {"ZERO@110", "HIZ@110", "", "HIZ@110", "ONE@110"},                            // from XXX
        {"XXX@107 ZERO@110", "XXX@107", "XXX@107", "", "XXX@107 ONE@110"},            // from HIZ
        {"XXX@107 ZERO@110", "UNINITIALIZED@110", "XXX@110", "HIZ@110", ""},          // from ONE
    };
    phaseFour->time = 100;
    for (int from = 0; from < 5; from++)
        for (int to = 0; to < 5; to++) {
            scheduled(values[from]);
            phaseFour->signalTransition(bus, values[to], 7, 10);
            std::string queued = drain();
            EXPECT_EQ(queued, expected[from][to])
                << signalValueName(values[from]) << " -> " << signalValueName(values[to]);
            // The record follows the last event queued.
            if (!queued.empty()) {
                std::string last = queued.substr(queued.rfind(' ') + 1);
                EXPECT_EQ(last.substr(0, last.find('@')), signalValueName(phaseThree->wireRecords[bus].scheduledSignal));
                EXPECT_EQ(phaseThree->wireRecords[bus].whenScheduled, 100u);
            }
        }
}

TEST_F(Scheduling, SameValueOrNoValueQueuesAndAllocatesNothing) {
    // From UNINITIALIZED at time 0: XXX at 7, ONE at 10; asking for ONE
    // again before 10 queues nothing and takes no pool slot.
    phaseFour->signalTransition(bus, ONE, 7, 10);
    const unsigned int slotsUsed = phaseFour->skewHeap.used;
    phaseFour->time = 5;
    phaseFour->signalTransition(bus, ONE, 7, 10);
    EXPECT_EQ(phaseFour->skewHeap.used, slotsUsed);
    EXPECT_EQ(phaseFour->skewHeap.getLength(), 2);
    // A number that is not one of the five values, asked for or scheduled,
    // is ignored.
    phaseFour->signalTransition(bus, static_cast<SignalValue>(5), 7, 10);
    scheduled(static_cast<SignalValue>(-1), 10);
    phaseFour->signalTransition(bus, ZERO, 7, 10);
    EXPECT_EQ(drain(), "XXX@7 ONE@10");
}

TEST_F(Scheduling, EarlierEventsMoveBehindTheLastOne) {
    // ONE at 10 queued at 0; at time 2 ZERO is asked for: XXX at 9 moves
    // to 11 without a report (XXX), then ZERO at 12.
    phaseFour->signalTransition(bus, ONE, 7, 10);
    drain();
    phaseFour->time = 2;
    testing::internal::CaptureStderr();
    phaseFour->signalTransition(bus, ZERO, 7, 10);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(drain(), "XXX@11 ZERO@12");

    // ONE at 10 queued at 0; HIZ with delays 1, 2 at time 0 moves from 2
    // to 11, with the report.
    scheduled(ONE, 10);
    phaseThree->wireRecords[bus].whenScheduled = 0;
    phaseFour->time = 0;
    testing::internal::CaptureStderr();
    phaseFour->signalTransition(bus, HIZ, 1, 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "TIME WARP  sigNr = 2 sigName = bus[0]\n"
              " already sked to become ONE at time = 10, which was queued at time = 0\n"
              "  Now scheduling to become HIZ at time = 2.  Now Queueing-time = 0\n");
    EXPECT_EQ(drain(), "HIZ@11");
    EXPECT_EQ(phaseThree->wireRecords[bus].scheduledTime, 11u);

    // A time equal to the last one is not moved; UNINITIALIZED moves
    // silently.
    scheduled(ZERO, 20);
    phaseFour->time = 10;
    phaseFour->signalTransition(bus, UNINITIALIZED, 7, 10);  // HIZ at 20
    EXPECT_EQ(drain(), "HIZ@20");
    scheduled(HIZ, 30);
    testing::internal::CaptureStderr();
    phaseFour->signalTransition(bus, UNINITIALIZED, 7, 10);  // XXX at 17 -> 31
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(drain(), "XXX@31");
}

TEST_F(Scheduling, AlternativeDelaysAddFourAndNine) {
    phaseFour->time = 50;
    phaseFour->altSignalTransition(bus, ONE, 0);
    EXPECT_EQ(drain(), "XXX@54 ONE@59");
    phaseFour->altSignalTransition(bus, ZERO, 20);
    EXPECT_EQ(drain(), "XXX@74 ZERO@79");
}

TEST_F(Scheduling, TriStateOwnership) {
    const int a = 1, b = 2;  // components at "pA" and "pB"
    scheduled(HIZ);
    testing::internal::CaptureStdout();
    phaseFour->tsbSignalTransition(a, bus, ONE, 7, 10);  // A takes the wire
    EXPECT_EQ(phaseFour->tsbOwner[bus], a);
    phaseFour->tsbSignalTransition(b, bus, ZERO, 7, 10);  // refused
    phaseFour->tsbSignalTransition(b, bus, ONE, 7, 10);   // refused
    phaseFour->tsbSignalTransition(b, bus, HIZ, 7, 10);   // dropped silently
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Another Tsb at pB is trying to drive it to ZERO, this is not allowed\n"
              "Another Tsb at pB is trying to drive it to ONE, this is not allowed\n");
    EXPECT_EQ(drain(), "XXX@7 ONE@10");
    EXPECT_EQ(phaseThree->wireRecords[bus].scheduledSignal, ONE);

    // A lets go at 20; at 30, once the wire is free, B may take it.
    phaseFour->time = 20;
    phaseFour->tsbSignalTransition(a, bus, HIZ, 7, 10);
    EXPECT_EQ(phaseThree->wireRecords[bus].scheduledSignal, HIZ);
    phaseFour->time = 30;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    phaseFour->tsbSignalTransition(b, bus, ZERO, 7, 10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(phaseFour->tsbOwner[bus], b);
    EXPECT_EQ(drain(), "HIZ@30 XXX@37 ZERO@40");

    // UNINITIALIZED and XXX are taken from anyone and leave the owner alone.
    scheduled(XXX, 40);
    phaseFour->time = 40;
    phaseFour->tsbSignalTransition(a, bus, ONE, 7, 10);
    EXPECT_EQ(phaseFour->tsbOwner[bus], b);
    EXPECT_EQ(phaseThree->wireRecords[bus].scheduledSignal, ONE);
    drain();

    // The owner survives a restart.
    phaseFour->runInitialize();
    EXPECT_EQ(phaseFour->tsbOwner[bus], b);
}

TEST_F(Scheduling, AWireNoBufferTookIsOwnedByComponentZero) {
    scheduled(ZERO);
    testing::internal::CaptureStdout();
    phaseFour->tsbSignalTransition(1, bus, ONE, 7, 10);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Another Tsb at pA is trying to drive it to ONE, this is not allowed\n");
    EXPECT_EQ(drain(), "");
    phaseFour->tsbSignalTransition(0, bus, ONE, 7, 10);
    EXPECT_EQ(drain(), "XXX@7 ONE@10");
}
