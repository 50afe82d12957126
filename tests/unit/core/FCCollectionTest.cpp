#include "framework/core/FCCollection.h"
#include "framework/core/FCStrings.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// An element that reports its own destruction, so ownership can be checked.
class Tracked : public __FCBase {
public:
    Tracked(int initial, int* deletions) : value(initial), deletions_(deletions) {}
    ~Tracked() override { ++*deletions_; }
    int value;

private:
    int* deletions_;
};

class LambdaHandler : public FCIteratorHandler {
public:
    std::function<bool(__FCBase*)> iterate = [](__FCBase*) { return true; };
    std::function<bool(__FCBase*, int)> iterateIndex = [](__FCBase*, int) { return true; };
    std::function<bool(__FCBase*)> match = [](__FCBase*) { return false; };

    bool Iterate(__FCBase* element) override { return iterate(element); }
    bool IterateIndex(__FCBase* element, int index) override {
        return iterateIndex(element, index);
    }
    bool IsMatch(__FCBase* element) override { return match(element); }
};

int ValueOf(__FCBase* element) {
    return static_cast<Tracked*>(element)->value;
}

TEST(FCCollectionTest, GrowsInBlocksTiedToTheCount) {
    // (element whose Add reallocates, capacity after it): block 10 while the count is at most
    // 100, 50 up to 1000, then 100.
    std::vector<std::pair<int, int>> expected;
    for (int capacity = 10; capacity <= 110; capacity += 10) {
        expected.emplace_back(capacity - 9, capacity);
    }
    expected.emplace_back(111, 150);
    for (int capacity = 200; capacity <= 1050; capacity += 50) {
        expected.emplace_back(capacity - 49, capacity);
    }
    expected.emplace_back(1051, 1100);
    expected.emplace_back(1101, 1200);

    __FCCollection collection;
    int deletions = 0;
    std::vector<std::pair<int, int>> growths;
    for (int i = 0; i < 1101; ++i) {
        const int before = collection.GetCapacity();
        collection.Add(new Tracked(i, &deletions));
        if (collection.GetCapacity() != before) {
            growths.emplace_back(collection.GetCount(), collection.GetCapacity());
        }
    }
    EXPECT_EQ(growths, expected);
}

TEST(FCCollectionTest, IndexAccessOutsideTheElementsYieldsNull) {
    __FCCollection collection;
    EXPECT_EQ(collection.GetItemAt(0), nullptr);
    int deletions = 0;
    collection.Add(new Tracked(7, &deletions));
    EXPECT_EQ(collection.GetItemAt(-1), nullptr);
    EXPECT_EQ(collection.GetItemAt(1), nullptr);
    EXPECT_EQ(ValueOf(collection.GetItemAt(0)), 7);
}

TEST(FCCollectionTest, ForEachStopsAtTheFirstFalseWithoutCountingIt) {
    __FCCollection collection;
    int deletions = 0;
    for (int i = 0; i < 5; ++i) {
        collection.Add(new Tracked(i, &deletions));
    }
    LambdaHandler handler;
    handler.iterate = [](__FCBase* element) { return ValueOf(element) != 2; };
    EXPECT_EQ(collection.ForEach(&handler), 2);
}

TEST(FCCollectionTest, WalksSkipNullSlotsAndVisitElementsAddedDuringTheWalk) {
    __FCCollection collection;
    int deletions = 0;
    collection.Add(new Tracked(0, &deletions));
    collection.Add(nullptr);
    collection.Add(new Tracked(2, &deletions));

    LambdaHandler handler;
    std::vector<int> seen;
    handler.iterate = [&](__FCBase* element) {
        seen.push_back(ValueOf(element));
        if (ValueOf(element) == 2) {
            collection.Add(new Tracked(3, &deletions));
        }
        return true;
    };
    EXPECT_EQ(collection.ForEach(&handler), 3);
    EXPECT_EQ(seen, (std::vector<int>{0, 2, 3}));

    std::vector<int> indices;
    handler.iterateIndex = [&](__FCBase*, int index) {
        indices.push_back(index);
        return true;
    };
    EXPECT_EQ(collection.ForEachIndex(&handler), 3);
    EXPECT_EQ(indices, (std::vector<int>{0, 2, 3}));
}

TEST(FCCollectionTest, FindFirstReturnsTheFirstMatchOrNull) {
    __FCCollection collection;
    LambdaHandler handler;
    handler.match = [](__FCBase* element) { return ValueOf(element) % 2 == 1; };
    EXPECT_EQ(collection.FindFirst(&handler), nullptr);
    EXPECT_EQ(collection.ForEach(&handler), 0);
    int deletions = 0;
    for (int value : {4, 5, 7}) {
        collection.Add(new Tracked(value, &deletions));
    }
    EXPECT_EQ(ValueOf(collection.FindFirst(&handler)), 5);
}

TEST(FCCollectionTest, OwnsItsElementsAndSkipsNullSlotsWhenDeleting) {
    int deletions = 0;
    {
        __FCCollection collection;
        collection.Add(new Tracked(1, &deletions));
        collection.Add(nullptr);
        collection.Add(new Tracked(2, &deletions));
        collection.ClearAll();
        EXPECT_EQ(deletions, 2);
        EXPECT_EQ(collection.GetCount(), 0);
        EXPECT_EQ(collection.GetCapacity(), 10);
        collection.Add(new Tracked(3, &deletions));
    }
    EXPECT_EQ(deletions, 3);
}

TEST(FCStringsTest, AddCopyKeepsItsOwnCopyAndIgnoresNull) {
    FCStrings strings;
    FCString text("first");
    strings.AddCopy(&text);
    strings.AddCopy(nullptr);
    text.SetCString("changed");
    ASSERT_EQ(strings.GetCount(), 1);
    EXPECT_STREQ(strings.GetItemAt(0)->GetCString(), "first");
    EXPECT_STREQ(strings.ClassName(), "FCStrings");
}

} // namespace
