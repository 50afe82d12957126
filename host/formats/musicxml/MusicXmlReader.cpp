#include "host/formats/musicxml/MusicXmlReader.h"

#include "host/files/ScoreError.h"
#include "host/formats/musicxml/MusicXmlClefs.h"
#include "host/formats/musicxml/MusicXmlScaling.h"
#include "host/formats/musicxml/MusicXmlText.h"
#include "host/model/HostLayout.h"

#include <pugixml.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace {

using MusicXmlText::IsYes;
using MusicXmlText::Trimmed;

constexpr int kLayers = 4;
constexpr std::int16_t kMostNotes = 13;
constexpr std::int64_t kLongestDuration = 1'000'000'000;
// The widest measure width read, in tenths.
constexpr double kWidestWidth = 1e6;
// The longest a measure may reach, in quarter notes: a million of them.
const MusicXmlDuration kLongestMeasure(kLongestDuration, HostLayout::kQuarterNote);

// A place in the file for messages: the part and, once known, the measure.
class Place {
public:
    explicit Place(std::string part) : part_(std::move(part)) {}
    void SetMeasure(const std::string& number) { measure_ = number; }

    [[noreturn]] void Fail(const std::string& problem) const {
        throw ScoreError(part_ + (measure_.empty() ? "" : ", measure " + measure_) + ": " +
                         problem);
    }

    std::int64_t Integer(pugi::xml_node node, std::int64_t minimum, std::int64_t maximum) const {
        const std::string text = Trimmed(node.child_value());
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            value < minimum || value > maximum) {
            Fail("<" + std::string(node.name()) + "> expected a whole number from " +
                 std::to_string(minimum) + " to " + std::to_string(maximum) + ", found \"" + text +
                 "\"");
        }
        return value;
    }

    double Number(const std::string& what, const char* written, double minimum,
                  double maximum) const {
        const std::string text = Trimmed(written);
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            !(value >= minimum && value <= maximum)) {
            Fail(what + " expected a number from " + std::to_string(static_cast<long>(minimum)) +
                 " to " + std::to_string(static_cast<long>(maximum)) + ", found \"" + text + "\"");
        }
        return value;
    }

private:
    std::string part_;
    std::string measure_;
};

bool IsDoubleBar(pugi::xml_node barline) {
    static const std::set<std::string> kStyles = {"light-light", "light-heavy", "heavy-light",
                                                  "heavy-heavy"};
    return kStyles.count(Trimmed(barline.child_value("bar-style"))) != 0;
}

// The duration of a meter such as 3+2/8 or 3/8+2/4: each beats/beat-type pair summed, and the
// beats of a pair summed when written as 3+2.
std::int32_t MeterDuration(pugi::xml_node time, const Place& place) {
    std::int64_t duration = 0;
    for (pugi::xml_node beats = time.child("beats"); beats; beats = beats.next_sibling("beats")) {
        const pugi::xml_node type = beats.next_sibling("beat-type");
        if (!type) {
            place.Fail("<time> has beats without a beat type");
        }
        const std::int64_t value = place.Integer(type, 1, 64);
        if (value & (value - 1)) {
            place.Fail("<beat-type> " + std::to_string(value) + " is not a note value");
        }
        const std::string written = Trimmed(beats.child_value());
        std::int64_t count = 0;
        for (std::size_t start = 0; start <= written.size();) {
            const std::size_t plus = std::min(written.find('+', start), written.size());
            const std::string term = Trimmed(written.substr(start, plus - start).c_str());
            std::int64_t term_value = 0;
            const auto [end, error] =
                std::from_chars(term.data(), term.data() + term.size(), term_value);
            if (term.empty() || error != std::errc() || end != term.data() + term.size() ||
                term_value < 1 || term_value > 64) {
                place.Fail("<beats> expected counts from 1 to 64 such as 3+2, found \"" + written +
                           "\"");
            }
            count += term_value;
            start = plus + 1;
        }
        duration += count * HostLayout::MeterDuration(1, static_cast<std::int32_t>(value));
        // Checked as the sum grows, before it can pass what the host's 32-bit durations hold.
        if (duration > kLongestDuration) {
            place.Fail("<time> sums to more than any meter holds");
        }
    }
    if (duration == 0) {
        place.Fail("<time> gives no beats");
    }
    return static_cast<std::int32_t>(duration);
}

// Reads one <part>: the state that carries from measure to measure (divisions, meter, key,
// the layers the voices went to) lives here.
class PartReader {
public:
    PartReader(MusicXmlPart& part, Place& place) : part_(part), place_(place) {}

    void Read(pugi::xml_node node) {
        for (pugi::xml_node measure = node.child("measure"); measure;
             measure = measure.next_sibling("measure")) {
            ReadMeasure(measure);
        }
    }

private:
    void ReadMeasure(pugi::xml_node node) {
        measure_ = MusicXmlMeasure();
        measure_.number = Trimmed(node.attribute("number").value());
        place_.SetMeasure(measure_.number.empty() ? "#" + std::to_string(part_.measures.size() + 1)
                                                  : measure_.number);
        if (pugi::xml_attribute width = node.attribute("width")) {
            measure_.width = place_.Number("width", width.value(), 0, kWidestWidth);
        }
        measure_.cells.resize(static_cast<std::size_t>(part_.staves));
        position_ = MusicXmlDuration();
        try {
            for (pugi::xml_node child : node.children()) {
                ReadChild(child);
            }
        } catch (const MusicXmlDuration::Overflow& overflow) {
            place_.Fail(overflow.what());
        }
        part_.measures.push_back(std::move(measure_));
    }

    void ReadChild(pugi::xml_node child) {
        const std::string name = child.name();
        if (name == "attributes") {
            ReadAttributes(child);
        } else if (name == "note") {
            ReadNote(child);
        } else if (name == "backup") {
            position_ = position_ - Duration(child);
            if (position_ < MusicXmlDuration()) {
                place_.Fail("<backup> goes back before the start of the measure");
            }
        } else if (name == "forward") {
            Advance(Duration(child));
        } else if (name == "print") {
            measure_.newSystem = measure_.newSystem || IsYes(child.attribute("new-system"));
            measure_.newPage = measure_.newPage || IsYes(child.attribute("new-page"));
        } else if (name == "barline") {
            const std::string location = Trimmed(child.attribute("location").value());
            if (IsDoubleBar(child)) {
                (location == "left" ? measure_.doubleBarBefore : measure_.doubleBarAfter) = true;
            }
        } else if (name == "direction") {
            for (pugi::xml_node type : child.children("direction-type")) {
                measure_.rehearsal = measure_.rehearsal || type.child("rehearsal");
            }
        }
    }

    void ReadAttributes(pugi::xml_node node) {
        if (pugi::xml_node divisions = node.child("divisions")) {
            divisions_ = place_.Integer(divisions, 1, 1'000'000);
        }
        if (pugi::xml_node staves = node.child("staves")) {
            SetStaves(static_cast<int>(place_.Integer(staves, 1, 64)));
        }
        if (pugi::xml_node key = node.child("key")) {
            const std::string written = Signature(key);
            measure_.keyChange = measure_.keyChange || (!key_.empty() && written != key_);
            key_ = written;
        }
        if (pugi::xml_node time = node.child("time"); time && !time.child("senza-misura")) {
            const std::string written = Signature(time);
            measure_.meterChange = measure_.meterChange || (!meter_.empty() && written != meter_);
            meter_ = written;
            measure_.meterDuration = MeterDuration(time, place_);
        }
        for (pugi::xml_node clef = node.child("clef"); clef; clef = clef.next_sibling("clef")) {
            MusicXmlCell& cell = CellAt(ClefStaffIndex(clef.attribute("number")));
            const int index = MusicXmlClefs::Index(clef);
            if (cell.HasEntries()) {
                cell.laterClefs.push_back(index);
            } else {
                cell.startClef = index;
            }
        }
        if (pugi::xml_node rest = node.select_node("measure-style/multiple-rest").node()) {
            measure_.multipleRest = static_cast<int>(place_.Integer(rest, 1, 32767));
        }
    }

    // The staff count may be written once the part's first measure has begun.
    void SetStaves(int staves) {
        if (staves == part_.staves) {
            return;
        }
        if (!part_.measures.empty()) {
            place_.Fail("the part changes its number of staves");
        }
        part_.staves = staves;
        measure_.cells.resize(static_cast<std::size_t>(staves));
    }

    static std::string Signature(pugi::xml_node node) {
        std::string written;
        for (pugi::xml_node child : node.children()) {
            written += std::string(child.name()) + '=' + Trimmed(child.child_value()) + ';';
        }
        return written;
    }

    void ReadNote(pugi::xml_node note) {
        const bool chord = static_cast<bool>(note.child("chord"));
        const bool grace = static_cast<bool>(note.child("grace"));
        const MusicXmlDuration duration = grace ? MusicXmlDuration() : Duration(note);
        if (chord) {
            position_ = chordStart_;
        }
        const std::size_t staff = StaffIndex(note.child("staff"));
        MusicXmlCell& cell = CellAt(staff);
        const pugi::xml_node rest = note.child("rest");
        // A rest that fills the measure is how a measure with nothing entered is written.
        const bool measureRest = rest && IsYes(rest.attribute("measure"));
        if (!measureRest) {
            std::vector<std::int16_t>& layer =
                cell.layers[static_cast<std::size_t>(Layer(note, staff))];
            if (chord && !layer.empty()) {
                layer.back() = static_cast<std::int16_t>(
                    std::min<int>(layer.back() + (rest ? 0 : 1), kMostNotes));
            } else {
                layer.push_back(rest ? 0 : 1);
                if (rest) {
                    cell.restLength = cell.restLength + duration;
                }
            }
        }
        chordStart_ = position_;
        Advance(duration);
    }

    std::size_t StaffIndex(pugi::xml_node staff) const {
        return staff ? static_cast<std::size_t>(place_.Integer(staff, 1, part_.staves) - 1) : 0;
    }

    std::size_t ClefStaffIndex(pugi::xml_attribute number) const {
        const std::string text = Trimmed(number.value());
        int value = 1;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (number && (error != std::errc() || end != text.data() + text.size() || value < 1 ||
                       value > part_.staves)) {
            place_.Fail("clef number \"" + text + "\" names no staff of the part");
        }
        return static_cast<std::size_t>(value - 1);
    }

    MusicXmlCell& CellAt(std::size_t staff) {
        MusicXmlCell& cell = measure_.cells[staff];
        cell.layers.resize(kLayers);
        return cell;
    }

    // The first four voices of a staff take the layers in order; any further voice the last.
    int Layer(pugi::xml_node note, std::size_t staff) {
        std::map<std::string, int>& voices = voices_[staff];
        const std::string voice = note.child("voice") ? Trimmed(note.child_value("voice")) : "1";
        const auto found = voices.find(voice);
        if (found != voices.end()) {
            return found->second;
        }
        const int layer = std::min<int>(static_cast<int>(voices.size()), kLayers - 1);
        voices.emplace(voice, layer);
        return layer;
    }

    // The <duration> of the element, exactly, however it divides the quarter note.
    MusicXmlDuration Duration(pugi::xml_node node) {
        const pugi::xml_node duration = node.child("duration");
        if (!duration) {
            place_.Fail("<" + std::string(node.name()) + "> has no <duration>");
        }
        if (divisions_ == 0) {
            place_.Fail("a duration comes before any <divisions>");
        }
        return {place_.Integer(duration, 0, kLongestDuration), divisions_};
    }

    void Advance(const MusicXmlDuration& duration) {
        position_ = position_ + duration;
        if (position_ > kLongestMeasure) {
            place_.Fail("the measure is longer than any meter");
        }
        measure_.contentDuration = std::max(measure_.contentDuration, position_);
    }

    MusicXmlPart& part_;
    Place& place_;
    MusicXmlMeasure measure_;
    std::int64_t divisions_ = 0;
    MusicXmlDuration position_;
    MusicXmlDuration chordStart_;
    std::string key_;
    std::string meter_;
    std::map<std::size_t, std::map<std::string, int>> voices_;
};

MusicXmlPart ReadPart(pugi::xml_node scorePart, pugi::xml_node node) {
    MusicXmlPart part;
    part.id = scorePart.attribute("id").value();
    // The part's name, or its abbreviation when the name is left empty.
    part.name = Trimmed(scorePart.child_value("part-name"));
    if (part.name.empty()) {
        part.name = Trimmed(scorePart.child_value("part-abbreviation"));
    }
    Place place("part " + part.id + (part.name.empty() ? "" : " (" + part.name + ")"));
    if (!node) {
        place.Fail("the part list names it but no <part> holds its music");
    }
    PartReader(part, place).Read(node);
    if (part.measures.empty()) {
        place.Fail("the part has no measures");
    }
    return part;
}

void CheckMeasureCounts(const MusicXmlScore& score) {
    for (const MusicXmlPart& part : score.parts) {
        if (part.measures.size() != score.MeasureCount()) {
            const std::size_t shorter = std::min(part.measures.size(), score.MeasureCount());
            throw ScoreError("part " + part.id + ", measure " + std::to_string(shorter + 1) +
                             ": the part has " + std::to_string(part.measures.size()) +
                             " measures where part " + score.parts.front().id + " has " +
                             std::to_string(score.MeasureCount()));
        }
    }
}

// Widths are written back in tenths: the widest measure the host holds must come out as a
// width the reader takes.
void CheckScaling(const MusicXmlScore& score, const Place& place) {
    const double widest =
        MusicXmlScaling(score.millimeters, score.tenths).ToTenths(HostLayout::kWidestWidth);
    if (widest > kWidestWidth) {
        char scaling[64];
        std::snprintf(scaling, sizeof scaling, "%g mm to %g tenths", score.millimeters,
                      score.tenths);
        place.Fail("<scaling> of " + std::string(scaling) + " writes the widest measure as " +
                   std::to_string(std::llround(widest)) + " tenths, beyond the widest width of " +
                   std::to_string(static_cast<long>(kWidestWidth)) + " tenths that is read");
    }
}

// A staff's measure filled by the rests of one layer is one in which nothing is entered.
void EmptyMeasuresOfRests(MusicXmlScore& score) {
    const std::vector<MusicXmlDuration> lengths = score.MeasureLengths();
    for (MusicXmlPart& part : score.parts) {
        for (std::size_t measure = 0; measure < lengths.size(); ++measure) {
            for (MusicXmlCell& cell : part.measures[measure].cells) {
                if (cell.FilledByRests(lengths[measure])) {
                    cell.layers.assign(cell.layers.size(), {});
                }
            }
        }
    }
}

void ReadDefaults(pugi::xml_node defaults, MusicXmlScore& score) {
    const Place place("<defaults>");
    if (pugi::xml_node scaling = defaults.child("scaling")) {
        score.millimeters =
            place.Number("<millimeters>", scaling.child_value("millimeters"), 0.01, 1000);
        score.tenths = place.Number("<tenths>", scaling.child_value("tenths"), 1, 10000);
        CheckScaling(score, place);
    }
    const pugi::xml_node page = defaults.child("page-layout");
    if (!page.child("page-width")) {
        return;
    }
    double width = place.Number("<page-width>", page.child_value("page-width"), 1, 1e6);
    if (pugi::xml_node margins = page.child("page-margins")) {
        width -= place.Number("<left-margin>", margins.child_value("left-margin"), -1e6, 1e6) +
                 place.Number("<right-margin>", margins.child_value("right-margin"), -1e6, 1e6);
    }
    if (pugi::xml_node margins = defaults.select_node("system-layout/system-margins").node()) {
        width -= place.Number("<left-margin>", margins.child_value("left-margin"), -1e6, 1e6) +
                 place.Number("<right-margin>", margins.child_value("right-margin"), -1e6, 1e6);
    }
    score.systemWidth = width;
}

} // namespace

MusicXmlScore MusicXmlReader::Read(const std::string& text) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), pugi::parse_full, pugi::encoding_utf8);
    if (!parsed) {
        throw ScoreError(std::string("not well-formed XML at byte ") +
                         std::to_string(parsed.offset) + ": " + parsed.description());
    }
    const pugi::xml_node root = document.document_element();
    if (std::string(root.name()) == "score-timewise") {
        throw ScoreError("a timewise score; only partwise MusicXML (<score-partwise>) is read");
    }
    if (std::string(root.name()) != "score-partwise") {
        throw ScoreError("<" + std::string(root.name()) + "> is not a MusicXML score");
    }
    MusicXmlScore score;
    ReadDefaults(root.child("defaults"), score);
    // The music of each part by its ID: every <part> must be named in the part list.
    std::map<std::string, pugi::xml_node> music;
    for (pugi::xml_node node : root.children("part")) {
        const std::string id = node.attribute("id").value();
        if (!music.emplace(id, node).second) {
            throw ScoreError("part " + id + ": a second <part> has this ID");
        }
    }
    std::set<std::string> listed;
    for (pugi::xml_node scorePart : root.child("part-list").children("score-part")) {
        const std::string id = scorePart.attribute("id").value();
        if (!listed.insert(id).second) {
            throw ScoreError("part " + id + ": the part list names it twice");
        }
        const auto found = music.find(id);
        score.parts.push_back(
            ReadPart(scorePart, found == music.end() ? pugi::xml_node() : found->second));
    }
    if (score.parts.empty()) {
        throw ScoreError("the part list names no part");
    }
    for (const auto& [id, node] : music) {
        if (listed.count(id) == 0) {
            throw ScoreError("part " + id + ": not in the part list");
        }
    }
    CheckMeasureCounts(score);
    EmptyMeasuresOfRests(score);
    return score;
}
