#include "framework/data/FCParts.h"
#include "binding/HostApi.h"
#include "framework/data/FCPart.h"
#include "host/model/HostParts.h"
#include "support/HostFixture.h"

#include <vector>

namespace {

// Records which part was current for each part it was handed, and stops at a given call.
class RecordingHandler : public FCIteratorHandler {
public:
    explicit RecordingHandler(int stopAt = -1) : stopAt_(stopAt) {}

    bool Iterate(__FCBase* element) override {
        auto* part = static_cast<FCPart*>(element);
        parts.push_back(part->GetPartID());
        currentDuring.push_back(HostApi::GetCurrentPartID());
        return static_cast<int>(parts.size()) != stopAt_;
    }
    void IterationEnded() override { ++ended; }

    std::vector<int> parts;
    std::vector<int> currentDuring;
    int ended = 0;

private:
    int stopAt_;
};

class FCPartsTest : public HostFixture {
protected:
    void AddParts(const std::vector<std::uint16_t>& ids) {
        for (std::uint16_t id : ids) {
            HostParts::Add(host.Document(), id);
        }
    }

    static std::vector<int> IdsOf(const FCParts& parts) {
        std::vector<int> ids;
        for (int i = 0; i < parts.GetCount(); ++i) {
            ids.push_back(static_cast<FCPart*>(parts.GetItemAt(i))->GetPartID());
        }
        return ids;
    }
};

TEST_F(FCPartsTest, TheScoreComesFirstThenEveryPartTheHostLists) {
    struct Case {
        std::vector<std::uint16_t> inDocument;
        bool hostListsParts;
        std::vector<int> loaded;
    };
    const Case cases[] = {
        {{0}, true, {0}},
        {{0, 2, 5}, true, {0, 2, 5}},
        {{0, 2, 5}, false, {0}},
        {{2, 5}, true, {}},
    };
    for (const Case& c : cases) {
        host.Reset();
        host.RegisterHostModule();
        HostApi::ResetBinding();
        AddParts(c.inDocument);
        if (!c.hostListsParts) {
            host.HideFunction("FX_GetNextPartID");
        }
        FCParts parts;
        EXPECT_EQ(parts.LoadAll(), static_cast<int>(c.loaded.size()));
        EXPECT_EQ(IdsOf(parts), c.loaded);
    }
}

TEST_F(FCPartsTest, EachPartIsCurrentWhileTheHandlerLooksAtIt) {
    AddParts({0, 2, 5});
    host.Document().SetCurrentPart(5);
    FCParts parts;
    ASSERT_EQ(parts.LoadAll(), 3);
    RecordingHandler handler;
    EXPECT_EQ(parts.ForEachPart(&handler), 3);
    EXPECT_EQ(handler.parts, (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(handler.currentDuring, (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(handler.ended, 1);
    EXPECT_EQ(host.Document().CurrentPart(), 5);
}

TEST_F(FCPartsTest, AHandlerStoppingEarlyStillGetsTheCurrentPartBack) {
    AddParts({0, 2, 5});
    host.Document().SetCurrentPart(2);
    FCParts parts;
    ASSERT_EQ(parts.LoadAll(), 3);
    RecordingHandler handler(2);
    EXPECT_EQ(parts.ForEachPart(&handler), 1);
    EXPECT_EQ(handler.parts, (std::vector<int>{0, 2}));
    EXPECT_EQ(handler.ended, 1);
    EXPECT_EQ(host.Document().CurrentPart(), 2);
    for (int i = 0; i < parts.GetCount(); ++i) {
        EXPECT_FALSE(static_cast<FCPart*>(parts.GetItemAt(i))->IsSwitchedIn()) << i;
    }
}

TEST_F(FCPartsTest, APartIsSwitchedInOnlyWhileItsDocumentIsCurrent) {
    AddParts({0, 2});
    FCPart part(2);
    host.Document().SetNumber(4);
    part.SwitchTo();
    EXPECT_FALSE(part.IsSwitchedIn());
    EXPECT_EQ(host.Document().CurrentPart(), 0);

    FCPart other(2);
    other.SwitchTo();
    EXPECT_EQ(host.Document().CurrentPart(), 2);
    // Another document became current meanwhile: its current part is left alone.
    host.Document().SetNumber(1);
    other.SwitchBack();
    EXPECT_TRUE(other.IsSwitchedIn());
    EXPECT_EQ(host.Document().CurrentPart(), 2);
    host.Document().SetNumber(4);
    other.SwitchBack();
    EXPECT_FALSE(other.IsSwitchedIn());
    EXPECT_EQ(host.Document().CurrentPart(), 0);
}

TEST_F(FCPartsTest, PartsAreTheSameOnlyForTheSamePartOfTheSameDocument) {
    AddParts({0, 2});
    host.Document().SetCurrentPart(2);
    const FCPart current(FCPart::kCurrentPart);
    const FCPart sixteenBitCurrent(0xFFFF);
    const FCPart score(0);
    const FCPart two(2);
    host.Document().SetNumber(7);
    const FCPart twoElsewhere(2);
    EXPECT_EQ(current.GetPartID(), 2);
    EXPECT_EQ(sixteenBitCurrent.GetPartID(), 2);
    EXPECT_EQ(score.GetPartID(), 0);
    EXPECT_TRUE(two.IsSameClass(&current));
    EXPECT_FALSE(two.IsSameClass(&score));
    EXPECT_FALSE(two.IsSameClass(&twoElsewhere));
    EXPECT_FALSE(two.IsSameClass(nullptr));
}

} // namespace
