#include "host/formats/musicxml/MusicXmlWriter.h"

#include "host/files/ScoreError.h"
#include "host/formats/musicxml/MusicXmlText.h"
#include "host/model/HostRecords.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace {

using MusicXmlText::IsYes;

constexpr char kNewSystem[] = "<print new-system=\"yes\"/>";

// Edits of the source text at places pugixml found, applied together so that every byte
// outside them stays as it was. The document is parsed in place from a copy of the text, whose
// decoding leaves every name where it was, so a name's address gives its place in the text.
class TextEdits {
public:
    explicit TextEdits(const std::string& text) : text_(text), copy_(text) {}

    pugi::xml_node Parse(pugi::xml_document& document) {
        if (!document.load_buffer_inplace(copy_.data(), copy_.size(), pugi::parse_full,
                                          pugi::encoding_utf8)) {
            throw ScoreError("the MusicXML text is no longer well-formed");
        }
        return document.document_element();
    }

    void SetAttribute(pugi::xml_node element, const char* name, const std::string& value) {
        if (pugi::xml_attribute attribute = element.attribute(name)) {
            const auto [start, end] = ValueSpan(attribute);
            edits_.push_back({start, end - start, value});
        } else {
            edits_.push_back(
                {AttributesEnd(element), 0, ' ' + std::string(name) + "=\"" + value + '"'});
        }
    }

    // Markup as the element's first content.
    void Prepend(pugi::xml_node element, const std::string& markup) {
        std::size_t close = AttributesEnd(element);
        while (close < text_.size() && std::strchr(" \t\r\n", text_[close])) {
            ++close;
        }
        if (text_.compare(close, 2, "/>") == 0) {
            edits_.push_back({close, 2, '>' + markup + "</" + element.name() + '>'});
        } else {
            edits_.push_back({close + 1, 0, markup});
        }
    }

    std::string Applied() {
        std::stable_sort(edits_.begin(), edits_.end(),
                         [](const Edit& a, const Edit& b) { return a.at < b.at; });
        std::string out;
        out.reserve(text_.size() + 64 * edits_.size());
        std::size_t copied = 0;
        for (const Edit& edit : edits_) {
            out.append(text_, copied, edit.at - copied);
            out += edit.insert;
            copied = edit.at + edit.erase;
        }
        out.append(text_, copied);
        return out;
    }

private:
    struct Edit {
        std::size_t at;
        std::size_t erase;
        std::string insert;
    };

    std::size_t Offset(const char* name) const {
        const std::ptrdiff_t offset = name - copy_.data();
        if (offset < 0 || static_cast<std::size_t>(offset) >= text_.size()) {
            throw ScoreError("the MusicXML text cannot be edited in place");
        }
        return static_cast<std::size_t>(offset);
    }

    // Where the attribute's value starts and ends, inside its quotes.
    std::pair<std::size_t, std::size_t> ValueSpan(pugi::xml_attribute attribute) const {
        const std::size_t equals = text_.find('=', Offset(attribute.name()));
        const std::size_t quote = text_.find_first_of("\"'", equals);
        const std::size_t end =
            quote == std::string::npos ? quote : text_.find(text_[quote], quote + 1);
        if (end == std::string::npos) {
            throw ScoreError("the MusicXML text cannot be edited in place");
        }
        return {quote + 1, end};
    }

    // Just after the element's name and attributes in its start tag.
    std::size_t AttributesEnd(pugi::xml_node element) const {
        if (pugi::xml_attribute last = element.last_attribute()) {
            return ValueSpan(last).second + 1;
        }
        return Offset(element.name()) + std::strlen(element.name());
    }

    const std::string& text_;
    std::string copy_;
    std::vector<Edit> edits_;
};

// The document with the white space between elements kept, so that it is written back with the
// source's lines.
pugi::xml_node Root(pugi::xml_document& document, const std::string& text) {
    if (!document.load_buffer(text.data(), text.size(), pugi::parse_full | pugi::parse_ws_pcdata,
                              pugi::encoding_utf8)) {
        throw ScoreError("the MusicXML text is no longer well-formed");
    }
    return document.document_element();
}

// Calls the visitor for each measure of each part, with its index from 0.
template <typename Visit> void ForEachMeasure(pugi::xml_node root, Visit visit) {
    for (pugi::xml_node part : root.children("part")) {
        std::size_t index = 0;
        for (pugi::xml_node measure : part.children("measure")) {
            visit(measure, index++);
        }
    }
}

bool MarksSystem(pugi::xml_node print) {
    return IsYes(print.attribute("new-system")) || IsYes(print.attribute("new-page"));
}

bool HasSystemBreaks(pugi::xml_node root) {
    bool breaks = false;
    ForEachMeasure(root, [&](pugi::xml_node measure, std::size_t) {
        breaks = breaks || MarksSystem(measure.child("print"));
    });
    return breaks;
}

// The width a measure is written with: a multimeasure rest's on its first measure, where the
// rest is drawn, else the measure's own.
std::vector<std::int16_t> WrittenWidths(const PartLayout& layout) {
    std::vector<std::int16_t> widths = layout.widths;
    for (const PartLayout::Rest& rest : layout.rests) {
        const auto first = static_cast<std::size_t>(rest.first - 1);
        if (first < widths.size()) {
            widths[first] = rest.width;
        }
    }
    return widths;
}

void SetAttribute(pugi::xml_node element, const char* name, const std::string& value) {
    pugi::xml_attribute attribute = element.attribute(name);
    (attribute ? attribute : element.append_attribute(name)).set_value(value.c_str());
}

// Removes the node with the white space before it, which would otherwise leave an empty line.
void RemoveWithSpace(pugi::xml_node node) {
    const pugi::xml_node space = node.previous_sibling();
    if (space.type() == pugi::node_pcdata && MusicXmlText::Trimmed(space.value()).empty()) {
        node.parent().remove_child(space);
    }
    node.parent().remove_child(node);
}

void RemoveMultipleRests(pugi::xml_node measure) {
    for (pugi::xml_node attributes : measure.children("attributes")) {
        for (pugi::xml_node style = attributes.child("measure-style"); style;) {
            const pugi::xml_node next = style.next_sibling("measure-style");
            if (pugi::xml_node rest = style.child("multiple-rest")) {
                RemoveWithSpace(rest);
            }
            if (!style.find_child(
                    [](pugi::xml_node child) { return child.type() == pugi::node_element; })) {
                RemoveWithSpace(style);
            }
            style = next;
        }
    }
}

void AddMultipleRest(pugi::xml_node measure, int span) {
    pugi::xml_node attributes = measure.child("attributes");
    if (!attributes) {
        const pugi::xml_node print = measure.child("print");
        attributes = print ? measure.insert_child_after("attributes", print)
                           : measure.prepend_child("attributes");
    }
    attributes.append_child("measure-style").append_child("multiple-rest").text().set(span);
}

// Page breaks of the score do not apply to a part; its own system breaks do.
void MarkSystem(pugi::xml_node measure, bool start) {
    pugi::xml_node print = measure.child("print");
    if (start && !print) {
        print = measure.prepend_child("print");
    }
    if (!print) {
        return;
    }
    print.remove_attribute("new-page");
    if (start || print.attribute("new-system")) {
        SetAttribute(print, "new-system", start ? "yes" : "no");
    }
}

// Which files keep a child of the score or of its part list: every file, or only its part's
// (none for a part group).
struct Owner {
    bool everyFile = true;
    std::optional<std::string> part;
};

std::optional<Owner> PartOwner(pugi::xml_node child) {
    const std::string name = child.name();
    if (name == "part-group") {
        return Owner{false, std::nullopt};
    }
    if (name == "score-part" || name == "part") {
        return Owner{false, std::string(child.attribute("id").value())};
    }
    return std::nullopt;
}

// White space goes with the part or group after it, which would otherwise leave an empty line.
Owner OwnerOf(pugi::xml_node child) {
    if (const std::optional<Owner> owner = PartOwner(child)) {
        return *owner;
    }
    const bool space =
        child.type() == pugi::node_pcdata && MusicXmlText::Trimmed(child.value()).empty();
    return space ? PartOwner(child.next_sibling()).value_or(Owner{}) : Owner{};
}

// The score read once, from which the part files are written in turn: what every file keeps
// stays in the document, each part's own children are held aside until its file is written,
// then put in place, edited for the part's layout, written, and dropped. So writing every part
// costs what the score costs.
class PartSource {
public:
    explicit PartSource(const std::string& text)
        : root_(Root(document_, text)), held_(document_.append_child("held")) {
        for (pugi::xml_node parent : {root_.child("part-list"), root_}) {
            Hold(parent);
        }
    }

    // Once for each part.
    std::string File(const std::string& partId, const MusicXmlScaling& scaling,
                     const PartLayout& layout) {
        if (!written_.insert(partId).second) {
            throw ScoreError("part " + partId + ": a second part has this ID");
        }
        std::vector<Place> own;
        if (auto held = own_.extract(partId)) {
            own = std::move(held.mapped());
        }
        for (Place& place : own) {
            if (place.before) {
                place.parent.insert_move_before(place.child, place.before);
            } else {
                place.parent.append_move(place.child);
            }
        }
        ApplyLayout(scaling, layout);
        std::ostringstream out;
        for (pugi::xml_node node : document_.children()) {
            if (node != held_) {
                node.print(out, "", pugi::format_raw | pugi::format_no_declaration,
                           pugi::encoding_utf8);
            }
        }
        for (Place& place : own) {
            place.parent.remove_child(place.child);
        }
        return out.str();
    }

private:
    // A part's own child and where it goes: before the next child every file keeps, or last.
    struct Place {
        pugi::xml_node child;
        pugi::xml_node parent;
        pugi::xml_node before;
    };

    void Hold(pugi::xml_node parent) {
        std::vector<std::pair<pugi::xml_node, Owner>> children;
        for (pugi::xml_node child : parent.children()) {
            children.emplace_back(child, OwnerOf(child));
        }
        pugi::xml_node before;
        std::vector<std::pair<std::string, Place>> places;
        for (auto child = children.rbegin(); child != children.rend(); ++child) {
            const auto& [node, owner] = *child;
            if (owner.everyFile) {
                before = node;
            } else if (owner.part) {
                places.emplace_back(*owner.part, Place{node, parent, before});
            }
        }
        for (auto place = places.rbegin(); place != places.rend(); ++place) {
            own_[place->first].push_back(place->second);
            held_.append_move(place->second.child);
        }
        for (const auto& [node, owner] : children) {
            if (!owner.everyFile && !owner.part) {
                parent.remove_child(node);
            }
        }
    }

    // Every measure with the part's width and system break, and its multimeasure rests.
    void ApplyLayout(const MusicXmlScaling& scaling, const PartLayout& layout) {
        const std::vector<std::int16_t> starts = layout.SystemStarts();
        const std::set<std::int16_t> startSet(starts.begin(), starts.end());
        std::map<std::int16_t, const PartLayout::Rest*> rests;
        for (const PartLayout::Rest& rest : layout.rests) {
            rests[rest.first] = &rest;
        }
        const std::vector<std::int16_t> widths = WrittenWidths(layout);
        ForEachMeasure(root_, [&](pugi::xml_node measure, std::size_t index) {
            const auto number = static_cast<std::int16_t>(index + 1);
            const auto rest = rests.find(number);
            RemoveMultipleRests(measure);
            // The first measure is marked only when it begins the one system, which a file
            // without marks would not say.
            MarkSystem(measure, index == 0 ? starts.empty() : startSet.count(number) != 0);
            if (rest != rests.end()) {
                AddMultipleRest(measure, rest->second->next - rest->second->first);
            }
            if (index < widths.size()) {
                SetAttribute(measure, "width", scaling.TenthsText(widths[index]));
            }
        });
    }

    pugi::xml_document document_;
    pugi::xml_node root_;
    pugi::xml_node held_;
    std::map<std::string, std::vector<Place>> own_;
    std::set<std::string> written_;
};

} // namespace

std::string MusicXmlWriter::Score(const std::string& text, const MusicXmlScaling& scaling,
                                  const PartLayout& loaded, const PartLayout& now) {
    TextEdits edits(text);
    pugi::xml_document document;
    const pugi::xml_node root = edits.Parse(document);
    const std::vector<std::int16_t> before = WrittenWidths(loaded);
    const std::vector<std::int16_t> after = WrittenWidths(now);
    const std::vector<std::int16_t> starts = now.SystemStarts();
    // A file without system breaks is flowed when read: once its widths change, its systems are
    // written out so that it reads back as they are.
    const bool writeSystems =
        starts != loaded.SystemStarts() || (before != after && !HasSystemBreaks(root));
    const std::set<std::int16_t> startSet(starts.begin(), starts.end());
    ForEachMeasure(root, [&](pugi::xml_node measure, std::size_t index) {
        if (index < after.size() && index < before.size() && after[index] != before[index]) {
            edits.SetAttribute(measure, "width", scaling.TenthsText(after[index]));
        }
        if (!writeSystems || (index == 0 && !starts.empty())) {
            return;
        }
        const bool start = index == 0 || startSet.count(static_cast<std::int16_t>(index + 1)) != 0;
        const pugi::xml_node print = measure.child("print");
        if (start && !print) {
            edits.Prepend(measure, kNewSystem);
        } else if (start && !MarksSystem(print)) {
            edits.SetAttribute(print, "new-system", "yes");
        } else if (!start && print) {
            for (const char* mark : {"new-system", "new-page"}) {
                if (IsYes(print.attribute(mark))) {
                    edits.SetAttribute(print, mark, "no");
                }
            }
        }
    });
    return edits.Applied();
}

std::vector<std::string> MusicXmlWriter::Unwritten(const PartLayout& layout) {
    std::vector<std::string> lost;
    for (const PartLayout::Rest& rest : layout.rests) {
        const auto first = static_cast<std::size_t>(rest.first - 1);
        const std::string where = "measure " + std::to_string(rest.first) + ": ";
        if (first < layout.widths.size() && layout.widths[first] != rest.width) {
            lost.push_back(where + "the measure's own width " +
                           std::to_string(layout.widths[first]) +
                           " is not written: MusicXML holds one width there, the multimeasure "
                           "rest's " +
                           std::to_string(rest.width));
        }
        if (rest.countLimit != 0 || rest.restAdjust != HostRecords::Defaults::kRestAdjust ||
            rest.flags != 0) {
            lost.push_back(where + "the multimeasure rest's adjustment " +
                           std::to_string(rest.restAdjust) + ", count limit " +
                           std::to_string(rest.countLimit) + " and flags " +
                           std::to_string(rest.flags) +
                           " are not written: MusicXML has no place "
                           "for them");
        }
    }
    return lost;
}

std::vector<std::string> MusicXmlWriter::Parts(const std::string& text,
                                               const std::vector<std::string>& partIds,
                                               const MusicXmlScaling& scaling,
                                               const std::vector<PartLayout>& layouts) {
    PartSource source(text);
    std::vector<std::string> files;
    for (std::size_t index = 0; index < partIds.size(); ++index) {
        files.push_back(source.File(partIds[index], scaling, layouts.at(index)));
    }
    return files;
}
