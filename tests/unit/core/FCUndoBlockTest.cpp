#include "framework/core/FCUndoBlock.h"
#include "binding/HostApi.h"
#include "binding/PluginState.h"
#include "data/RecordTestSupport.h"
#include "framework/core/FCMusicRegion.h"
#include "framework/data/FCMeasure.h"
#include "platform/native/NativeUserScript.h"
#include "support/HostFixture.h"

#include <functional>
#include <string>

namespace {

using RecordTest::kMeasureTag;

// A handler that runs the given work and remembers what it saw while running.
class WorkHandler : public __FCUndoBlockHandler {
public:
    explicit WorkHandler(std::function<bool()> work) : work_(std::move(work)) {}

    bool Execute() override {
        ++runs;
        blockSeen = GetUndoBlock();
        runningSeen = blockSeen && blockSeen->IsRunning();
        return work_();
    }

    int runs = 0;
    FCUndoBlock* blockSeen = nullptr;
    bool runningSeen = false;

private:
    std::function<bool()> work_;
};

class FCUndoBlockTest : public HostFixture {
protected:
    void SetUp() override {
        HostFixture::SetUp();
        host.Selection().Select({0, 1, 3, 0, 0, 2, 4, FCMusicRegion::kEndOfMeasure});
    }

    // A change to the document as a record save makes it.
    void ChangeDocument() {
        host.Document().Shared().Put(0x534F4953, 7, 0, 0, RecordStore::Bytes(8, 0x5A));
    }

    FCUndoBlock block;
    FCString title{"Calvex"};
};

TEST_F(FCUndoBlockTest, AChangingHandlerRunsInsideTheEditWhichIsKeptAndRedrawn) {
    WorkHandler handler([this] {
        ChangeDocument();
        return true;
    });
    RunBlock(&block, &handler, &title);

    EXPECT_EQ(handler.runs, 1);
    EXPECT_EQ(handler.blockSeen, &block);
    EXPECT_TRUE(handler.runningSeen);
    EXPECT_FALSE(block.IsRunning());
    EXPECT_EQ(handler.GetUndoBlock(), nullptr);
    EXPECT_EQ(host.Edit().CommittedTitles(), std::vector<std::u16string>{u"Calvex"});
    EXPECT_NE(host.Document().Shared().Find(0x534F4953, 7, 0, 0), nullptr);
    // The host gets back the very region it handed out for the redraw.
    ASSERT_EQ(host.Selection().Redraws().size(), 1u);
    EXPECT_EQ(host.Selection().Redraws()[0], host.Selection().Selected());
    EXPECT_EQ(host.Selection().UnrecognisedRedraws(), 0);
    EXPECT_TRUE(NativeBeepLog().empty());
}

TEST_F(FCUndoBlockTest, AHandlerThatChangesNothingCancelsLeavingTheDocumentAsItWas) {
    host.Document().Shared().Put(0x534F4953, 3, 0, 0, RecordStore::Bytes(8, 0x11));
    host.Document().StoreFor(kMeasureTag).Put(kMeasureTag, 2, 0, 0, RecordStore::Bytes(30, 0x22));
    const HostDocument before = host.Document();
    WorkHandler handler([this] {
        // Whatever the handler touched before deciding, the cancel takes it back.
        FCMeasure measure;
        EXPECT_TRUE(measure.Load(2));
        measure.SetWidth(999);
        EXPECT_TRUE(measure.Save());
        ChangeDocument();
        host.Document().Shared().Erase(RecordKey{0x534F4953, {3, 0, 0}});
        return false;
    });
    RunBlock(&block, &handler, &title);

    EXPECT_TRUE(host.Document() == before);
    EXPECT_EQ(host.Edit().CancelledCount(), 1);
    EXPECT_TRUE(host.Edit().CommittedTitles().empty());
    EXPECT_TRUE(host.Selection().Redraws().empty());
    EXPECT_EQ(NativeBeepLog(), std::vector<UINT>{0x30});
    EXPECT_TRUE(NativeMessageBoxLog().empty());
}

TEST_F(FCUndoBlockTest, ASimpleBeepStandsInWhenTheWarningSoundFails) {
    NativeFailMessageBeep(0x30);
    WorkHandler handler([] { return false; });
    RunBlock(&block, &handler, &title);
    EXPECT_EQ(NativeBeepLog(), (std::vector<UINT>{0x30, 0xFFFFFFFF}));
}

TEST_F(FCUndoBlockTest, ARefusedEditStillRunsTheHandlerAndIsStillClosed) {
    struct Case {
        bool changed;
        const char* closingCall;
        const char* otherCall;
    };
    const Case cases[] = {{true, "FX_EndFinaleEdit", "FX_CancelFinaleEdit"},
                          {false, "FX_CancelFinaleEdit", "FX_EndFinaleEdit"}};
    for (const Case& c : cases) {
        host.ClearCalls();
        host.Edit().SetRefusing(true);
        WorkHandler handler([&c] { return c.changed; });
        RunBlock(&block, &handler, &title);

        EXPECT_EQ(handler.runs, 1) << c.closingCall;
        EXPECT_EQ(handler.blockSeen, nullptr) << c.closingCall;
        EXPECT_EQ(host.CallsTo(c.closingCall).size(), 1u) << c.closingCall;
        EXPECT_TRUE(host.CallsTo(c.otherCall).empty()) << c.closingCall;
        EXPECT_EQ(HostApi::OpenEditCount(), 0) << c.closingCall;
    }
}

TEST_F(FCUndoBlockTest, UndoTextsAreCutTo63UnitsAndNarrowedOnOldHosts) {
    // 70 units: a character beyond 8 bits at 0, 62 and 63; the narrow text keeps low bytes.
    std::u16string longTitle =
        u"\u0141" + std::u16string(61, u'x') + u"\u20AC\u0142" + std::u16string(6, u'y');
    const std::u16string expectedWide = longTitle.substr(0, 63);
    const std::u16string expectedNarrow = u"\u0041" + std::u16string(61, u'x') + u"\u00AC";
    struct Case {
        std::uint32_t version;
        const char* function;
        std::u16string received;
    };
    const Case cases[] = {{HostAbi::kInterfaceVersion, "FX_StartFinaleEdit_UTF16", expectedWide},
                          {kFirstUTF16HostVersion, "FX_StartFinaleEdit_UTF16", expectedWide},
                          {kFirstUTF16HostVersion - 1, "FX_StartFinaleEdit", expectedNarrow}};
    FCString text;
    text.SetUTF16(longTitle.c_str());
    for (const Case& c : cases) {
        host.Reset();
        host.RegisterHostModule();
        HostApi::ResetBinding();
        hostVersion = c.version;
        EXPECT_EQ(StartUndoableEdit(&text), 1);
        EXPECT_EQ(host.CallsTo(c.function).size(), 1u) << std::hex << c.version;
        EXPECT_EQ(host.Edit().RequestedTitles(), std::vector<std::u16string>{c.received})
            << std::hex << c.version;
        static_cast<void>(HostApi::CancelFinaleEdit());
    }
}

} // namespace
