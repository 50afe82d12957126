#include "host/ScoreReport.h"

#include "host/HostDocument.h"
#include "host/HostRecords.h"

#include <sstream>

namespace {

namespace Measure = HostRecords::Measure;
namespace System = HostRecords::System;
namespace Rest = HostRecords::Rest;

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
