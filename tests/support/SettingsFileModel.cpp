#include "tests/support/SettingsFileModel.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 11> kOwnKeys = {"zrstpol_windowx",
                                                       "zrstpol_windowy",
                                                       "zrstpol_processingmode",
                                                       "zrstpol_spacingmode",
                                                       "zrstpol_usesinglerestspacing",
                                                       "zrstpol_singlerestreference",
                                                       "zrstpol_defaultsinglewidth",
                                                       "zrstpol_usemmrestspacing",
                                                       "zrstpol_mmrestscalingfactor",
                                                       "zrstpol_usemmdurationspacing",
                                                       "zrstpol_mmrestreference"};

std::string Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(kBlanks) - first + 1));
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

bool IsOwnKey(const std::string& lowered) {
    return std::find(kOwnKeys.begin(), kOwnKeys.end(), lowered) != kOwnKeys.end();
}

} // namespace

std::vector<SettingsFileModel::Pair> SettingsFileModel::PairsOf(std::string_view file) {
    std::vector<Pair> pairs;
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = std::min(file.find_first_of("\r\n", start), file.size());
        const std::string_view line = file.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && equals > 0) {
            pairs.push_back({Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))});
        }
        start = end + 1;
    }
    return pairs;
}

std::vector<std::string> SettingsFileModel::ForeignLines(const std::vector<Pair>& pairs) {
    std::vector<std::string> seen;
    std::vector<std::string> lines;
    for (const Pair& pair : pairs) {
        const std::string key = Lowered(pair.key);
        if (IsOwnKey(key) && std::find(seen.begin(), seen.end(), key) == seen.end()) {
            seen.push_back(key);
            continue;
        }
        lines.push_back(pair.key + "=" + pair.value);
    }
    return lines;
}

bool SettingsFileModel::HoldsEveryOwnKey(const std::vector<Pair>& pairs) {
    return std::all_of(kOwnKeys.begin(), kOwnKeys.end(), [&](std::string_view own) {
        return std::any_of(pairs.begin(), pairs.end(),
                           [&](const Pair& pair) { return Lowered(pair.key) == own; });
    });
}

bool SettingsFileModel::IsWellFormed(std::string_view file) {
    std::size_t start = 0;
    while (start < file.size()) {
        const std::size_t end = file.find("\r\n", start);
        if (end == std::string_view::npos) {
            return false;
        }
        const std::string_view line = file.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0 ||
            line.find_first_of("\r\n") != std::string_view::npos) {
            return false;
        }
        start = end + 2;
    }
    return true;
}
