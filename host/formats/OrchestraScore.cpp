#include "host/formats/OrchestraScore.h"

#include "host/model/HostRecords.h"
#include "host/model/PartFlow.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <sstream>
#include <vector>

namespace {

constexpr OrchestraScore::Meter kMeters[] = {{4, 4}, {3, 4}, {6, 8}, {2, 2}};
constexpr int kSystemWidth = 1800;
constexpr std::int16_t kPartMeasureWidth = 200;
constexpr std::int32_t kPartRestWidth = 300;

// A small linear congruential generator: the same seed always gives the same music.
class Sequence {
public:
    explicit Sequence(std::uint32_t seed) : state_(seed) {}
    int Next(int bound) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(bound));
    }

private:
    std::uint32_t state_;
};

template <typename Write> void List(std::ostringstream& out, int count, Write write) {
    for (int i = 0; i < count; ++i) {
        out << (i ? ", " : "");
        write(i);
    }
}

void WriteSystems(std::ostringstream& out, const PartFlow::Spans& systems) {
    out << R"("systems": [)";
    List(out, static_cast<int>(systems.size()), [&](int system) {
        const auto& [first, next] = systems[static_cast<std::size_t>(system)];
        out << R"({"first": )" << first << R"(, "next": )" << next << '}';
    });
    out << ']';
}

PartFlow::Spans ScoreSystems(int measures) {
    PartFlow::Spans systems;
    for (int first = 1; first <= measures; first += OrchestraScore::kScoreSystemLength) {
        systems.emplace_back(first,
                             std::min(first + OrchestraScore::kScoreSystemLength, measures + 1));
    }
    return systems;
}

// A part's multimeasure rests (every run of two or more silent measures) and its systems,
// flowed with each rest as one unit.
void WritePartLayout(std::ostringstream& out, const std::vector<bool>& playing) {
    std::vector<bool> silent(playing.size());
    std::transform(playing.begin(), playing.end(), silent.begin(), std::logical_not<>());
    PartFlow::Units rests;
    for (const auto& [first, next] : PartFlow::RestRuns(silent, {})) {
        rests.push_back({first, next, kPartRestWidth});
    }
    const std::vector<std::int16_t> widths(playing.size(), kPartMeasureWidth);
    WriteSystems(out, PartFlow(PartFlow::UnitsOf(widths, rests), kSystemWidth).Flow());
    out << R"(, "multimeasureRests": [)";
    List(out, static_cast<int>(rests.size()), [&](int rest) {
        const PartFlow::Unit& unit = rests[static_cast<std::size_t>(rest)];
        out << R"({"first": )" << unit.first << R"(, "next": )" << unit.next << R"(, "width": )"
            << unit.width << '}';
    });
    out << ']';
}

} // namespace

std::vector<std::vector<bool>> OrchestraScore::Playing(int staves, int measures) {
    std::vector<std::vector<bool>> playing(static_cast<std::size_t>(staves),
                                           std::vector<bool>(static_cast<std::size_t>(measures)));
    for (int staff = 0; staff < staves; ++staff) {
        Sequence random(static_cast<std::uint32_t>(staff) * 7919u + 17u);
        int measure = random.Next(4);
        while (measure < measures) {
            const int phrase = 2 + random.Next(8);
            for (int i = 0; i < phrase && measure < measures; ++i, ++measure) {
                playing[static_cast<std::size_t>(staff)][static_cast<std::size_t>(measure)] = true;
            }
            measure += 1 + random.Next(12);
        }
    }
    return playing;
}

OrchestraScore::Meter OrchestraScore::MeterOf(int measure) {
    return kMeters[(measure / kMeterPeriod) % 4];
}

std::string OrchestraScore::Json(int staves, int measures) {
    const std::vector<std::vector<bool>> playing = Playing(staves, measures);
    std::ostringstream out;
    out << R"({"hostVersion": "0x)" << std::hex << std::uppercase << HostVersions::kDefault
        << std::nouppercase << std::dec << R"(", "systemWidth": )" << kSystemWidth
        << R"(, "staves": [)";
    List(out, staves, [&](int staff) {
        out << R"({"id": )" << staff + 1 << R"(, "defaultClef": )" << (staff % 5 == 3 ? 3 : 0)
            << '}';
    });
    out << R"(], "measures": [)";
    List(out, measures, [&](int measure) {
        const Meter meter = MeterOf(measure);
        out << (measure % kMeterPeriod
                    ? "{}"
                    : R"({"meter": {"beats": )" + std::to_string(meter.beats) +
                          R"(, "beatValue": )" + std::to_string(meter.beatValue) + "}}");
    });
    out << R"(], "entries": [)";
    bool firstEntry = true;
    for (int staff = 0; staff < staves; ++staff) {
        for (int measure = 0; measure < measures; ++measure) {
            if (playing[static_cast<std::size_t>(staff)][static_cast<std::size_t>(measure)]) {
                out << (firstEntry ? "" : ", ") << R"({"staff": )" << staff + 1
                    << R"(, "measure": )" << measure + 1 << R"(, "notes": [1, 1, )"
                    << ChordSize(staff, measure) << "]}";
                firstEntry = false;
            }
        }
    }
    out << R"(], "preferences": {"musicSpacing": {"minimumWidth": 90, "maximumWidth": 1200,
        "spacingRatio": 1.414}, "multimeasureRests": {"measureWidth": 300, "restAdjust": -18}},
        "parts": [{"id": 0, "widths": [)";
    List(out, measures, [&](int measure) { out << ScoreWidth(measure); });
    out << "], ";
    WriteSystems(out, ScoreSystems(measures));
    out << '}';
    for (int staff = 0; staff < staves; ++staff) {
        out << R"(, {"id": )" << staff + 1 << R"(, "staves": [)" << staff + 1
            << R"(], "widths": [)";
        List(out, measures, [&](int) { out << kPartMeasureWidth; });
        out << "], ";
        WritePartLayout(out, playing[static_cast<std::size_t>(staff)]);
        out << '}';
    }
    out << R"(], "selection": {"firstSlot": 1, "lastSlot": )" << staves
        << R"(, "firstMeasure": 1, "lastMeasure": )" << measures << "}}";
    return out.str();
}
