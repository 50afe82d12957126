#include "host/commandline/CommandLineArguments.h"

// A Linux command line is UTF-8 already.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}
