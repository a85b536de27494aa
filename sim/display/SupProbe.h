// Super probes: value boxes laid over the connection tabs of the first
// picture, so that with F8 every lead shows its wire's value. Recorded by
// icon drawing while PhaseFive::superProbeCollect is set, drawn by
// PhaseFive::displaySuperProbes.
#ifndef KORVAX_SUPPROBE_H
#define KORVAX_SUPPROBE_H

// One super probe: the world rectangle of the tab it covers.
class SuperProbe {
public:
    SuperProbe* link;  // next super probe of the list (recorded earlier)
    int signalIndex;   // wire serial number whose value it shows
    int x, y, w, h;    // the tab's rectangle, world coordinates
};

// A list of super probes, most recently recorded first. Owns its nodes.
class SuperProbeList {
public:
    SuperProbe* start;  // most recent super probe, or null when empty

    SuperProbeList() : start(nullptr) {}
    ~SuperProbeList() { clear(); }
    SuperProbeList(const SuperProbeList&) = delete;
    SuperProbeList& operator=(const SuperProbeList&) = delete;

    // Records a super probe at the front of the list.
    void addSuperProbe(int signalIndex, int x, int y, int w, int h);
    // Frees every super probe; the list is empty.
    void clear();
};

#endif
