#include "host/session/LayoutChanges.h"

#include <algorithm>
#include <map>

namespace {

using Kind = LayoutChange::Kind;
using State = LayoutChange::State;
using Part = LayoutSnapshot::Part;

// Consecutive measures whose width went from the same value to the same value make one change.
void AddWidths(const Part& was, const Part& is, std::vector<LayoutChange>& changes) {
    const std::size_t count = std::min(was.measures.size(), is.measures.size());
    for (std::size_t index = 0; index < count; ++index) {
        const std::int16_t from = was.measures[index].width;
        const std::int16_t to = is.measures[index].width;
        if (from == to) {
            continue;
        }
        const auto measure = static_cast<std::int32_t>(index + 1);
        LayoutChange* last = changes.empty() ? nullptr : &changes.back();
        if (last && last->kind == Kind::Width && last->part == is.id &&
            last->after.last == measure - 1 && last->before.width == from &&
            last->after.width == to) {
            ++last->before.last;
            ++last->after.last;
        } else {
            changes.push_back(
                {is.id, Kind::Width, 0, {measure, measure, from, 0}, {measure, measure, to, 0}});
        }
    }
}

// Rests are matched by their first measure.
void AddRests(const Part& was, const Part& is, std::vector<LayoutChange>& changes) {
    std::map<std::int32_t, std::pair<State, State>> rests;
    for (const LayoutSnapshot::Rest& rest : was.rests) {
        rests[rest.first].first = {rest.first, rest.last, rest.width, rest.adjust};
    }
    for (const LayoutSnapshot::Rest& rest : is.rests) {
        rests[rest.first].second = {rest.first, rest.last, rest.width, rest.adjust};
    }
    for (const auto& [first, states] : rests) {
        if (states.first != states.second) {
            changes.push_back({is.id, Kind::Rest, 0, states.first, states.second});
        }
    }
}

// Systems are matched by their number.
void AddSystems(const Part& was, const Part& is, std::vector<LayoutChange>& changes) {
    const std::size_t count = std::max(was.systems.size(), is.systems.size());
    const auto state = [](const std::vector<LayoutSnapshot::System>& systems, std::size_t index) {
        return index < systems.size() ? State{systems[index].first, systems[index].last, 0, 0}
                                      : State{};
    };
    for (std::size_t index = 0; index < count; ++index) {
        const State from = state(was.systems, index);
        const State to = state(is.systems, index);
        if (from != to) {
            changes.push_back(
                {is.id, Kind::System, static_cast<std::int32_t>(index + 1), from, to});
        }
    }
}

} // namespace

std::vector<LayoutChange> LayoutChanges::Between(const LayoutSnapshot& before,
                                                 const LayoutSnapshot& after) {
    std::map<std::int16_t, const Part*> earlier;
    for (const Part& part : before.parts) {
        earlier[part.id] = &part;
    }
    std::vector<LayoutChange> changes;
    const Part none{};
    for (const Part& part : after.parts) {
        const auto found = earlier.find(part.id);
        const Part& was = found == earlier.end() ? none : *found->second;
        AddWidths(was, part, changes);
        AddRests(was, part, changes);
        AddSystems(was, part, changes);
    }
    return changes;
}
