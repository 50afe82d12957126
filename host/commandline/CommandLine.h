// The stand-in host's command line: what the user asked for, read from the arguments (UTF-8)
// by one parser that both builds compile, so they accept and refuse the same arguments with the
// same words.
#pragma once

#include "host/model/HostMeasurement.h"
#include "host/session/UserSession.h"

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Task {
        Session,   // a user's session on a score file
        Smoke,     // the start-up check of a plug-in module
        Orchestra, // a generated score, to the standard output or into `output`
        Exit,      // nothing to run: print `message` and end with `exitCode`
    };

    // Reads the arguments that follow the program's name; `defaultPlugin` is the module used
    // when none is named. Help and the version end in Exit with code 0, a usage error in Exit
    // with code 2 and the reason in `message`.
    static CommandLine Parse(const std::vector<std::string>& arguments,
                             const std::string& defaultPlugin);

    Task task = Task::Exit;
    int exitCode = 0;
    std::string message;

    std::string plugin;
    std::string score;
    std::u16string settingsFolder;
    HostUnit unit = HostUnit::EVPUs;
    std::vector<UserSession::Step> steps;
    bool linkedParts = false;
    std::string output;
    std::string partsOutput;
    std::string picture; // the before/after picture's file; empty: none
    // The file that receives every host call of a session; empty: calls are only counted.
    std::string callLog;
    // The linked part made current before the session (ID or name); empty: as the file has it.
    std::string part;
    // The selection made before the session; none: the file's own.
    std::optional<UserSession::Selection> selection;
    bool quiet = false;
    std::string jsonReport; // the file that receives the report as JSON; empty: none
    int staves = 0;
    int measures = 0;
};
