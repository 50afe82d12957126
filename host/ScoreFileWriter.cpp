#include "host/ScoreFileWriter.h"

#include "host/HostDocument.h"
#include "host/PartLayout.h"

namespace {

using Json = nlohmann::json;

// A system keeps its own staff list from the source when it had one.
Json Systems(const PartLayout& layout, const Json& source) {
    Json systems = Json::array();
    for (std::size_t i = 0; i < layout.systems.size(); ++i) {
        const PartLayout::System& system = layout.systems[i];
        Json written = {{"first", system.first},
                        {"next", system.next},
                        {"flags", static_cast<std::uint16_t>(system.flags)},
                        {"scaling", system.scaling}};
        if (source.is_array() && i < source.size() && source[i].contains("staves")) {
            written["staves"] = source[i]["staves"];
        }
        systems.push_back(std::move(written));
    }
    return systems;
}

Json Rests(const PartLayout& layout) {
    Json rests = Json::array();
    for (const PartLayout::Rest& rest : layout.rests) {
        rests.push_back({{"first", rest.first},
                         {"next", rest.next},
                         {"width", rest.width},
                         {"countLimit", rest.countLimit},
                         {"restAdjust", rest.restAdjust},
                         {"flags", static_cast<std::uint16_t>(rest.flags)}});
    }
    return rests;
}

} // namespace

std::string ScoreFileWriter::Json(const nlohmann::json& source, HostDocument& document) {
    nlohmann::json written = source;
    for (nlohmann::json& part : written["parts"]) {
        const PartLayout layout = PartLayout::Of(document, part["id"].get<std::int16_t>());
        part["widths"] = layout.widths;
        part["systems"] = Systems(layout, part.value("systems", nlohmann::json()));
        part["multimeasureRests"] = Rests(layout);
    }
    return written.dump(2) + '\n';
}
