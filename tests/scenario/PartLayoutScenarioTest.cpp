// Every part of the examples and of generated orchestral scores, as the file is read and after a
// pass that updates the layout of every part, is laid out as a notation program lays it out: no
// system begins or ends inside a multimeasure rest, and every system fits or holds one unit.
#include "host/formats/OrchestraScore.h"
#include "host/model/PartLayout.h"
#include "scenario/ScenarioFixture.h"
#include "tests/support/SystemExpectations.h"
#include "tests/support/TemporaryFolder.h"

namespace {

class PartLayoutScenarioTest : public ScenarioFixture {
protected:
    void ExpectEveryPartSound(const std::string& where) {
        for (const auto& [part, unused] : host.Document().Layouts()) {
            ExpectSoundSystems(PartLayout::Of(host.Document(), part), host.Layout().SystemWidth(),
                               where + ", part " + std::to_string(part));
        }
    }

    // The score as loaded, then after "Respace Using New Values" in "Full Score and All Parts".
    void ExpectSoundBeforeAndAfterAPass(const std::string& name) {
        ExpectEveryPartSound(name + " as read");
        Choose(1, 1);
        ASSERT_TRUE(RunPass()) << name;
        ExpectEveryPartSound(name + " after a pass");
    }
};

// The quartet is left out: its parts are laid out by hand, eight measures a system, for the
// scenarios that need a rest at the end of a system.
TEST_F(PartLayoutScenarioTest, ExamplesAndGeneratedScoresHaveSoundSystems) {
    for (const char* example : {"piano", "orchestra"}) {
        host.Reset();
        LoadExample(example);
        ExpectSoundBeforeAndAfterAPass(example);
    }
    for (const char* file : {"chamber.musicxml", "duo.musicxml"}) {
        LoadFile(std::string(CALVEX_SOURCE_DIR) + "/examples/" + file, true);
        ExpectSoundBeforeAndAfterAPass(file);
    }
    host.Reset();
    Load(OrchestraScore::Json(12, 300));
    ExpectSoundBeforeAndAfterAPass("a generated orchestra");
    const TemporaryFolder folder;
    const std::filesystem::path path = folder.Path() / "orchestra.musicxml";
    TemporaryFolder::WriteBytes(path, OrchestraScore::MusicXml(12, 300));
    LoadFile(path.string(), true);
    ExpectSoundBeforeAndAfterAPass("a generated orchestra in MusicXML");
}

} // namespace
