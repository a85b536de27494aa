// Connection tab lists.
#include "display/Tab.h"

void TabList::addTab(int cmp, int signalIndex, int xc, int yc) {
    start = new Tab{start, cmp, signalIndex, xc, yc};
    length++;
}

void TabList::clear() {
    while (start) {
        Tab* next = start->link;
        delete start;
        start = next;
    }
    length = 0;
}
