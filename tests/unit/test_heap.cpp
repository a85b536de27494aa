// The event heap: order and tie rules, exact shape against a recursive
// reference, a right path millions of nodes long, slot reuse, and the dump.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "Event.h"
#include "SkewHeap.h"

namespace {

Event at(unsigned long time, int wire = 0, SignalValue v = ONE) { return Event(time, signalChange, wire, v); }

// The merge rule as defined, recursively, on ordinary pointer nodes.
struct RefNode {
    RefNode* l = nullptr;
    RefNode* r = nullptr;
    unsigned long time;
    int tag;
};

RefNode* refMerge(RefNode* h1, RefNode* h2) {
    if (!h1) return h2;
    if (!h2) return h1;
    if (h2->time < h1->time) return refMerge(h2, h1);
    if (h1->l) {
        RefNode* oldLeft = h1->l;
        h1->l = refMerge(h1->r, h2);
        h1->r = oldLeft;
    } else {
        h1->l = h2;
    }
    return h1;
}

struct RefHeap {
    RefNode* root = nullptr;
    std::vector<RefNode*> owned;
    ~RefHeap() {
        for (RefNode* n : owned) delete n;
    }
    void add(unsigned long time, int tag) {
        RefNode* n = new RefNode;
        n->time = time;
        n->tag = tag;
        owned.push_back(n);
        root = refMerge(root, n);
    }
    int removeMin() {
        int tag = root->tag;
        root = refMerge(root->r, root->l);
        return tag;
    }
};

// Both trees as text: "(tag left right)", "." for no node. Iterative, so a
// long path does not matter.
std::string shape(const SkewHeap& h, unsigned int n) {
    std::string s;
    std::vector<long> stack{static_cast<long>(n)};
    while (!stack.empty()) {
        long x = stack.back();
        stack.pop_back();
        if (x == -1) { s += ')'; continue; }
        if (x == noEvent) { s += '.'; continue; }
        const HeapNode& e = h.node(x);
        s += '(' + std::to_string(h.payloadOf(x).signalSerialNumber);
        stack.push_back(-1);
        stack.push_back(e.rptr);
        stack.push_back(e.lptr);
    }
    return s;
}
std::string shape(const RefNode* n) {
    if (!n) return ".";
    return '(' + std::to_string(n->tag) + shape(n->l) + shape(n->r) + ')';
}

int rightPathLength(const SkewHeap& h) {
    int n = 0;
    for (unsigned int p = h.root; p != noEvent; p = h.node(p).rptr) n++;
    return n;
}

// The pattern that makes the right path long: each new earliest event takes
// the whole heap as its left child, and the late event after it swaps that
// heap over to the right. `pairs` pairs give a right path of that length.
template <typename Add>
void longRightPath(int pairs, Add add) {
    for (int i = 0; i < pairs; i++) {
        add(10ul * pairs - i, 2 * i);
        add(100ul * pairs + i, 2 * i + 1);
    }
}

}  // namespace

TEST(SkewHeap, LeavesInTimeOrderAndCopiesTheEvent) {
    SkewHeap h;
    EXPECT_EQ(h.isEmpty(), 1);
    EXPECT_EQ(h.getLength(), 0);
    h.add(Event(5, signalChange, 11, ZERO));
    h.add(Event(3, signalChange, 12, HIZ));
    h.add(Event(9, signalChange, 13, XXX));
    Event e = h.min();
    EXPECT_EQ(e.time, 3u);
    EXPECT_EQ(e.signalSerialNumber, 12);
    EXPECT_EQ(e.sigValue, HIZ);
    EXPECT_EQ(e.eventType, signalChange);
    h.removeMin();
    EXPECT_EQ(h.min().time, 5u);
    EXPECT_EQ(h.min().sigValue, ZERO);
    h.removeMin();
    EXPECT_EQ(h.min().time, 9u);
    EXPECT_EQ(h.min().signalSerialNumber, 13);
    EXPECT_EQ(h.getLength(), 1);
    h.removeMin();
    EXPECT_EQ(h.isEmpty(), 1);
    EXPECT_EQ(h.getLength(), 0);
}

TEST(SkewHeap, TiesKeepTheRootOnAddAndTakeTheRightChildOnRemove) {
    SkewHeap h;
    h.add(at(10, 1));  // A
    h.add(at(10, 2));  // B
    EXPECT_EQ(h.min().signalSerialNumber, 1);

    // Root 1 with a left child 3 and a right child 2, all at time 10: the
    // third add moves 2 to the right. Removing the root must surface the
    // right child.
    h.add(at(10, 3));
    const HeapNode& root = h.node(h.root);
    ASSERT_NE(root.lptr, noEvent);
    ASSERT_NE(root.rptr, noEvent);
    EXPECT_EQ(h.payloadOf(root.lptr).signalSerialNumber, 3);
    EXPECT_EQ(h.payloadOf(root.rptr).signalSerialNumber, 2);
    h.removeMin();
    EXPECT_EQ(h.min().signalSerialNumber, 2);
    h.removeMin();
    EXPECT_EQ(h.min().signalSerialNumber, 3);
}

// Random adds and removes with many equal times: after every operation the
// tree is exactly the recursive definition's tree, and the same events
// leave in the same order.
TEST(SkewHeap, SameShapeAsTheRecursiveDefinition) {
    std::mt19937 random(7);
    SkewHeap h;
    RefHeap ref;
    int tag = 0;
    for (int op = 0; op < 20000; op++) {
        if (h.isEmpty() || random() % 3 != 0) {
            unsigned long t = random() % 50;  // few distinct times: many ties
            h.add(at(t, tag));
            ref.add(t, tag);
            tag++;
        } else {
            int expected = ref.removeMin();
            ASSERT_EQ(h.min().signalSerialNumber, expected) << "operation " << op;
            h.removeMin();
        }
        if (op % 97 == 0) {
            ASSERT_EQ(shape(h, h.root), shape(ref.root)) << "operation " << op;
        }
    }
    while (!h.isEmpty()) {
        ASSERT_EQ(h.min().signalSerialNumber, ref.removeMin());
        h.removeMin();
    }
}

TEST(SkewHeap, LongRightPathMatchesTheRecursiveDefinition) {
    SkewHeap h;
    RefHeap ref;
    longRightPath(2000, [&](unsigned long t, int tag) {
        h.add(at(t, tag));
        ref.add(t, tag);
    });
    EXPECT_EQ(rightPathLength(h), 2000);
    EXPECT_EQ(shape(h, h.root), shape(ref.root));
    while (!h.isEmpty()) {
        ASSERT_EQ(h.min().signalSerialNumber, ref.removeMin());
        h.removeMin();
    }
}

// Four million events with a right path of two million nodes: a recursive
// merge would need two million nested calls to empty it.
TEST(SkewHeap, MillionsOfEventsOnOneRightPath) {
    const int pairs = 2000000;
    SkewHeap h;
    longRightPath(pairs, [&](unsigned long t, int tag) { h.add(at(t, tag)); });
    ASSERT_EQ(h.getLength(), 2 * pairs);
    ASSERT_EQ(rightPathLength(h), pairs);
    // The early events leave latest-added first, then the late ones in the
    // order they were added.
    for (int i = pairs - 1; i >= 0; i--) {
        ASSERT_EQ(h.min().signalSerialNumber, 2 * i);
        h.removeMin();
    }
    for (int i = 0; i < pairs; i++) {
        ASSERT_EQ(h.min().signalSerialNumber, 2 * i + 1);
        h.removeMin();
    }
    EXPECT_EQ(h.isEmpty(), 1);
}

TEST(SkewHeap, ReleasedSlotsAreReusedBeforeThePoolGrows) {
    SkewHeap h;
    for (int i = 0; i < 5000; i++) h.add(at(i));
    while (!h.isEmpty()) h.removeMin();
    const unsigned int capacity = h.capacity, used = h.used;
    for (int round = 0; round < 3; round++) {
        for (int i = 0; i < 5000; i++) h.add(at(5000 - i));
        while (!h.isEmpty()) h.removeMin();
    }
    EXPECT_EQ(h.capacity, capacity);
    EXPECT_EQ(h.used, used);
    // Clearing keeps the pool and starts over.
    h.add(at(1));
    h.clear();
    EXPECT_EQ(h.isEmpty(), 1);
    EXPECT_EQ(h.getLength(), 0);
    EXPECT_EQ(h.capacity, capacity);
}

TEST(SkewHeap, EventLineAndTreeDump) {
    testing::internal::CaptureStderr();
    Event(42, signalChange, 7, UNINITIALIZED).printEvent();
    Event(1, signalChange, 0, static_cast<SignalValue>(9)).printEvent();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              " printEvent()--Time: 42 EventType = 0 signalSerialNumber = 7 sigValue = UNINITIALIZED\n"
              " printEvent()--Time: 1 EventType = 0 signalSerialNumber = 0 sigValue = NOT A SIGNAL\n");

    SkewHeap h;
    h.add(at(1, 1, ZERO));
    h.add(at(2, 2, ONE));  // left child of the root
    testing::internal::CaptureStderr();
    h.print();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              " printEvent()--Time: 1 EventType = 0 signalSerialNumber = 1 sigValue = ZERO\n"
              " down-left printEvent()--Time: 2 EventType = 0 signalSerialNumber = 2 sigValue = ONE\n"
              " down-left up down-right up up down-right up\n");
}
