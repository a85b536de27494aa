// The record of causes (see Causes.h): one cache line per wire, written as
// changes are applied so that evaluations cost nothing more.
#include "Causes.h"

#include "Ph2.h"
#include "Ph3.h"
#include "Ph4.h"

WireRecordOfCauses* causeRecords = nullptr;
WireRarities* causeRarities = nullptr;

void allocateCauses(int signals) {
    causeRecords = new WireRecordOfCauses[signals > 0 ? signals : 1];
    causeRarities = new WireRarities[signals > 0 ? signals : 1];
    for (int w = 0; w < signals; w++) causeRecords[w].driver = -1;
    recordRestart();
}

void recordRestart() {
    for (int w = 0; w < phaseTwo->numberOfSignals; w++) {
        WireRecordOfCauses& r = causeRecords[w];
        r.changes = 0;
        r.warpMoved = unknownTime;
        causeRarities[w].warpAsked = unknownTime;
        causeRarities[w].refusedBy = -1;
    }
}

void recordEvent(int w, int v) {
    WireRecordOfCauses& r = causeRecords[w];
    const unsigned long now = phaseFour->time;
    const int slot = r.changes % historyLength;
    Change& c = r.history[slot];
    r.changes++;
    c.time = now;
    c.value = static_cast<unsigned char>(v);
    if (r.driver == sharedWire) causeRarities[w].owner[slot] = phaseFour->tsbOwner[w];
    const WireRecord& wr = phaseThree->wireRecords[w];
    const unsigned long since = now - wr.whenScheduled;
    c.saturated = since > UINT_MAX;
    c.sinceQueued = c.saturated ? UINT_MAX : static_cast<unsigned int>(since);
    c.lastQueued = wr.scheduledTime == now;
    c.warped = r.warpMoved == now;
}

void recordTimeWarp(int w, unsigned long, unsigned long moved) {
    causeRarities[w].warpAsked = phaseFour->time;
    causeRecords[w].warpMoved = moved;
}

void recordRefusal(int c, int w, int v) {
    causeRarities[w].refusedBy = c;
    causeRarities[w].refusedAt = phaseFour->time;
    causeRarities[w].refusedValue = static_cast<SignalValue>(v);
}

