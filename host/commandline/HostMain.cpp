// The stand-in host's command line: loads the plug-in and drives it as the host program would,
// either for the start-up check or for a user's session on a score file.
#include "host/commandline/CommandLine.h"
#include "host/commandline/CommandLineArguments.h"
#include "host/files/AtomicFile.h"
#include "host/files/ScoreError.h"
#include "host/formats/OrchestraScore.h"
#include "host/formats/ScoreSource.h"
#include "host/session/SmokeCheck.h"
#include "host/session/UserSession.h"
#include "host/standin/StandInHost.h"

#include <cstdio>
#include <string>

namespace {

// The plug-in module beside the host executable.
std::string DefaultPluginPath(const std::string& executable) {
    const std::size_t slash = executable.find_last_of("/\\");
    return (slash == std::string::npos ? std::string() : executable.substr(0, slash + 1)) +
           CALVEX_PLUGIN_FILE;
}

int RunSession(const CommandLine& line) {
    UserSession session(line.score, line.plugin);
    session.SetSettingsFolder(line.settingsFolder);
    session.SetUnit(line.unit);
    session.SetLinkedParts(line.linkedParts);
    session.SetOutput(line.output);
    session.SetPartsOutput(line.partsOutput);
    session.SetPicture(line.picture);
    session.SetCallLog(line.callLog);
    session.SetPart(line.part);
    if (line.selection) {
        session.Select(*line.selection);
    }
    session.SetQuiet(line.quiet);
    session.SetJsonReport(line.jsonReport);
    for (const UserSession::Step& step : line.steps) {
        session.Add(step);
    }
    std::string report;
    std::string error;
    const bool ran = session.Run(report, error);
    std::fputs(report.c_str(), stdout);
    // The report comes before the error also where both go to one file.
    std::fflush(stdout);
    if (!ran) {
        std::fprintf(stderr, "finale: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

// The generated score, as JSON on the standard output or into a .json or .musicxml file.
int WriteOrchestra(const CommandLine& line) {
    if (line.output.empty()) {
        std::fputs(OrchestraScore::Json(line.staves, line.measures).c_str(), stdout);
        return 0;
    }
    const std::string& path = line.output;
    try {
        if (!ScoreSource::IsJsonPath(path) && !ScoreSource::IsMusicXmlPath(path)) {
            throw ScoreError(path + ": the generated score is written as .json or .musicxml");
        }
        AtomicFile::Write(path, ScoreSource::IsJsonPath(path)
                                    ? OrchestraScore::Json(line.staves, line.measures)
                                    : OrchestraScore::MusicXml(line.staves, line.measures));
    } catch (const ScoreError& problem) {
        std::fprintf(stderr, "finale: %s\n", problem.what());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    StandInHost::GiveBackLargeBlocks();
    const std::vector<std::string> arguments = CommandLineArguments(argc, argv);
    const std::string program = arguments.empty() ? std::string() : arguments.front();
    const std::vector<std::string> options(arguments.begin() + (arguments.empty() ? 0 : 1),
                                           arguments.end());
    const CommandLine line = CommandLine::Parse(options, DefaultPluginPath(program));
    switch (line.task) {
    case CommandLine::Task::Smoke:
        return SmokeCheck(line.plugin).Run();
    case CommandLine::Task::Orchestra:
        return WriteOrchestra(line);
    case CommandLine::Task::Session:
        return RunSession(line);
    case CommandLine::Task::Exit:
        break;
    }
    std::fputs(line.message.c_str(), line.exitCode == 0 ? stdout : stderr);
    return line.exitCode;
}
