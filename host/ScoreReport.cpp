#include "host/ScoreReport.h"

#include "host/HostDocument.h"
#include "host/HostRecords.h"

#include <sstream>
#include <string_view>
#include <vector>

namespace {

namespace Measure = HostRecords::Measure;
namespace System = HostRecords::System;
namespace Rest = HostRecords::Rest;

// The lines of the text as views into it: a report of a long score is many megabytes.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

} // namespace

std::string ScoreReport::Describe(HostDocument& document) {
    std::ostringstream out;
    for (const auto& [part, unused] : document.Layouts()) {
        RecordStore& layout = document.LayoutOf(part);
        out << "part " << part << " widths:";
        layout.ForEach(Measure::kTag, [&](const RecordKey&, const RecordStore::View& record) {
            out << ' ' << record.Word(Measure::kWidth);
        });
        out << "\npart " << part << " systems:";
        layout.ForEach(System::kTag, [&](const RecordKey&, const RecordStore::View& record) {
            out << ' ' << record.Word(System::kFirst) << '-' << record.Word(System::kNext) - 1;
        });
        out << "\npart " << part << " rests:";
        layout.ForEach(Rest::kTag, [&](const RecordKey& key, const RecordStore::View& record) {
            out << ' ' << key.keys[0] << '-' << record.Word(Rest::kNext) - 1 << " width "
                << record.Word(Rest::kWidth) << " adjust " << record.Word(Rest::kRestAdjust) << ';';
        });
        out << '\n';
    }
    return out.str();
}

std::string ScoreReport::Changes(const std::string& before, const std::string& after) {
    const std::vector<std::string_view> old = Lines(before);
    const std::vector<std::string_view> now = Lines(after);
    std::ostringstream out;
    for (std::size_t i = 0; i < std::max(old.size(), now.size()); ++i) {
        const std::string_view was = i < old.size() ? old[i] : std::string_view();
        const std::string_view is = i < now.size() ? now[i] : std::string_view();
        if (was != is) {
            out << "before  " << was << "\nafter   " << is << '\n';
        }
    }
    return out.str();
}
