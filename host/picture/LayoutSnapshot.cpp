#include "host/picture/LayoutSnapshot.h"

#include "host/model/HostParts.h"
#include "host/model/HostStaffLists.h"
#include "host/model/HostState.h"
#include "host/model/PartLayout.h"

namespace {

bool IsEmpty(const HostMusic& music, const std::vector<std::int16_t>& staves,
             std::int32_t measure) {
    for (const std::int16_t staff : staves) {
        if (music.HoldsEntries(staff, static_cast<std::int16_t>(measure))) {
            return false;
        }
    }
    return true;
}

// The current part's layout.
LayoutSnapshot::Part TakePart(HostState& host, std::int16_t id) {
    HostDocument& document = host.Document();
    const PartLayout layout = PartLayout::Of(document, id);
    LayoutSnapshot::Part part{id, {}, {}, {}};
    const std::vector<std::int16_t> staves = HostStaffLists::PartStaves(document);
    for (std::size_t measure = 0; measure < layout.widths.size(); ++measure) {
        part.measures.push_back(
            {layout.widths[measure],
             IsEmpty(host.Music(), staves, static_cast<std::int32_t>(measure + 1))});
    }
    for (const auto& [first, next] : layout.PlacedSystems()) {
        part.systems.push_back({first, next - 1});
    }
    for (const PartLayout::Rest& rest : layout.rests) {
        if (rest.first >= 1 && rest.first <= static_cast<std::int32_t>(part.measures.size())) {
            part.rests.push_back({rest.first, rest.next - 1, rest.width, rest.restAdjust});
        }
    }
    return part;
}

} // namespace

LayoutSnapshot LayoutSnapshot::Take(HostState& host) {
    HostDocument& document = host.Document();
    const std::int16_t current = document.CurrentPart();
    LayoutSnapshot snapshot;
    snapshot.systemWidth = host.Layout().SystemWidth();
    snapshot.terms = host.Terms();
    for (const std::int16_t id : HostParts::All(document)) {
        document.SetCurrentPart(id);
        snapshot.parts.push_back(TakePart(host, id));
    }
    document.SetCurrentPart(current);
    return snapshot;
}
