#include "host/formats/musicxml/MusicXmlMapping.h"
#include "host/formats/musicxml/MusicXmlFixture.h"
#include "host/formats/musicxml/MusicXmlReader.h"

namespace {

using Json = nlohmann::json;

class MusicXmlMappingTest : public MusicXmlFixture {
protected:
    static Json Mapped(const std::vector<std::string>& parts, bool linkedParts = false,
                       const std::string& defaults = "") {
        return MusicXmlMapping::ScoreJson(MusicXmlReader::Read(Score(parts, defaults)),
                                          linkedParts);
    }

    std::vector<std::int32_t> Durations(const std::string& measures) {
        Open(Write("meters.musicxml", Score({measures})));
        std::vector<std::int32_t> durations;
        for (std::int32_t measure = 1; measure <= host.Layout().MeasureCount(); ++measure) {
            durations.push_back(host.Layout().Duration(measure));
        }
        return durations;
    }
};

std::string Time(const std::string& signature) {
    return "<time>" + signature + "</time>";
}

TEST_F(MusicXmlMappingTest, MeasureDurationsFollowMetersAndShorterOrLongerMusic) {
    struct Case {
        const char* name;
        std::string measures;
        std::vector<std::int32_t> durations;
    };
    const std::string fourFour = Time("<beats>4</beats><beat-type>4</beat-type>");
    const Case cases[] = {
        {"a pickup takes its length from its notes",
         Measure(0, Divisions(1, fourFour) + Note(1)) + Measure(1, Note(4)),
         {1024, 4096}},
        {"additive beats are summed and kept by the next measure",
         Measure(1, Divisions(2, Time("<beats>3+2</beats><beat-type>8</beat-type>")) + Note(5)) +
             Measure(2, ""),
         {2560, 2560}},
        {"composite meters are summed",
         Measure(1, Divisions(2, Time("<beats>3</beats><beat-type>8</beat-type>"
                                      "<beats>2</beats><beat-type>4</beat-type>"))),
         {3584}},
        {"a measure longer than its meter keeps its notes",
         Measure(1, Divisions(1, fourFour) + Note(4) + Note(1)),
         {5120}},
        {"no meter at all is 4/4", Measure(1, Divisions(4)), {4096}},
        {"voices that backup are measured by the longest",
         Measure(1, Divisions(1, Time("<beats>2</beats><beat-type>4</beat-type>")) + Note(1) +
                        "<backup><duration>1</duration></backup>" + Note(2)),
         {2048}},
        {"triplet eighths fill their meter exactly",
         Measure(1, Divisions(3, Time("<beats>2</beats><beat-type>4</beat-type>")) + Note(1) +
                        Note(1) + Note(1) + Note(1) + Note(1) + Note(1)),
         {2048}},
        {"quintuplet sixteenths and a backup inside the quintuplet",
         Measure(1, Divisions(5, Time("<beats>1</beats><beat-type>4</beat-type>")) + Note(2) +
                        "<backup><duration>1</duration></backup>" + Note(4)),
         {1024}},
        {"durations that are no whole number of host units add up to the meter",
         Measure(1, Divisions(3, Time("<beats>3</beats><beat-type>4</beat-type>")) + Note(5) +
                        Note(4)),
         {3072}},
        {"divisions changed inside a measure keep the place exactly",
         Measure(1, Divisions(3, fourFour) + Note(2) + Divisions(5) + Note(5) + Divisions(3) +
                        Note(7)),
         {4096}},
        {"a measure left inside a tuplet is rounded to the nearest 64th",
         Measure(0, Divisions(3, fourFour) + Note(1)) + Measure(1, Note(12)),
         {320, 4096}},
        {"an irregular note longer than a 64th-note grid reaches is rounded to a coarser grid",
         Measure(1, Divisions(3, fourFour) + Note(151)),
         {51200}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(Durations(test.measures), test.durations) << test.name;
    }
}

// Voices keep their layers through the part: voice 9, the sixth voice met, joins the fourth.
TEST_F(MusicXmlMappingTest, VoicesFillLayersInOrderAndChordsAreOneEntry) {
    const std::string back = "<backup><duration>4</duration></backup>";
    std::string chord;
    for (int note = 0; note < 15; ++note) {
        chord += Note(4, note ? "<chord/><voice>9</voice>" : "<voice>9</voice>");
    }
    const Json score = Mapped(
        {Measure(1, Divisions(1) + Note(2, "<voice>1</voice>") +
                        Note(2, "<chord/><voice>1</voice>") + Rest(2, "<voice>1</voice>") + back +
                        Note(4, "<voice>2</voice>") + back + Note(4, "<voice>3</voice>") + back +
                        Note(4, "<voice>4</voice>") + back + Note(4, "<voice>5</voice>")) +
         Measure(2, "<note><rest measure=\"yes\"/><duration>4</duration></note>") +
         Measure(3, "<forward><duration>4</duration></forward>") +
         Measure(4,
                 "<note><grace/><pitch><step>D</step><octave>4</octave></pitch></note>" + chord)});
    const Json expected = Json::parse(R"([
        {"staff": 1, "measure": 1, "layer": 0, "notes": [2, 0]},
        {"staff": 1, "measure": 1, "layer": 1, "notes": [1]},
        {"staff": 1, "measure": 1, "layer": 2, "notes": [1]},
        {"staff": 1, "measure": 1, "layer": 3, "notes": [1, 1]},
        {"staff": 1, "measure": 4, "layer": 0, "notes": [1]},
        {"staff": 1, "measure": 4, "layer": 3, "notes": [13]}])");
    EXPECT_EQ(score["entries"], expected);
}

// What stays entered on the first staff's first measure: (layer, note counts) of each layer.
TEST_F(MusicXmlMappingTest, RestsThatFillAStaffsMeasureAreNothingEntered) {
    struct Case {
        const char* name;
        std::string staff;     // the measure of the first part, after its <attributes>
        std::string otherPart; // the measure of a second part, when the case needs one
        Json entered;
    };
    const std::string back = "<backup><duration>4</duration></backup>";
    const Case cases[] = {
        {"a whole-measure rest written without measure=\"yes\"", Rest(4), "", Json::array()},
        {"rests of one voice that fill the measure", Rest(2) + Rest(1) + Rest(1), "",
         Json::array()},
        {"triplet rests that fill the measure", Divisions(3) + Rest(4) + Rest(4) + Rest(4), "",
         Json::array()},
        {"a rest as long as a pickup the other part sets", Rest(1), Note(1), Json::array()},
        {"a measure rest beside nothing else",
         "<note><rest measure=\"yes\"/><duration>4"
         "</duration></note>",
         "", Json::array()},
        {"a shorter rest beside notes stays entered", Rest(2) + Note(2), "",
         Json::parse("[[0, [0, 1]]]")},
        {"a rest shorter than the measure the other part fills stays entered", Rest(2), Note(4),
         Json::parse("[[0, [0]]]")},
        {"rests of two voices stay entered",
         Rest(4, "<voice>1</voice>") + back + Rest(4, "<voice>2</voice>"), "",
         Json::parse("[[0, [0]], [1, [0]]]")},
        {"a rest beside a grace note stays entered",
         "<note><grace/><pitch><step>D</step><octave>4</octave></pitch></note>" + Rest(4), "",
         Json::parse("[[0, [1, 0]]]")},
    };
    for (const Case& test : cases) {
        std::vector<std::string> parts = {Measure(1, Divisions(1) + test.staff)};
        if (!test.otherPart.empty()) {
            parts.push_back(Measure(1, Divisions(1) + test.otherPart));
        }
        const Json score = Mapped(parts);
        Json entered = Json::array();
        for (const Json& entry : score["entries"]) {
            if (entry["staff"] == 1) {
                entered.push_back({entry["layer"], entry["notes"]});
            }
        }
        EXPECT_EQ(entered, test.entered) << test.name;
    }
}

TEST_F(MusicXmlMappingTest, ClefsGiveDefaultClefsAndClefChangesOfTheirCells) {
    const std::string clefs = "<staves>2</staves>"
                              "<clef number=\"1\"><sign>G</sign><line>2</line></clef>"
                              "<clef number=\"2\"><sign>F</sign><line>4</line></clef>";
    const std::string onSecond = "<staff>2</staff>";
    const Json score =
        Mapped({Measure(1, Divisions(1, clefs) + Note(4) + Note(4, onSecond)) +
                Measure(2, "<attributes><clef number=\"2\"><sign>C</sign><line>4</line></clef>"
                           "</attributes>" +
                               Note(4) + Note(4, onSecond)) +
                Measure(3, Note(2) +
                               "<attributes><clef number=\"1\"><sign>F</sign></clef>"
                               "</attributes>" +
                               Note(2) + Note(4, onSecond)) +
                Measure(4, "<attributes><clef number=\"1\"><sign>F</sign><line>4</line></clef>"
                           "</attributes>" +
                               Note(4) + Note(4, onSecond))});
    EXPECT_EQ(score["staves"], Json::parse(R"([{"id": 1, "defaultClef": 0},
                                               {"id": 2, "defaultClef": 3}])"));
    EXPECT_EQ(score["frameHolds"], Json::parse(R"([
        {"staff": 1, "measure": 3, "clefChanges": [0, 3]},
        {"staff": 2, "measure": 2, "clef": 2}])"));
}

TEST_F(MusicXmlMappingTest, WidthsSystemsAndRestsOfTheScoreLayout) {
    const std::string scaling =
        "<defaults><scaling><millimeters>7.0556</millimeters><tenths>40</tenths></scaling>"
        "</defaults>";
    const std::string rest = "<attributes><measure-style><multiple-rest>2</multiple-rest>"
                             "</measure-style></attributes>";
    const Json score = Mapped(
        {Measure(1, Divisions(1) + Note(4), " width=\"100\"") + Measure(2, Note(2) + Note(2)) +
             Measure(3, "<print new-system=\"yes\"/>" + rest, " width=\"150\"") + Measure(4, ""),
         Measure(1, Divisions(1), " width=\"120.4\"") + Measure(2, "") + Measure(3, "") +
             Measure(4, "")},
        false, scaling);
    const Json& layout = score["parts"][0];
    // Written widths at 2 EVPUs a tenth, the widest part's; music spacing where none is written.
    EXPECT_EQ(layout["widths"], Json::parse("[241, 140, 300, 90]"));
    EXPECT_EQ(layout["systems"], Json::parse(R"([{"first": 1, "next": 3},
                                                 {"first": 3, "next": 5}])"));
    EXPECT_EQ(layout["multimeasureRests"],
              Json::parse(R"([{"first": 3, "next": 5, "width": 300}])"));
}

TEST_F(MusicXmlMappingTest, WithoutBreaksSystemsAreFilledUpToThePageWidth) {
    // 600 tenths of page less 100 of margins, at 2 EVPUs a tenth: systems of 1000 EVPUs.
    const std::string defaults =
        "<defaults><scaling><millimeters>7.0556</millimeters><tenths>40</tenths></scaling>"
        "<page-layout><page-width>600</page-width><page-margins><left-margin>30</left-margin>"
        "<right-margin>30</right-margin></page-margins></page-layout><system-layout>"
        "<system-margins><left-margin>40</left-margin><right-margin>0</right-margin>"
        "</system-margins></system-layout></defaults>";
    std::string measures = Measure(1, Divisions(1), " width=\"200\"");
    for (int measure = 2; measure <= 5; ++measure) {
        measures += Measure(measure, "", " width=\"200\"");
    }
    const Json score = Mapped({measures}, false, defaults);
    EXPECT_EQ(score["systemWidth"], 1000);
    EXPECT_EQ(score["parts"][0]["systems"], Json::parse(R"([{"first": 1, "next": 3},
                                                           {"first": 3, "next": 5},
                                                           {"first": 5, "next": 6}])"));
}

TEST_F(MusicXmlMappingTest, PartsRestOverRunsOfEmptyMeasuresBrokenWhereNotationBreaksThem) {
    struct Case {
        const char* name;
        int measure;                            // where the mark is written in the resting part
        std::string mark;                       // markup in the resting part
        std::string otherPart;                  // markup in the playing part at that measure
        std::vector<std::pair<int, int>> rests; // (first, next)
    };
    const std::string threeFour = "<attributes><time><beats>3</beats><beat-type>4</beat-type>"
                                  "</time></attributes>";
    const std::string fourFour = "<attributes><time><beats>4</beats><beat-type>4</beat-type>"
                                 "</time></attributes>";
    const auto bar = [](const char* location, const char* style) {
        return std::string("<barline location=\"") + location + "\"><bar-style>" + style +
               "</bar-style></barline>";
    };
    const Case cases[] = {
        {"one run", 0, "", "", {{2, 9}}},
        {"a meter change", 5, threeFour, "", {{2, 5}, {5, 9}}},
        {"the same meter written again", 5, fourFour, "", {{2, 9}}},
        {"a key change",
         5,
         "<attributes><key><fifths>2</fifths></key></attributes>",
         "",
         {{2, 5}, {5, 9}}},
        {"a rehearsal mark in another part",
         5,
         "",
         "<direction><direction-type><words>dolce</words></direction-type>"
         "<direction-type><rehearsal>A</rehearsal></direction-type></direction>",
         {{2, 5}, {5, 9}}},
        {"a double barline", 4, bar("right", "light-light"), "", {{2, 5}, {5, 9}}},
        {"a double barline before", 5, bar("left", "heavy-light"), "", {{2, 5}, {5, 9}}},
        {"a final barline", 6, bar("right", "light-heavy"), "", {{2, 7}, {7, 9}}},
        {"a dashed barline", 4, bar("right", "dashed"), "", {{2, 9}}},
        {"music in the run",
         7,
         "<note><pitch><step>E</step><octave>4</octave></pitch>"
         "<duration>4</duration></note>",
         "",
         {{2, 7}}},
        {"a break before the last measure leaves it alone", 8, threeFour, "", {{2, 8}}},
    };
    // Empty measures as notation programs write them, and as older exports did.
    for (const std::string& measureRest :
         {std::string("<note><rest measure=\"yes\"/><duration>4</duration></note>"), Rest(4)}) {
        for (const Case& test : cases) {
            std::string resting = Measure(1, Divisions(1, "<key><fifths>0</fifths></key><time>"
                                                          "<beats>4</beats><beat-type>4</beat-type>"
                                                          "</time>") +
                                                 Note(4));
            std::string playing = Measure(1, Divisions(1) + Note(4));
            for (int measure = 2; measure <= 8; ++measure) {
                const bool marked = measure == test.measure;
                resting += Measure(measure, (marked ? test.mark : "") + measureRest);
                playing += Measure(measure, (marked ? test.otherPart : "") + Note(4));
            }
            const Json score = Mapped({resting, playing}, true);
            std::vector<std::pair<int, int>> rests;
            for (const Json& rest : score["parts"][1]["multimeasureRests"]) {
                rests.emplace_back(rest["first"], rest["next"]);
            }
            EXPECT_EQ(rests, test.rests) << test.name << ", " << measureRest;
            EXPECT_TRUE(score["parts"][2]["multimeasureRests"].empty()) << test.name;
        }
    }
}

TEST_F(MusicXmlMappingTest, LinkedPartsShowTheirStavesSpacedByTheHost) {
    const std::string twoStaves = "<staves>2</staves>";
    const Json score = Mapped(
        {Measure(1, Divisions(1) + Note(4)) + Measure(2, ""),
         Measure(1, Divisions(1, twoStaves) + Note(2) + Note(2) + Note(4, "<staff>2</staff>")) +
             Measure(2, Note(4, "<staff>2</staff>"))},
        true);
    ASSERT_EQ(score["parts"].size(), 3u);
    EXPECT_EQ(score["parts"][1]["staves"], Json::parse("[1]"));
    EXPECT_EQ(score["parts"][2]["staves"], Json::parse("[2, 3]"));
    EXPECT_EQ(score["parts"][1]["widths"], Json::parse("[100, 90]"));
    EXPECT_EQ(score["parts"][2]["widths"], Json::parse("[140, 100]"));
    EXPECT_FALSE(Mapped({Measure(1, Divisions(1))}, false)["parts"].size() > 1);
}

TEST_F(MusicXmlMappingTest, PartsKeepTheirNamesAndMeasuresTheScoresNumbers) {
    struct Named {
        const char* list; // the <score-part>'s content
        const char* name; // the linked part's name in the host's file; empty: none written
    };
    const Named cases[] = {
        {"<part-name>Flute</part-name>", "Flute"},
        {"<part-name>Clarinet in B\u266D</part-name><part-abbreviation>Cl.</part-abbreviation>",
         "Clarinet in B\u266D"},
        {"<part-name/><part-abbreviation>Vc.</part-abbreviation>", "Vc."},
        {"<part-name>  </part-name>", ""},
    };
    for (const Named& c : cases) {
        SCOPED_TRACE(c.list);
        const std::string text = std::string("<score-partwise><part-list><score-part id=\"P1\">") +
                                 c.list + "</score-part></part-list><part id=\"P1\">" +
                                 Measure(0, Divisions(1) + Note(1)) + Measure(1, Note(4)) +
                                 "<measure number=\"2a\">" + Note(4) + "</measure>" +
                                 Measure(4, Note(4)) + "</part></score-partwise>";
        const Json score = MusicXmlMapping::ScoreJson(MusicXmlReader::Read(text), true);
        const Json& part = score["parts"][1];
        EXPECT_EQ(part.contains("name") ? part["name"].get<std::string>() : "", c.name);
        EXPECT_FALSE(score["parts"][0].contains("name")) << "the score is named by the host";
        // Only numbers that differ from the measure's place are written.
        std::vector<std::string> numbers;
        for (const Json& measure : score["measures"]) {
            numbers.push_back(measure.value("number", "-"));
        }
        EXPECT_EQ(numbers, (std::vector<std::string>{"0", "1", "2a", "-"}));
    }
}

} // namespace
