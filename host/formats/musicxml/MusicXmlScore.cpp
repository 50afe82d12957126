#include "host/formats/musicxml/MusicXmlScore.h"

#include "host/model/HostLayout.h"

#include <algorithm>

namespace {

bool HasEntries(const std::vector<std::int16_t>& layer) {
    return !layer.empty();
}

} // namespace

bool MusicXmlCell::HasEntries() const {
    return std::any_of(layers.begin(), layers.end(), ::HasEntries);
}

bool MusicXmlCell::FilledByRests(const MusicXmlDuration& measureLength) const {
    if (std::count_if(layers.begin(), layers.end(), ::HasEntries) != 1) {
        return false;
    }
    const auto& layer = *std::find_if(layers.begin(), layers.end(), ::HasEntries);
    const bool onlyRests =
        std::all_of(layer.begin(), layer.end(), [](std::int16_t notes) { return notes == 0; });
    return onlyRests && restLength == measureLength;
}

std::vector<MusicXmlDuration> MusicXmlScore::MeasureLengths() const {
    std::vector<MusicXmlDuration> lengths;
    MusicXmlDuration meter(HostLayout::kCommonTime, HostLayout::kQuarterNote);
    for (std::size_t measure = 0; measure < MeasureCount(); ++measure) {
        MusicXmlDuration content;
        for (const MusicXmlPart& part : parts) {
            if (const auto& written = part.measures[measure].meterDuration) {
                meter = MusicXmlDuration(*written, HostLayout::kQuarterNote);
            }
            content = std::max(content, part.measures[measure].contentDuration);
        }
        lengths.push_back(content.IsZero() ? meter : content);
    }
    return lengths;
}
