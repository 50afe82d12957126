// The program's arguments as UTF-8 text, the program's own path first. On Windows they come from
// the wide command line, so names outside the 8-bit code page arrive whole.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> CommandLineArguments(int argc, char** argv);
