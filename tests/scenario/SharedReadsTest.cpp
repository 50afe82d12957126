// Reads whose answers cannot change during a pass are asked once per part, not once per measure:
// each multimeasure rest record, the automatic-update preference once it shows off, the
// clef-change preferences, and the staff at a slot of a system's list once per system (and twice
// more by the test whether the system overlaps the selection, which here is the system itself).
// A system's staff list is read once, to count its staves; their percentages are never read.
// Reads stop where their answer is known: a cell's layers are loaded only until one holds an
// entry, multimeasure rests are found by walking them (no load asks for a rest that is not
// there), a measure's duration is asked once, and the document number once a pass.
#include "binding/PluginState.h"
#include "host/model/HostRecords.h"
#include "host/standin/HostCall.h"
#include "scenario/ScenarioFixture.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

namespace {

constexpr std::int64_t kRestTag = HostRecords::Rest::kTag;
constexpr std::int64_t kAutoUpdateComponent = HostRecords::Component::TagOf("83");
// A pfDP and pfMI component.
constexpr std::int64_t kClefDistanceComponent = HostRecords::Component::TagOf("13");
constexpr std::int64_t kStaffListTag = HostRecords::StaffList::kTag;
constexpr std::int64_t kStaffPercentTag = HostRecords::StaffSize::kTag;

// The calls of a pass, split where the current part changes.
std::vector<std::vector<HostCall>> ByPart(const std::vector<HostCall>& calls) {
    std::vector<std::vector<HostCall>> parts(1);
    for (const HostCall& call : calls) {
        if (call.name == "FX_SetCurrentPartID") {
            parts.emplace_back();
        }
        parts.back().push_back(call);
    }
    return parts;
}

std::size_t MostLoadsOfOneRecord(const std::vector<HostCall>& calls, std::int64_t tag) {
    std::map<std::tuple<std::int64_t, std::int64_t>, std::size_t> loads;
    std::size_t most = 0;
    for (const HostCall& call : calls) {
        if (call.name == "FX_LoadEData" && call.args[0] == tag) {
            most = std::max(most, ++loads[{call.args[1], call.args[2]}]);
        }
    }
    return most;
}

// Each system has a staff list of its own (its item number), so a slot of a list is a slot of
// one system.
std::size_t MostLookUpsOfOneSlotOfASystem(const std::vector<HostCall>& calls) {
    std::map<std::tuple<std::int64_t, std::int64_t>, std::size_t> lookUps;
    std::size_t most = 0;
    for (const HostCall& call : calls) {
        if (call.name == "FX_SlotToInst" && call.args[1] != 0) {
            most = std::max(most, ++lookUps[{call.args[0], call.args[1]}]);
        }
    }
    return most;
}

class SharedReadsTest : public ScenarioFixture {};

TEST_F(SharedReadsTest, UnchangingAnswersAreAskedOncePerPart) {
    const struct {
        int mode;
        std::size_t restLoads;
        std::size_t autoUpdateLoads; // one showing it on, one showing it off
        std::size_t clefPreferenceLoads;
    } cases[] = {{0, 1, 2, 2}, {1, 1, 2, 0}, {2, 1, 1, 0}};
    for (const auto& c : cases) {
        host.Reset();
        LoadExample("orchestra");
        Choose(1, c.mode);
        host.ClearCalls();
        RunPass();
        for (const std::vector<HostCall>& part : ByPart(host.Calls())) {
            EXPECT_LE(MostLoadsOfOneRecord(part, kRestTag), c.restLoads) << "mode " << c.mode;
            EXPECT_LE(MostLoadsOfOneRecord(part, kAutoUpdateComponent), c.autoUpdateLoads)
                << "mode " << c.mode;
            EXPECT_LE(MostLoadsOfOneRecord(part, kClefDistanceComponent), c.clefPreferenceLoads)
                << "mode " << c.mode;
            EXPECT_LE(MostLookUpsOfOneSlotOfASystem(part), 3u) << "mode " << c.mode;
            EXPECT_LE(MostLoadsOfOneRecord(part, kStaffListTag), 1u) << "mode " << c.mode;
            EXPECT_EQ(MostLoadsOfOneRecord(part, kStaffPercentTag), 0u) << "mode " << c.mode;
        }
    }
}

// Loads of a layer of a cell after a layer of the same cell was found holding an entry.
std::size_t LayersLoadedPastAnEntry(const std::vector<HostCall>& calls) {
    std::map<std::tuple<std::int64_t, std::int64_t>, bool> holds;
    std::size_t past = 0;
    for (const HostCall& call : calls) {
        if (call.name == "FX_LoadTGF") {
            bool& known = holds[{call.args[1], call.args[2]}];
            past += known ? 1 : 0;
            known = known || call.answer > 0;
        }
    }
    return past;
}

std::size_t Count(const std::vector<HostCall>& calls, bool (*matches)(const HostCall&)) {
    return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(), matches));
}

std::size_t MostQueriesOfOneDuration(const std::vector<HostCall>& calls) {
    std::map<std::tuple<std::int64_t, std::int64_t>, std::size_t> queries;
    std::size_t most = 0;
    for (const HostCall& call : calls) {
        if (call.name == "FX_GetMeasureDuration") {
            most = std::max(most, ++queries[{call.args[0], call.args[1]}]);
        }
    }
    return most;
}

TEST_F(SharedReadsTest, ReadsStopWhereTheirAnswerIsKnown) {
    for (int mode = 0; mode <= 2; ++mode) {
        host.Reset();
        LoadExample("orchestra");
        Choose(1, mode);
        PluginSettings.useMMDurationSpacing = true;
        host.ClearCalls();
        RunPass();
        EXPECT_EQ(
            Count(host.Calls(),
                  [](const HostCall& call) { return call.name == "FX_GetCurrentEnigmaDocument"; }),
            1u)
            << "mode " << mode;
        for (const std::vector<HostCall>& part : ByPart(host.Calls())) {
            EXPECT_EQ(LayersLoadedPastAnEntry(part), 0u) << "mode " << mode;
            EXPECT_EQ(Count(part,
                            [](const HostCall& call) {
                                return call.name == "FX_LoadEData" && call.args[0] == kRestTag &&
                                       call.answer == 0;
                            }),
                      0u)
                << "mode " << mode;
            EXPECT_LE(MostQueriesOfOneDuration(part), 1u) << "mode " << mode;
        }
    }
}

} // namespace
