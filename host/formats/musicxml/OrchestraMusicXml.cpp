// The generated orchestral score as partwise MusicXML, built with pugixml.
#include "host/formats/OrchestraScore.h"
#include "host/formats/musicxml/MusicXmlScaling.h"

#include <pugixml.hpp>

#include <sstream>

namespace {

constexpr int kDivisions = 2; // to a quarter note
constexpr char kSteps[] = "CEGBD";

void AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text().set(text.c_str());
}

// A number as the score writes it: no more digits than it needs.
std::string NumberText(double number) {
    std::ostringstream text;
    text << number;
    return text.str();
}

void AddDefaults(pugi::xml_node root) {
    pugi::xml_node defaults = root.append_child("defaults");
    pugi::xml_node scaling = defaults.append_child("scaling");
    AddText(scaling, "millimeters", NumberText(MusicXmlScaling::kDefaultMillimeters));
    AddText(scaling, "tenths", NumberText(MusicXmlScaling::kDefaultTenths));
    // 900 tenths between the margins: systems 1800 EVPUs wide.
    pugi::xml_node page = defaults.append_child("page-layout");
    AddText(page, "page-height", "1400");
    AddText(page, "page-width", "1000");
    pugi::xml_node margins = page.append_child("page-margins");
    margins.append_attribute("type") = "both";
    for (const char* side : {"left-margin", "right-margin", "top-margin", "bottom-margin"}) {
        AddText(margins, side, "50");
    }
}

void AddNote(pugi::xml_node measure, bool chord, int octave, char step, int duration,
             const char* type) {
    pugi::xml_node note = measure.append_child("note");
    if (chord) {
        note.append_child("chord");
    }
    pugi::xml_node pitch = note.append_child("pitch");
    AddText(pitch, "step", std::string(1, step));
    AddText(pitch, "octave", std::to_string(octave));
    AddText(note, "duration", std::to_string(duration));
    AddText(note, "voice", "1");
    AddText(note, "type", type);
}

// Two quarters, then a chord that fills the measure.
void AddMusic(pugi::xml_node measure, int chordSize, int length) {
    AddNote(measure, false, 5, 'C', kDivisions, "quarter");
    AddNote(measure, false, 5, 'D', kDivisions, "quarter");
    const int rest = length - 2 * kDivisions;
    for (int note = 0; note < chordSize; ++note) {
        AddNote(measure, note > 0, 4, kSteps[note], rest,
                rest == 2 * kDivisions ? "half" : "quarter");
    }
}

void AddMeasureRest(pugi::xml_node measure, int length) {
    pugi::xml_node note = measure.append_child("note");
    note.append_child("rest").append_attribute("measure") = "yes";
    AddText(note, "duration", std::to_string(length));
    AddText(note, "voice", "1");
}

void AddAttributes(pugi::xml_node measure, int staff, int index) {
    const bool first = index == 0;
    if (!first && index % OrchestraScore::kMeterPeriod != 0) {
        return;
    }
    pugi::xml_node attributes = measure.append_child("attributes");
    if (first) {
        AddText(attributes, "divisions", std::to_string(kDivisions));
    }
    const OrchestraScore::Meter meter = OrchestraScore::MeterOf(index);
    pugi::xml_node time = attributes.append_child("time");
    AddText(time, "beats", std::to_string(meter.beats));
    AddText(time, "beat-type", std::to_string(meter.beatValue));
    if (first) {
        const bool bass = staff % 5 == 3;
        pugi::xml_node clef = attributes.append_child("clef");
        AddText(clef, "sign", bass ? "F" : "G");
        AddText(clef, "line", bass ? "4" : "2");
    }
}

} // namespace

std::string OrchestraScore::MusicXml(int staves, int measures) {
    const std::vector<std::vector<bool>> playing = Playing(staves, measures);
    const MusicXmlScaling scaling(MusicXmlScaling::kDefaultMillimeters,
                                  MusicXmlScaling::kDefaultTenths);
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("score-partwise");
    root.append_attribute("version") = "4.0";
    AddDefaults(root);
    pugi::xml_node list = root.append_child("part-list");
    for (int staff = 0; staff < staves; ++staff) {
        pugi::xml_node part = list.append_child("score-part");
        part.append_attribute("id") = ("P" + std::to_string(staff + 1)).c_str();
        AddText(part, "part-name", "Staff " + std::to_string(staff + 1));
    }
    for (int staff = 0; staff < staves; ++staff) {
        pugi::xml_node part = root.append_child("part");
        part.append_attribute("id") = ("P" + std::to_string(staff + 1)).c_str();
        for (int index = 0; index < measures; ++index) {
            pugi::xml_node measure = part.append_child("measure");
            measure.append_attribute("number") = index + 1;
            measure.append_attribute("width") = scaling.TenthsText(ScoreWidth(index)).c_str();
            if (index > 0 && index % kScoreSystemLength == 0) {
                measure.append_child("print").append_attribute("new-system") = "yes";
            }
            AddAttributes(measure, staff, index);
            const Meter meter = MeterOf(index);
            const int length = meter.beats * 4 * kDivisions / meter.beatValue;
            if (playing[static_cast<std::size_t>(staff)][static_cast<std::size_t>(index)]) {
                AddMusic(measure, ChordSize(staff, index), length);
            } else {
                AddMeasureRest(measure, length);
            }
        }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}
