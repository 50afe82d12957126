#include "binding/HostApi.h"
#include "support/HostFixture.h"

#include <functional>

namespace {

// Host calls are logged with 64-bit arguments.
constexpr std::int64_t kInterfaceVersion = HostAbi::kInterfaceVersion;

// Most calls here are made for what they hand the host; where their answers are not under test
// they are dropped with static_cast<void>.
class HostApiTest : public HostFixture {};

struct VersionCase {
    const char* function;
    std::function<void()> call;
};

TEST_F(HostApiTest, EveryCallPassesTheInterfaceVersionLast) {
    const VersionCase cases[] = {
        {"FX_GetMaxLayers", [] { static_cast<void>(HostApi::GetMaxLayers()); }},
        {"FX_SlotToInst", [] { static_cast<void>(HostApi::SlotToInst(3, 7)); }},
        {"FX_InstToSlot", [] { static_cast<void>(HostApi::InstToSlot(5)); }},
        {"FX_GetMeasureDuration", [] { static_cast<void>(HostApi::GetMeasureDuration(1, 2)); }},
        {"FX_UpdateLayout", [] { static_cast<void>(HostApi::UpdateLayout()); }},
        {"FX_ExecuteMenuItem", [] { static_cast<void>(HostApi::ExecuteMenuItem(12106)); }},
        {"FX_GetNextPartID", [] { static_cast<void>(HostApi::GetNextPartID(0)); }},
        {"FX_GetCurrentWindow", [] { static_cast<void>(HostApi::GetCurrentWindow()); }},
        {"FX_LoadTGF", [] { static_cast<void>(HostApi::LoadTGF(1, 2, 3, 1)); }},
    };
    for (const VersionCase& c : cases) {
        host.ClearCalls();
        c.call();
        const auto calls = host.CallsTo(c.function);
        ASSERT_EQ(calls.size(), 1u) << c.function;
        EXPECT_EQ(calls[0].args.back(), kInterfaceVersion) << c.function;
    }
}

TEST_F(HostApiTest, ArgumentsReachTheHostInTheirOrder) {
    static_cast<void>(HostApi::LoadTGF(4, 12, 2, 1));
    static_cast<void>(HostApi::UpdateLayout());
    static_cast<void>(HostApi::InstToSlot(9));
    EXPECT_EQ(host.CallsTo("FX_LoadTGF")[0].args,
              (std::vector<std::int64_t>{0, 4, 12, 2, 1, kInterfaceVersion}));
    EXPECT_EQ(host.CallsTo("FX_UpdateLayout")[0].args,
              (std::vector<std::int64_t>{1, 0, kInterfaceVersion}));
    EXPECT_EQ(host.CallsTo("FX_InstToSlot")[0].args,
              (std::vector<std::int64_t>{9, 0, kInterfaceVersion}));
}

TEST_F(HostApiTest, RecordCallsCarryTheRecordsOwnVersion) {
    std::int16_t keys[3] = {7, 0, 0};
    std::int32_t size = 30;
    static_cast<void>(HostApi::LoadEData(0x534F4D53, keys, nullptr, &size, 0x12000000));
    static_cast<void>(HostApi::NextEData(0x534F4D53, keys, 0x0A000000));
    EXPECT_EQ(host.CallsTo("FX_LoadEData")[0].args,
              (std::vector<std::int64_t>{0x534F4D53, 7, 0, 0, 30, 0x12000000}));
    // The two reserved pointers go to the host as null.
    EXPECT_EQ(host.CallsTo("FX_NextEData")[0].args,
              (std::vector<std::int64_t>{0x534F4D53, 7, 0, 0, 0, 0, 0, 0x0A000000}));
}

TEST_F(HostApiTest, MissingFunctionsYieldTheirDefaultsWithoutACall) {
    for (const char* name : HostAbi::kNames) {
        host.HideFunction(name);
    }
    std::int16_t keys[3] = {1, 0, 0};
    std::int32_t size = 0;
    EXPECT_EQ(HostApi::GetMaxLayers(), 4);
    EXPECT_EQ(HostApi::GetCurrentPartID(), -1);
    EXPECT_EQ(HostApi::LoadEData(0x534F4D53, keys, nullptr, &size, kInterfaceVersion), 0);
    EXPECT_EQ(HostApi::LoadTGF(1, 1, 0, 1), nullptr);
    EXPECT_EQ(HostApi::GetNextPartID(0), 0);
    EXPECT_EQ(HostApi::GetCurrentWindow(), nullptr);
    EXPECT_EQ(HostApi::GetShowLayer(0), 0);
    HostApi::FreeTGF(nullptr);
    EXPECT_FALSE(HostApi::IsAvailable(HostFunction::FX_Dialog));
    EXPECT_TRUE(host.Calls().empty());
}

TEST_F(HostApiTest, AFunctionIsLookedUpOnceAndNeverAgain) {
    host.HideFunction("FX_GetCurrentPartID");
    EXPECT_EQ(HostApi::GetCurrentPartID(), -1);
    host.Reset(); // the host would now answer, but the first answer (none) is kept
    host.RegisterHostModule();
    EXPECT_EQ(HostApi::GetCurrentPartID(), -1);
    EXPECT_TRUE(host.CallsTo("FX_GetCurrentPartID").empty());
}

TEST_F(HostApiTest, EndAndCancelReachTheHostOnlyForAnOpenEdit) {
    EXPECT_EQ(HostApi::EndFinaleEdit(), 1);
    static_cast<void>(HostApi::CancelFinaleEdit());
    EXPECT_TRUE(host.CallsTo("FX_EndFinaleEdit").empty());
    EXPECT_TRUE(host.CallsTo("FX_CancelFinaleEdit").empty());

    // The stand-in refuses to open edits for now, yet the request still counts.
    static_cast<void>(HostApi::StartFinaleEdit("Calvex"));
    const std::uint16_t title[] = {'C', 0};
    static_cast<void>(HostApi::StartFinaleEditUTF16(title));
    EXPECT_EQ(HostApi::OpenEditCount(), 2);
    static_cast<void>(HostApi::EndFinaleEdit());
    static_cast<void>(HostApi::CancelFinaleEdit());
    static_cast<void>(HostApi::CancelFinaleEdit());
    EXPECT_EQ(HostApi::OpenEditCount(), 0);
    EXPECT_EQ(host.CallsTo("FX_EndFinaleEdit").size(), 1u);
    EXPECT_EQ(host.CallsTo("FX_CancelFinaleEdit").size(), 1u);
}

} // namespace
