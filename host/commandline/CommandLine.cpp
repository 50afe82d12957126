#include "host/commandline/CommandLine.h"

#include "host/files/Utf8.h"
#include "host/picture/LayoutPicture.h"
#include "host/session/PluginDialogItems.h"
#include "host/standin/StandInHost.h"
#include "platform/Platform.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <map>
#include <optional>

#ifndef CALVEX_VERSION
#error "CALVEX_VERSION names the project's version"
#endif

namespace {

using Kind = UserSession::Step::Kind;
namespace Items = PluginDialogItems;

constexpr int kExitUsage = 2;
constexpr int kOrchestraStaves = 500;
constexpr int kOrchestraMeasures = 30000;
constexpr int kScreenMin = -32768;
constexpr int kScreenMax = 32767;
// Staves are numbered in 16 bits by the host.
constexpr int kMostStaves = 32767;

// A dialog step an option stands for: the item it acts on; for a number, its range and what the
// user names minus the popup index (reference values are named in quarter notes or measures,
// listed from 2).
struct StepOption {
    const char* name;
    const char* description;
    Kind kind;
    int item;
    int min = 0;
    int max = 0;
    int offset = 0;
};

const StepOption kStepOptions[] = {
    {"--mode",
     "spacing mode: 0 redistribute existing rest space, 1 respace using new values, 2 "
     "redistribute non-rest measures",
     Kind::Select, Items::kModePopup, 0, 2},
    {"--scope", "0 region, 1 full score and all parts, 2 all parts only", Kind::Select,
     Items::kScopePopup, 0, 2},
    {"--simple", "space empty simple rests: on or off", Kind::Check, Items::kSimpleCheck},
    {"--width", "type the default width, in the host's unit", Kind::Type, Items::kWidthEdit},
    {"--reference-measure", "reference measure, in quarter notes (2-8)", Kind::Select,
     Items::kReferenceMeasurePopup, 2, 8, 2},
    {"--mm", "space multimeasure rests: on or off", Kind::Check, Items::kMultimeasureCheck},
    {"--factor", "type the scaling factor", Kind::Type, Items::kFactorEdit},
    {"--durations", "use measure durations: on or off", Kind::Check, Items::kDurationsCheck},
    {"--reference-rest", "reference rest, in measures (2-8)", Kind::Select,
     Items::kReferenceRestPopup, 2, 8, 2},
    {"--answer", "the answer to the next message box: yes, no or ok", Kind::Answer, 0},
    {"--move", "drag the dialog to the screen position X,Y (each -32768-32767)", Kind::Move, 0},
    {"--wait", "keep the dialog open for N seconds (0-3600), to look at it", Kind::Wait, 0, 0,
     3600},
    {"--apply", "press Apply", Kind::Press, Items::kApply},
    {"--show", "print what the dialog shows", Kind::Show, 0},
};

const std::map<std::string, HostUnit> kUnits = {{"evpus", HostUnit::EVPUs},
                                                {"inches", HostUnit::Inches},
                                                {"centimeters", HostUnit::Centimeters},
                                                {"points", HostUnit::Points},
                                                {"picas", HostUnit::Picas},
                                                {"spaces", HostUnit::Spaces},
                                                {"millimeters", HostUnit::Millimeters}};

const std::map<std::string, int> kAnswers = {{"yes", IDYES}, {"no", IDNO}, {"ok", IDOK}};

const std::map<std::string, int> kSwitches = {{"on", 1}, {"off", 0}};

// The number written in decimal digits with an optional minus sign, nothing else around it.
std::optional<long long> WholeNumber(const std::string& text) {
    long long number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return number;
}

// "X,Y" as two numbers.
std::optional<std::pair<long long, long long>> Position(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto x = WholeNumber(text.substr(0, comma));
    const auto y = WholeNumber(text.substr(comma + 1));
    if (!x || !y) {
        return std::nullopt;
    }
    return std::make_pair(*x, *y);
}

// "FIRST-LAST" split at its first hyphen, or "N" as N-N; none when either end is empty.
std::optional<std::pair<std::string, std::string>> Range(const std::string& text) {
    const std::size_t hyphen = text.find('-');
    const std::string first = text.substr(0, hyphen);
    const std::string last = hyphen == std::string::npos ? first : text.substr(hyphen + 1);
    if (first.empty() || last.empty()) {
        return std::nullopt;
    }
    return std::make_pair(first, last);
}

std::string RangeText(long long min, long long max) {
    return std::to_string(min) + " to " + std::to_string(max);
}

bool InRange(std::optional<long long> number, long long min, long long max) {
    return number && *number >= min && *number <= max;
}

// A whole number from min to max; `what` names the value when an option takes several.
CLI::Validator NumberFrom(long long min, long long max, const std::string& what = {}) {
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            if (InRange(WholeNumber(text), min, max)) {
                return {};
            }
            return (what.empty() ? "" : what + " ") + "must be a whole number from " +
                   RangeText(min, max) + ", not \"" + text + "\"";
        },
        "");
}

CLI::Validator ScreenPosition() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto position = Position(text);
            if (position && InRange(position->first, kScreenMin, kScreenMax) &&
                InRange(position->second, kScreenMin, kScreenMax)) {
                return {};
            }
            return "must be X,Y, each a whole number from " + RangeText(kScreenMin, kScreenMax) +
                   ", not \"" + text + "\"";
        },
        "");
}

template <typename Value> CLI::Validator OneOf(const std::map<std::string, Value>& names) {
    std::string list;
    for (const auto& [name, value] : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return CLI::Validator(
        [&names, list](std::string& text) -> std::string {
            return names.count(text) ? std::string()
                                     : "must be one of " + list + ", not \"" + text + "\"";
        },
        "");
}

// Text for the host, which keeps it as UTF-16; `longest` counts UTF-16 units (0: no limit).
CLI::Validator HostText(std::size_t longest = 0) {
    return CLI::Validator(
        [longest](std::string& text) -> std::string {
            const auto wide = Utf8::ToUtf16(text);
            if (!wide) {
                return "must be UTF-8 text";
            }
            if (longest != 0 && wide->size() > longest) {
                return "the path is " + std::to_string(wide->size()) +
                       " UTF-16 units long; the host's paths hold at most " +
                       std::to_string(longest);
            }
            return {};
        },
        "");
}

// Measures in the score's own numbers: FIRST-LAST or one number.
CLI::Validator BarRange() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return Range(text) && Utf8::ToUtf16(text)
                       ? std::string()
                       : "must be FIRST-LAST or one measure, in the score's own numbers, not \"" +
                             text + "\"";
        },
        "");
}

// Staves counted from the top: FIRST-LAST or one, each a whole number from 1 up, in order.
CLI::Validator StaffRange() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            const auto range = Range(text);
            const auto first = range ? WholeNumber(range->first) : std::nullopt;
            const auto last = range ? WholeNumber(range->second) : std::nullopt;
            if (InRange(first, 1, kMostStaves) && InRange(last, *first, kMostStaves)) {
                return {};
            }
            return "must be FIRST-LAST or one staff, counted from 1 at the top up to " +
                   std::to_string(kMostStaves) + ", not \"" + text + "\"";
        },
        "");
}

// A file or folder name: an empty one names nothing, and would otherwise quietly be no file.
CLI::Validator NamedFile() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return text.empty() ? "needs a name, not an empty one" : std::string();
        },
        "");
}

// A file this build draws the before/after picture into.
CLI::Validator PicturePath() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            std::string error;
            return LayoutPicture::CheckPath(text, error) ? std::string() : error;
        },
        "");
}

CLI::Validator StepCheck(const StepOption& option) {
    switch (option.kind) {
    case Kind::Check:
        return OneOf(kSwitches);
    case Kind::Type:
        return HostText();
    case Kind::Answer:
        return OneOf(kAnswers);
    case Kind::Move:
        return ScreenPosition();
    default:
        return NumberFrom(option.min, option.max);
    }
}

// How the help names an option's value.
const char* ValueName(Kind kind) {
    switch (kind) {
    case Kind::Check:
        return "on|off";
    case Kind::Type:
        return "TEXT";
    case Kind::Answer:
        return "yes|no|ok";
    case Kind::Move:
        return "X,Y";
    default:
        return "N";
    }
}

UserSession::Step MakeStep(const StepOption& option, const std::string& value) {
    UserSession::Step step{option.kind, option.item, {}, 0};
    switch (option.kind) {
    case Kind::Select:
        step.value = static_cast<int>(*WholeNumber(value)) - option.offset;
        break;
    case Kind::Check:
        step.value = kSwitches.at(value);
        break;
    case Kind::Type:
        step.text = *Utf8::ToUtf16(value);
        break;
    case Kind::Answer:
        step.value = kAnswers.at(value);
        break;
    case Kind::Move: {
        const auto position = *Position(value);
        step.item = static_cast<int>(position.first);
        step.value = static_cast<int>(position.second);
        break;
    }
    case Kind::Wait:
        step.value = static_cast<int>(*WholeNumber(value));
        break;
    default:
        break;
    }
    return step;
}

CommandLine Exit(int code, std::string message) {
    CommandLine line;
    line.exitCode = code;
    line.message = std::move(message);
    return line;
}

CommandLine UsageError(const std::string& reason) {
    return Exit(kExitUsage, "finale: " + reason + "\nRun with --help for more information.\n");
}

// The parser with every option; the options that stand for dialog steps are returned in the
// order of kStepOptions.
std::vector<CLI::Option*> AddOptions(CLI::App& app) {
    app.footer(
        "FILE is a .json score, or natively MusicXML (.musicxml, .xml, .mxl).\nSteps are done in "
        "the order given, as a user would in the dialog; the dialog is closed and the plug-in "
        "terminated at the end.\n--smoke is used alone, --orchestra alone or with --output.");
    app.set_version_flag("--version", "finale (ZR Calvex stand-in host) " CALVEX_VERSION,
                         "print the version and end");
    app.add_option("--smoke", "check the start-up conversation with the plug-in module")
        ->expected(0, 1)
        ->type_name("[PLUGIN]");
    app.add_option("--orchestra", "write a generated score file of STAVES (1-500) and MEASURES "
                                  "(1-30000)")
        ->expected(2)
        ->type_name("STAVES MEASURES")
        ->check(NumberFrom(1, kOrchestraStaves, "STAVES").application_index(0))
        ->check(NumberFrom(1, kOrchestraMeasures, "MEASURES").application_index(1));
    app.add_option("--score", "the score file to open")->type_name("FILE")->check(NamedFile());
    const char* const partsHelp = "make a linked part of each MusicXML part";
    app.add_flag("--parts", partsHelp);
    app.add_option("--output", "write the score after the session (.json, or .musicxml for a "
                               "MusicXML score); with --orchestra, the generated score")
        ->type_name("FILE")
        ->check(NamedFile());
    app.add_option("--output-parts", "write one MusicXML file per linked part into the folder")
        ->type_name("FOLDER")
        ->check(NamedFile());
    app.add_option("--picture",
                   "draw the layout of the score and every part before and after "
                   "the session (.svg, .png or, for any size, .pdf; the native build only)")
        ->type_name("FILE")
        ->check(PicturePath());
    app.add_option("--call-log", "write every host call of the session to the file, one a line")
        ->type_name("FILE")
        ->check(NamedFile());
    app.add_option("--part", "make a linked part current before the session: its ID (0 is the "
                             "score) or its name as the report shows it")
        ->type_name("PART")
        ->check(HostText());
    CLI::Option* select =
        app.add_option("--select", "select measures of the current score or part before the "
                                   "session, in the score's own numbers (e.g. 0-8, 12a-14, 5)")
            ->type_name("FIRST-LAST")
            ->check(BarRange());
    app.add_option("--select-staves", "limit the selection to these staves, counted from 1 at "
                                      "the top of the current score or part (default: all)")
        ->type_name("FIRST-LAST")
        ->check(StaffRange())
        ->needs(select);
    const std::string quietHelp = "print only the report's summary line";
    app.add_flag("--quiet", quietHelp);
    app.add_option("--report", "also write the report as JSON to the file")
        ->type_name("FILE")
        ->check(NamedFile());
    app.add_option("--plugin", "the plug-in module to load")->type_name("PLUGIN");
    app.add_option("--settings", "the folder of the settings file shared by plug-ins")
        ->type_name("FOLDER")
        ->check(HostText(StandInHost::kPathUnits - 1));
    app.add_option("--unit", "the host's measurement unit: evpus, inches, centimeters, points, "
                             "picas, spaces or millimeters")
        ->type_name("UNIT")
        ->check(OneOf(kUnits));
    std::vector<CLI::Option*> steps;
    for (const StepOption& step : kStepOptions) {
        CLI::Option* option = step.kind == Kind::Press || step.kind == Kind::Show
                                  ? app.add_flag(step.name, step.description)
                                  : app.add_option(step.name, step.description)
                                        ->type_name(ValueName(step.kind))
                                        ->check(StepCheck(step));
        steps.push_back(option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll));
    }
    return steps;
}

// The one value of an option given once, or the fallback.
std::string Value(const CLI::App& app, const std::string& name, const std::string& fallback) {
    const CLI::Option* option = app.get_option(name);
    return option->count() == 0 || option->results().front().empty() ? fallback
                                                                     : option->results().front();
}

std::vector<UserSession::Step> StepsInOrder(const CLI::App& app,
                                            const std::vector<CLI::Option*>& stepOptions) {
    std::map<const CLI::Option*, std::size_t> used;
    std::vector<UserSession::Step> steps;
    for (const CLI::Option* given : app.parse_order()) {
        for (std::size_t i = 0; i < stepOptions.size(); ++i) {
            if (stepOptions[i] == given) {
                const std::size_t index = used[given]++;
                steps.push_back(MakeStep(kStepOptions[i], given->results()[index]));
            }
        }
    }
    return steps;
}

std::optional<UserSession::Selection> SelectionOf(const CLI::App& app) {
    if (app.count("--select") == 0) {
        return std::nullopt;
    }
    const auto bars = *Range(Value(app, "--select", {}));
    UserSession::Selection selection{bars.first, bars.second, 0, 0};
    if (const auto staves = Range(Value(app, "--select-staves", {}))) {
        selection.firstStaff = static_cast<int>(*WholeNumber(staves->first));
        selection.lastStaff = static_cast<int>(*WholeNumber(staves->second));
    }
    return selection;
}

CommandLine Read(const CLI::App& app, const std::vector<CLI::Option*>& stepOptions,
                 const std::string& defaultPlugin) {
    const bool smoke = app.count("--smoke") != 0;
    const bool orchestra = app.count("--orchestra") != 0;
    // --orchestra's two numbers and --output's file are three results.
    const std::size_t allowed = smoke ? 1 : 2 + app.count("--output");
    if ((smoke || orchestra) && app.parse_order().size() > allowed) {
        return UsageError(smoke ? "--smoke is used alone"
                                : "--orchestra is used alone or with --output");
    }
    CommandLine line;
    line.exitCode = 0;
    line.plugin = Value(app, smoke ? "--smoke" : "--plugin", defaultPlugin);
    line.output = Value(app, "--output", {});
    if (smoke) {
        line.task = CommandLine::Task::Smoke;
    } else if (orchestra) {
        line.task = CommandLine::Task::Orchestra;
        line.staves = static_cast<int>(*WholeNumber(app.get_option("--orchestra")->results()[0]));
        line.measures = static_cast<int>(*WholeNumber(app.get_option("--orchestra")->results()[1]));
    } else {
        line.task = CommandLine::Task::Session;
        line.score = Value(app, "--score", {});
        if (line.score.empty()) {
            return UsageError("--score FILE is required");
        }
        line.settingsFolder = *Utf8::ToUtf16(Value(app, "--settings", {}));
        line.unit = kUnits.at(Value(app, "--unit", "evpus"));
        line.steps = StepsInOrder(app, stepOptions);
        line.linkedParts = app.count("--parts") != 0;
        line.partsOutput = Value(app, "--output-parts", {});
        line.picture = Value(app, "--picture", {});
        line.callLog = Value(app, "--call-log", {});
        line.part = Value(app, "--part", {});
        line.selection = SelectionOf(app);
        line.quiet = app.count("--quiet") != 0;
        line.jsonReport = Value(app, "--report", {});
    }
    return line;
}

} // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments,
                               const std::string& defaultPlugin) {
    CLI::App app("Runs the ZR Calvex plug-in as the host program would.", "finale");
    const std::vector<CLI::Option*> stepOptions = AddOptions(app);
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        return Exit(0, app.help());
    } catch (const CLI::CallForVersion& version) {
        return Exit(0, std::string(version.what()) + "\n");
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    return Read(app, stepOptions, defaultPlugin);
}
