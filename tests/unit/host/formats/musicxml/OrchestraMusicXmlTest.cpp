#include "host/formats/OrchestraScore.h"
#include "host/formats/json/ScoreFile.h"
#include "host/formats/musicxml/MusicXmlFixture.h"
#include "host/formats/musicxml/MusicXmlScoreSource.h"

namespace {

class OrchestraMusicXmlTest : public MusicXmlFixture {
protected:
    struct Music {
        std::vector<std::int32_t> durations;
        std::vector<int> busiest;
        PartLayout score;
    };

    Music Held() {
        Music music;
        for (std::int32_t measure = 1; measure <= host.Layout().MeasureCount(); ++measure) {
            music.durations.push_back(host.Layout().Duration(measure));
            music.busiest.push_back(
                host.Music().BusiestStaffEntryCount(static_cast<std::int16_t>(measure)));
        }
        music.score = Layout();
        return music;
    }
};

// The generated score in MusicXML holds the music and the score layout of its JSON form.
TEST_F(OrchestraMusicXmlTest, HoldsTheSameMusicAsTheJsonForm) {
    host.Reset();
    ScoreFile::Apply(OrchestraScore::Json(6, 40), host);
    const Music json = Held();
    host.Reset();
    MusicXmlScoreSource::FromText(OrchestraScore::MusicXml(6, 40), true, host);
    const Music musicXml = Held();
    EXPECT_EQ(musicXml.durations, json.durations);
    EXPECT_EQ(musicXml.busiest, json.busiest);
    EXPECT_EQ(musicXml.score.widths, json.score.widths);
    EXPECT_EQ(musicXml.score.SystemStarts(), json.score.SystemStarts());
    EXPECT_EQ(host.Document().Layouts().size(), 7u);
}

} // namespace
