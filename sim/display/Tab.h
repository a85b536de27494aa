// Connection tabs: where a component's input or output lead ends, recorded
// by the icon drawing of a pass and consumed by the interconnecting lines
// (PhaseFive::connect), which join every output tab to the input tabs of
// the same wire.
#ifndef KORVAX_TAB_H
#define KORVAX_TAB_H

// One connection tab.
class Tab {
public:
    Tab* link;        // next tab of the list (recorded earlier)
    int cmp;          // component index
    int signalIndex;  // wire serial number of the lead
    int xc, yc;       // world coordinates of the tab's centre
};

// A list of tabs, most recently recorded first. Owns its nodes. A cleared
// list keeps its nodes for the tabs to come, so that a repaint allocates
// only when it records more tabs than any pass before it.
class TabList {
public:
    Tab* start;  // most recent tab, or null when empty
    int length;  // number of tabs in the list

    TabList() : start(nullptr), length(0), oldest(nullptr), spare(nullptr) {}
    ~TabList();
    TabList(const TabList&) = delete;
    TabList& operator=(const TabList&) = delete;

    // Records a tab at the front of the list.
    void addTab(int cmp, int signalIndex, int xc, int yc);
    // Empties the list; its nodes are kept for later tabs.
    void clear();

private:
    Tab* oldest;  // the first tab recorded (the list's last node), or null when empty
    Tab* spare;   // nodes of cleared tabs, linked by `link`
};

#endif
