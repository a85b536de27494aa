// Connection tab lists, with their cleared nodes kept for reuse.
#include "display/Tab.h"

void TabList::addTab(int cmp, int signalIndex, int xc, int yc) {
    Tab* t = spare;
    if (t)
        spare = t->link;
    else
        t = new Tab;
    *t = Tab{start, cmp, signalIndex, xc, yc};
    if (!start) oldest = t;
    start = t;
    length++;
}

void TabList::clear() {
    if (start) {
        oldest->link = spare;
        spare = start;
    }
    start = oldest = nullptr;
    length = 0;
}

TabList::~TabList() {
    clear();
    while (spare) {
        Tab* next = spare->link;
        delete spare;
        spare = next;
    }
}
