// The stand-in host's command line: loads the plug-in and drives it as the host program would,
// either for the start-up check or for a user's session on a score file.
#include "host/AtomicFile.h"
#include "host/OrchestraScore.h"
#include "host/ScoreError.h"
#include "host/ScoreSource.h"
#include "host/SmokeCheck.h"
#include "host/UserSession.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

#ifdef _WIN32
constexpr char kPluginFile[] = "zrcalvex64.fxt";
#else
constexpr char kPluginFile[] = "zrcalvex64.so";
#endif

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kOk = 1;

const char kUsage[] =
    "usage: finale --smoke [PLUGIN]\n"
    "       finale --orchestra STAVES MEASURES [--output FILE.json|FILE.musicxml]\n"
    "              (writes a generated score, as JSON to the standard output by default)\n"
    "       finale --score FILE [--plugin PLUGIN] [--settings FOLDER] [--unit UNIT] [--parts]\n"
    "              [--output FILE] [--output-parts FOLDER] [STEP...]\n"
    "FILE is a .json score, or natively MusicXML (.musicxml, .xml, .mxl); --parts makes a\n"
    "linked part of each MusicXML part; --output writes the score after the session (.json,\n"
    "or .musicxml for a MusicXML score), --output-parts one MusicXML file per linked part.\n"
    "steps, done in order as a user would in the dialog:\n"
    "  --mode N              spacing mode: 0 redistribute existing rest space,\n"
    "                        1 respace using new values, 2 redistribute non-rest measures\n"
    "  --scope N             0 region, 1 full score and all parts, 2 all parts only\n"
    "  --simple on|off       space empty simple rests\n"
    "  --width TEXT          default width, in the host's unit\n"
    "  --reference-measure N reference measure, N quarter notes (2-8)\n"
    "  --mm on|off           space multimeasure rests\n"
    "  --factor TEXT         scaling factor\n"
    "  --durations on|off    use measure durations\n"
    "  --reference-rest N    reference rest, N measures (2-8)\n"
    "  --answer yes|no|ok    the answer to the next message box\n"
    "  --apply               press Apply\n"
    "  --move X,Y            drag the dialog to the screen position\n"
    "  --show                print what the dialog shows\n"
    "  --wait SECONDS        keep the dialog open for a while (to look at it)\n"
    "the dialog is closed and the plug-in terminated at the end.\n"
    "units: evpus inches centimeters points picas spaces millimeters\n";

// The plug-in module beside the host executable.
std::string DefaultPluginPath(const char* executable) {
    const std::string path = executable;
    const std::size_t slash = path.find_last_of("/\\");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + kPluginFile;
}

std::u16string Widen(const std::string& text) {
    std::u16string wide;
    for (unsigned char byte : text) {
        wide.push_back(byte);
    }
    return wide;
}

bool ParseOnOff(const std::string& text, int& value) {
    value = text == "on" ? 1 : 0;
    return text == "on" || text == "off";
}

bool ParseInteger(const std::string& text, int& value) {
    char* end = nullptr;
    value = static_cast<int>(std::strtol(text.c_str(), &end, 10));
    return !text.empty() && *end == '\0';
}

// "X,Y": the x into x, the y into y.
bool ParsePosition(const std::string& text, int& x, int& y) {
    const std::size_t comma = text.find(',');
    return comma != std::string::npos && ParseInteger(text.substr(0, comma), x) &&
           ParseInteger(text.substr(comma + 1), y);
}

bool ParseAnswer(const std::string& text, int& value) {
    const std::map<std::string, int> answers = {{"yes", kYes}, {"no", kNo}, {"ok", kOk}};
    const auto found = answers.find(text);
    value = found == answers.end() ? 0 : found->second;
    return found != answers.end();
}

bool ParseUnit(const std::string& text, HostUnit& unit) {
    const std::map<std::string, HostUnit> units = {{"evpus", HostUnit::EVPUs},
                                                   {"inches", HostUnit::Inches},
                                                   {"centimeters", HostUnit::Centimeters},
                                                   {"points", HostUnit::Points},
                                                   {"picas", HostUnit::Picas},
                                                   {"spaces", HostUnit::Spaces},
                                                   {"millimeters", HostUnit::Millimeters}};
    const auto found = units.find(text);
    if (found != units.end()) {
        unit = found->second;
    }
    return found != units.end();
}

// Adds the dialog step an option and its value name; false when they name none.
bool AddStep(const std::string& option, const std::string& value,
             std::vector<UserSession::Step>& steps) {
    using Kind = UserSession::Step::Kind;
    struct Option {
        Kind kind;
        int item;
        int offset; // what the user names, minus the popup index
    };
    const std::map<std::string, Option> options = {{"--mode", {Kind::Select, 102, 0}},
                                                   {"--scope", {Kind::Select, 104, 0}},
                                                   {"--simple", {Kind::Check, 105, 0}},
                                                   {"--width", {Kind::Type, 107, 0}},
                                                   {"--reference-measure", {Kind::Select, 109, 2}},
                                                   {"--mm", {Kind::Check, 110, 0}},
                                                   {"--factor", {Kind::Type, 111, 0}},
                                                   {"--durations", {Kind::Check, 113, 0}},
                                                   {"--reference-rest", {Kind::Select, 115, 2}},
                                                   {"--answer", {Kind::Answer, 0, 0}},
                                                   {"--move", {Kind::Move, 0, 0}},
                                                   {"--wait", {Kind::Wait, 0, 0}}};
    const auto found = options.find(option);
    if (found == options.end()) {
        return false;
    }
    UserSession::Step step{found->second.kind, found->second.item, Widen(value), 0};
    bool valid = true;
    switch (step.kind) {
    case Kind::Select:
        valid = ParseInteger(value, step.value);
        step.value -= found->second.offset;
        break;
    case Kind::Check:
        valid = ParseOnOff(value, step.value);
        break;
    case Kind::Answer:
        valid = ParseAnswer(value, step.value);
        break;
    case Kind::Move:
        valid = ParsePosition(value, step.item, step.value);
        break;
    case Kind::Wait:
        valid = ParseInteger(value, step.value) && step.value >= 0;
        break;
    default:
        break;
    }
    if (valid) {
        steps.push_back(step);
    }
    return valid;
}

int RunSession(int argc, char** argv) {
    std::string score;
    std::string plugin = DefaultPluginPath(argv[0]);
    std::vector<UserSession::Step> steps;
    std::u16string settingsFolder;
    HostUnit unit = HostUnit::EVPUs;
    bool linkedParts = false;
    std::string output;
    std::string partsFolder;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--apply") {
            steps.push_back({UserSession::Step::Kind::Press, 1, {}, 0});
            continue;
        }
        if (option == "--show") {
            steps.push_back({UserSession::Step::Kind::Show, 0, {}, 0});
            continue;
        }
        if (option == "--parts") {
            linkedParts = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "%s needs a value\n%s", option.c_str(), kUsage);
            return 2;
        }
        const std::string value = argv[++i];
        if (option == "--score") {
            score = value;
        } else if (option == "--plugin") {
            plugin = value;
        } else if (option == "--output") {
            output = value;
        } else if (option == "--output-parts") {
            partsFolder = value;
        } else if (option == "--settings") {
            settingsFolder = Widen(value);
        } else if (!(option == "--unit" ? ParseUnit(value, unit) : AddStep(option, value, steps))) {
            std::fprintf(stderr, "cannot use %s %s\n%s", option.c_str(), value.c_str(), kUsage);
            return 2;
        }
    }
    if (score.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    UserSession session(score, plugin);
    session.SetSettingsFolder(settingsFolder);
    session.SetUnit(unit);
    session.SetLinkedParts(linkedParts);
    session.SetOutput(output);
    session.SetPartsOutput(partsFolder);
    for (const UserSession::Step& step : steps) {
        session.Add(step);
    }
    std::string report;
    std::string error;
    const bool ran = session.Run(report, error);
    std::fputs(report.c_str(), stdout);
    if (!ran) {
        std::fprintf(stderr, "finale: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

// The generated score, as JSON on the standard output or into a .json or .musicxml file.
int WriteOrchestra(int argc, char** argv) {
    int staves = 0;
    int measures = 0;
    const bool toFile = argc == 6 && std::strcmp(argv[4], "--output") == 0;
    if ((argc != 4 && !toFile) || !ParseInteger(argv[2], staves) ||
        !ParseInteger(argv[3], measures) || staves < 1 || staves > 500 || measures < 1 ||
        measures > 30000) {
        std::fputs("finale --orchestra needs 1-500 staves and 1-30000 measures "
                   "[--output FILE.json|FILE.musicxml]\n",
                   stderr);
        return 2;
    }
    if (!toFile) {
        std::fputs(OrchestraScore::Json(staves, measures).c_str(), stdout);
        return 0;
    }
    const std::string path = argv[5];
    try {
        if (!ScoreSource::IsJsonPath(path) && !ScoreSource::IsMusicXmlPath(path)) {
            throw ScoreError(path + ": the generated score is written as .json or .musicxml");
        }
        AtomicFile::Write(path, ScoreSource::IsJsonPath(path)
                                    ? OrchestraScore::Json(staves, measures)
                                    : OrchestraScore::MusicXml(staves, measures));
    } catch (const ScoreError& problem) {
        std::fprintf(stderr, "finale: %s\n", problem.what());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--smoke") == 0) {
        return SmokeCheck(argc >= 3 ? argv[2] : DefaultPluginPath(argv[0])).Run();
    }
    if (argc >= 2 && std::strcmp(argv[1], "--orchestra") == 0) {
        return WriteOrchestra(argc, argv);
    }
    return RunSession(argc, argv);
}
