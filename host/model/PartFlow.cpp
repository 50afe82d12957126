#include "host/model/PartFlow.h"

#include <algorithm>
#include <map>

namespace {

constexpr std::size_t kInsideUnit = static_cast<std::size_t>(-1);

bool ByFirst(const PartFlow::Unit& unit, std::int32_t measure) {
    return unit.first < measure;
}

} // namespace

PartFlow::Spans PartFlow::RestRuns(const std::vector<bool>& empty,
                                   const std::vector<bool>& breaksBefore) {
    Spans runs;
    std::size_t first = 0;
    const auto close = [&](std::size_t next) {
        if (next - first >= 2) {
            runs.emplace_back(static_cast<std::int32_t>(first + 1),
                              static_cast<std::int32_t>(next + 1));
        }
    };
    for (std::size_t measure = 0; measure < empty.size(); ++measure) {
        if (!empty[measure]) {
            close(measure);
            first = measure + 1;
        } else if (measure > first && measure < breaksBefore.size() && breaksBefore[measure]) {
            close(measure);
            first = measure;
        }
    }
    close(empty.size());
    return runs;
}

PartFlow::Units PartFlow::UnitsOf(const std::vector<std::int16_t>& widths, const Units& rests) {
    std::map<std::int32_t, const Unit*> restAt;
    for (const Unit& rest : rests) {
        restAt.emplace(rest.first, &rest);
    }
    const auto count = static_cast<std::int32_t>(widths.size());
    Units units;
    for (std::int32_t measure = 1; measure <= count;) {
        const auto rest = restAt.find(measure);
        const std::int32_t next = rest == restAt.end()
                                      ? measure + 1
                                      : std::clamp(rest->second->next, measure + 1, count + 1);
        const std::int32_t width = rest == restAt.end()
                                       ? widths[static_cast<std::size_t>(measure - 1)]
                                       : rest->second->width;
        units.push_back({measure, next, std::max(width, 0)});
        measure = next;
    }
    return units;
}

PartFlow::PartFlow(Units units, std::int32_t systemWidth)
    : units_(std::move(units)), systemWidth_(systemWidth) {}

PartFlow::Spans PartFlow::Reflow(const Spans& systems, const LaidOut* laidOut) const {
    std::map<std::int32_t, std::int32_t> present(systems.begin(), systems.end());
    Spans flowed;
    for (std::size_t begin = 0; begin < units_.size();) {
        std::size_t end = kInsideUnit;
        if (const auto system = present.find(units_[begin].first); system != present.end()) {
            end = UnitAt(system->second);
        }
        if (end == kInsideUnit || end <= begin || !Keeps(begin, end, laidOut)) {
            end = FlowFrom(begin);
        }
        flowed.emplace_back(units_[begin].first, units_[end - 1].next);
        begin = end;
    }
    return flowed;
}

bool PartFlow::Fits(std::size_t begin, std::size_t end) const {
    const auto count = static_cast<std::int32_t>(end - begin);
    return count == 1 || Total(begin, end) <= systemWidth_ + kRoundingPerUnit * count;
}

std::int32_t PartFlow::Total(std::size_t begin, std::size_t end) const {
    std::int32_t total = 0;
    for (std::size_t unit = begin; unit < end; ++unit) {
        total += units_[unit].width;
    }
    return total;
}

std::size_t PartFlow::UnitAt(std::int32_t measure) const {
    if (!units_.empty() && measure == units_.back().next) {
        return units_.size();
    }
    const auto unit = std::lower_bound(units_.begin(), units_.end(), measure, ByFirst);
    return unit != units_.end() && unit->first == measure
               ? static_cast<std::size_t>(unit - units_.begin())
               : kInsideUnit;
}

std::size_t PartFlow::FlowFrom(std::size_t begin) const {
    std::int32_t filled = units_[begin].width;
    std::size_t end = begin + 1;
    for (; end < units_.size() && filled + units_[end].width <= systemWidth_; ++end) {
        filled += units_[end].width;
    }
    return end;
}

bool PartFlow::Keeps(std::size_t begin, std::size_t end, const LaidOut* laidOut) const {
    const std::size_t through = std::min(end + 1, units_.size());
    if (laidOut && laidOut->systemWidth == systemWidth_ &&
        LaidOutAlike(begin, through, laidOut->units)) {
        return true;
    }
    const bool leavesRoom =
        end < units_.size() && Total(begin, end) + units_[end].width <= systemWidth_;
    return Fits(begin, end) && !leavesRoom;
}

bool PartFlow::LaidOutAlike(std::size_t begin, std::size_t end, const Units& laidOut) const {
    const auto first =
        std::lower_bound(laidOut.begin(), laidOut.end(), units_[begin].first, ByFirst);
    const auto count = static_cast<std::ptrdiff_t>(end - begin);
    return laidOut.end() - first >= count &&
           std::equal(units_.begin() + static_cast<std::ptrdiff_t>(begin),
                      units_.begin() + static_cast<std::ptrdiff_t>(end), first);
}
