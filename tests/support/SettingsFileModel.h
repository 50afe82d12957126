// An independent reading of the shared settings file, to check what the plug-in wrote into it:
// the pairs of its lines, the lines that belong to other programs and the plug-in's own keys.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace SettingsFileModel {

struct Pair {
    std::string key;
    std::string value;
};

// The pairs of the file's lines: a line ends at CR or LF, holds a pair when it has an "=" after
// its first byte, and the blanks around key and value do not count.
std::vector<Pair> PairsOf(std::string_view file);

// Every pair but the first of each of the plug-in's keys (found whatever the case of its
// letters), as "key=value": the lines the plug-in must keep as they are.
std::vector<std::string> ForeignLines(const std::vector<Pair>& pairs);

bool HoldsEveryOwnKey(const std::vector<Pair>& pairs);

// Every line holds a pair and ends with CR LF, as the plug-in writes them.
bool IsWellFormed(std::string_view file);

} // namespace SettingsFileModel
