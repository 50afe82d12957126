// The plug-in's writes to the host - record saves, creates and deletes with their bytes, edit
// start, end and cancel, redraws, layout updates, menu commands and part switches - in the order
// and with the values of the checked-in log (tests/golden/writes.txt), for every example score
// in every scope and mode and for seeded random documents. Reads may be shared or dropped; the
// writes must not move. Rerun with CALVEX_UPDATE_GOLDEN=1 only when new writes are meant.
#include "binding/PluginState.h"
#include "host/files/ScoreError.h"
#include "host/standin/HostCall.h"
#include "scenario/ScenarioFixture.h"
#include "tests/support/RandomDocument.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace {

const std::set<std::string> kWrites = {
    "FX_SaveEData",     "FX_CreateEData",      "FX_DeleteEData",           "FX_StartFinaleEdit",
    "FX_EndFinaleEdit", "FX_CancelFinaleEdit", "FX_StartFinaleEdit_UTF16", "FX_RedrawMusic",
    "FX_UpdateLayout",  "FX_ExecuteMenuItem",  "FX_SetCurrentPartID"};

struct Pass {
    int scope;
    int mode;
};

constexpr Pass kPasses[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}, {2, 0}, {2, 1}, {2, 2}};
constexpr unsigned kRandomDocuments = 150;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The first line where two logs part, to show beside the failure.
std::string FirstDifference(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual);
    std::istringstream e(expected);
    std::string lineA;
    std::string lineE;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE) {
            return "none";
        }
        if (!moreA || !moreE || lineA != lineE) {
            return "line " + std::to_string(line) + ": got \"" + (moreA ? lineA : "<end>") +
                   "\", expected \"" + (moreE ? lineE : "<end>") + '"';
        }
    }
}

class WriteSequenceTest : public ScenarioFixture {
protected:
    // The writes of one pass with the settings in force, under a heading.
    std::string Writes(const std::string& heading) {
        host.ClearCalls();
        RunPass();
        std::ostringstream out;
        out << "# " << heading << '\n';
        for (const HostCall& call : host.Calls()) {
            if (kWrites.count(call.name) != 0) {
                out << call << '\n';
            }
        }
        return out.str();
    }

    std::string ExampleWrites(const char* name) {
        std::string writes;
        for (const Pass& pass : kPasses) {
            host.Reset();
            LoadExample(name);
            Choose(pass.scope, pass.mode);
            writes += Writes(std::string(name) + " scope " + std::to_string(pass.scope) + " mode " +
                             std::to_string(pass.mode));
        }
        return writes;
    }

    std::string RandomWrites(unsigned seed) {
        RandomDocument document(seed);
        host.Reset();
        Load(document.Json());
        ChooseRandomly(document);
        return Writes("random document " + std::to_string(seed));
    }
};

TEST_F(WriteSequenceTest, WritesMatchTheCheckedInLog) {
    std::string writes;
    for (const char* example : {"piano", "quartet", "orchestra"}) {
        writes += ExampleWrites(example);
    }
    for (unsigned seed = 1; seed <= kRandomDocuments; ++seed) {
        try {
            writes += RandomWrites(seed);
        } catch (const ScoreError& error) {
            FAIL() << "seed " << seed << ": " << error.what();
        }
    }
    const std::string path = std::string(CALVEX_SOURCE_DIR) + "/tests/golden/writes.txt";
    if (std::getenv("CALVEX_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << writes;
    }
    const std::string expected = ReadFile(path);
    EXPECT_TRUE(writes == expected)
        << "first difference from " << path << ": " << FirstDifference(writes, expected);
}

} // namespace
