#include "host/session/ScoreReport.h"

#include "host/model/HostDocument.h"
#include "host/model/PartLayout.h"

#include <sstream>

std::string ScoreReport::Describe(HostDocument& document) {
    std::ostringstream out;
    for (const auto& [part, unused] : document.Layouts()) {
        const PartLayout layout = PartLayout::Of(document, part);
        out << "part " << part << " widths:";
        for (const std::int16_t width : layout.widths) {
            out << ' ' << width;
        }
        out << "\npart " << part << " systems:";
        for (const PartLayout::System& system : layout.systems) {
            out << ' ' << system.first << '-' << system.next - 1;
        }
        out << "\npart " << part << " rests:";
        for (const PartLayout::Rest& rest : layout.rests) {
            out << ' ' << rest.first << '-' << rest.next - 1 << " width " << rest.width
                << " adjust " << rest.restAdjust << ';';
        }
        out << '\n';
    }
    return out.str();
}
