#include "host/ScoreReport.h"

#include "host/HostDocument.h"
#include "host/HostRecords.h"
#include "hostinterface/RecordBytes.h"

#include <sstream>
#include <vector>

namespace {

namespace Measure = HostRecords::Measure;
namespace System = HostRecords::System;
namespace Rest = HostRecords::Rest;

std::int16_t Word(const RecordStore::View& record, std::size_t offset) {
    return RecordBytes::Read<std::int16_t>(record.data(), offset);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
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
            out << ' ' << Word(record, Measure::kWidth);
        });
        out << "\npart " << part << " systems:";
        layout.ForEach(System::kTag, [&](const RecordKey&, const RecordStore::View& record) {
            out << ' ' << Word(record, System::kFirst) << '-' << Word(record, System::kNext) - 1;
        });
        out << "\npart " << part << " rests:";
        layout.ForEach(Rest::kTag, [&](const RecordKey& key, const RecordStore::View& record) {
            out << ' ' << key.keys[0] << '-' << Word(record, Rest::kNext) - 1 << " width "
                << Word(record, Rest::kWidth) << " adjust " << Word(record, Rest::kRestAdjust)
                << ';';
        });
        out << '\n';
    }
    return out.str();
}

std::string ScoreReport::Changes(const std::string& before, const std::string& after) {
    const std::vector<std::string> old = Lines(before);
    const std::vector<std::string> now = Lines(after);
    std::ostringstream out;
    for (std::size_t i = 0; i < std::max(old.size(), now.size()); ++i) {
        const std::string was = i < old.size() ? old[i] : "";
        const std::string is = i < now.size() ? now[i] : "";
        if (was != is) {
            out << "before  " << was << "\nafter   " << is << '\n';
        }
    }
    return out.str();
}
