#include "host/session/SessionReport.h"

#include <nlohmann/json.hpp>

#include <set>
#include <sstream>

namespace {

using Kind = LayoutChange::Kind;
using State = LayoutChange::State;
using JsonValue = nlohmann::json;

const char* const kArrow = " \u2192 ";

// "1 rest", "3 rests".
std::string Count(std::size_t count, const std::string& thing) {
    return std::to_string(count) + ' ' + thing + (count == 1 ? "" : "s");
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
    }
    return text;
}

std::string FromTo(const std::string& what, std::int16_t from, std::int16_t to) {
    return what + ' ' + std::to_string(from) + kArrow + std::to_string(to);
}

const char* KindName(Kind kind) {
    switch (kind) {
    case Kind::Width:
        return "width";
    case Kind::Rest:
        return "rest";
    case Kind::System:
        return "system";
    }
    return "";
}

} // namespace

std::string SessionReport::SelectionText() const {
    std::string text = "selection in " + terms.Part(currentPart) + ": ";
    if (!selection) {
        return text + "none";
    }
    const Selection& region = *selection;
    text += terms.Bars(region.firstMeasure, region.lastMeasure) + ", ";
    if (region.allStaves) {
        return text + "all staves";
    }
    return text + (region.firstSlot == region.lastSlot
                       ? "staff " + std::to_string(region.firstSlot)
                       : "staves " + std::to_string(region.firstSlot) + "\u2013" +
                             std::to_string(region.lastSlot));
}

std::string SessionReport::ChangeText(const LayoutChange& change) const {
    const State& was = change.before;
    const State& is = change.after;
    const auto bars = [&](const State& state) { return terms.Bars(state.first, state.last); };
    std::string place = terms.Part(change.part) + ", ";
    switch (change.kind) {
    case Kind::Width:
        return place + bars(is) + ": " + FromTo("width", was.width, is.width);
    case Kind::System:
        place += "system " + std::to_string(change.system) + ": ";
        if (was.first == 0) {
            return place + "added, " + bars(is);
        }
        if (is.first == 0) {
            return place + "removed (was " + bars(was) + ")";
        }
        return place + bars(was) + kArrow + bars(is);
    case Kind::Rest:
        break;
    }
    if (was.first == 0) {
        return place + bars(is) + ": rest added, width " + std::to_string(is.width);
    }
    if (is.first == 0) {
        return place + bars(was) + ": rest removed (width " + std::to_string(was.width) + ")";
    }
    place += was.last == is.last ? bars(is) : bars(was) + kArrow + bars(is);
    std::vector<std::string> what;
    if (was.width != is.width) {
        what.push_back(FromTo("rest", was.width, is.width));
    }
    if (was.adjust != is.adjust) {
        what.push_back(FromTo("rest adjust", was.adjust, is.adjust));
    }
    if (what.empty()) {
        what.push_back("rest " + std::to_string(is.width));
    }
    return place + ": " + Listed(what);
}

std::string SessionReport::SummaryText() const {
    std::size_t widths = 0;
    std::size_t rests = 0;
    std::size_t systems = 0;
    std::set<std::int16_t> parts;
    for (const LayoutChange& change : changes) {
        parts.insert(change.part);
        switch (change.kind) {
        case Kind::Width:
            widths += static_cast<std::size_t>(change.after.last - change.after.first + 1);
            break;
        case Kind::Rest:
            ++rests;
            break;
        case Kind::System:
            ++systems;
            break;
        }
    }
    std::string text = "summary: ";
    if (!finished) {
        text += "the session did not finish; ";
    }
    if (changes.empty()) {
        text += finished ? "no change to the document" : "nothing changed before it stopped";
    } else {
        std::vector<std::string> what;
        const std::pair<std::size_t, const char*> counts[] = {
            {widths, "measure width"}, {rests, "rest"}, {systems, "system"}};
        for (const auto& [count, thing] : counts) {
            if (count > 0) {
                what.push_back(Count(count, thing));
            }
        }
        std::vector<std::string> where;
        if (parts.count(0) != 0) {
            where.push_back("the score");
        }
        if (const std::size_t linked = parts.size() - parts.count(0); linked > 0) {
            where.push_back(Count(linked, "part"));
        }
        text += Listed(what) + " changed in " + Listed(where);
    }
    return text + "; " + Count(editsKept, "edit") + " kept, " + std::to_string(editsCancelled) +
           " cancelled\n";
}

// A warning is never silenced: the quiet report keeps it beside the summary.
std::string SessionReport::WarningText() const {
    std::string text;
    for (const std::string& warning : warnings) {
        text += "warning: " + warning + '\n';
    }
    return text;
}

std::string SessionReport::Text(bool quiet) const {
    if (quiet) {
        return WarningText() + SummaryText();
    }
    std::ostringstream out;
    out << SelectionText() << '\n';
    for (const Applied& apply : applied) {
        out << "applied: " << apply.mode << ", " << apply.scope << '\n';
    }
    for (const Message& message : messages) {
        out << "message \"" << message.caption << "\": " << message.text << '\n';
    }
    for (const LayoutChange& change : changes) {
        out << ChangeText(change) << '\n';
    }
    for (const std::string& file : partFiles) {
        out << "part file: " << file << '\n';
    }
    if (!picture.empty()) {
        out << "picture: " << picture << '\n';
    }
    out << WarningText() << SummaryText();
    return out.str();
}

std::string SessionReport::Json(const std::string& error) const {
    const auto state = [&](const State& side, Kind kind) -> JsonValue {
        if (side.first == 0) {
            return nullptr;
        }
        JsonValue value = {{"firstMeasure", side.first},
                           {"lastMeasure", side.last},
                           {"firstBar", terms.Bar(side.first)},
                           {"lastBar", terms.Bar(side.last)}};
        if (kind != Kind::System) {
            value["width"] = side.width;
        }
        if (kind == Kind::Rest) {
            value["adjust"] = side.adjust;
        }
        return value;
    };
    JsonValue report = {{"score", score}, {"currentPart", terms.Part(currentPart)}};
    report["selection"] = nullptr;
    if (selection) {
        report["selection"] = {{"firstMeasure", selection->firstMeasure},
                               {"lastMeasure", selection->lastMeasure},
                               {"firstBar", terms.Bar(selection->firstMeasure)},
                               {"lastBar", terms.Bar(selection->lastMeasure)},
                               {"firstStaff", selection->firstSlot},
                               {"lastStaff", selection->lastSlot},
                               {"allStaves", selection->allStaves}};
    }
    report["applied"] = JsonValue::array();
    for (const Applied& apply : applied) {
        report["applied"].push_back({{"mode", apply.mode}, {"scope", apply.scope}});
    }
    report["messages"] = JsonValue::array();
    for (const Message& message : messages) {
        report["messages"].push_back({{"caption", message.caption}, {"text", message.text}});
    }
    report["changes"] = JsonValue::array();
    for (const LayoutChange& change : changes) {
        JsonValue item = {{"part", terms.Part(change.part)},
                          {"partId", change.part},
                          {"kind", KindName(change.kind)},
                          {"before", state(change.before, change.kind)},
                          {"after", state(change.after, change.kind)},
                          {"text", ChangeText(change)}};
        if (change.kind == Kind::System) {
            item["system"] = change.system;
        }
        report["changes"].push_back(std::move(item));
    }
    std::string summary = SummaryText();
    summary.pop_back();
    report["editsKept"] = editsKept;
    report["editsCancelled"] = editsCancelled;
    report["finished"] = finished;
    report["summary"] = summary;
    report["partFiles"] = partFiles;
    report["picture"] = picture.empty() ? JsonValue(nullptr) : JsonValue(picture);
    report["warnings"] = warnings;
    if (!error.empty()) {
        report["error"] = error;
    }
    // Names from a MusicXML file are not checked as UTF-8: a stray byte becomes U+FFFD.
    return report.dump(2, ' ', false, JsonValue::error_handler_t::replace) + '\n';
}
