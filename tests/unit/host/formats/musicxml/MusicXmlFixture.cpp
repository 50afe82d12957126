#include "host/formats/musicxml/MusicXmlFixture.h"

#include <fstream>
#include <random>
#include <sstream>

void MusicXmlFixture::SetUp() {
    HostFixture::SetUp();
    std::random_device random;
    folder =
        std::filesystem::temp_directory_path() / ("calvex-musicxml-" + std::to_string(random()));
    std::filesystem::create_directories(folder);
}

void MusicXmlFixture::TearDown() {
    std::filesystem::remove_all(folder);
    HostFixture::TearDown();
}

std::string MusicXmlFixture::Score(const std::vector<std::string>& parts,
                                   const std::string& defaults) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<score-partwise version=\"4.0\">"
        << defaults << "<part-list>";
    for (std::size_t part = 1; part <= parts.size(); ++part) {
        out << "<score-part id=\"P" << part << "\"><part-name>Part " << part
            << "</part-name></score-part>";
    }
    out << "</part-list>\n";
    for (std::size_t part = 1; part <= parts.size(); ++part) {
        out << "<part id=\"P" << part << "\">" << parts[part - 1] << "</part>\n";
    }
    out << "</score-partwise>\n";
    return out.str();
}

std::string MusicXmlFixture::Measure(int number, const std::string& content,
                                     const std::string& attributes) {
    return "<measure number=\"" + std::to_string(number) + '"' + attributes + '>' + content +
           "</measure>";
}

std::string MusicXmlFixture::Note(int duration, const std::string& more) {
    return "<note><pitch><step>C</step><octave>4</octave></pitch><duration>" +
           std::to_string(duration) + "</duration>" + more + "</note>";
}

std::string MusicXmlFixture::Rest(int duration, const std::string& more) {
    return "<note><rest/><duration>" + std::to_string(duration) + "</duration>" + more + "</note>";
}

std::string MusicXmlFixture::Divisions(int divisions, const std::string& more) {
    return "<attributes><divisions>" + std::to_string(divisions) + "</divisions>" + more +
           "</attributes>";
}

std::string MusicXmlFixture::Write(const std::string& name, const std::string& text) const {
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string MusicXmlFixture::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::unique_ptr<ScoreSource> MusicXmlFixture::Open(const std::string& path, bool linkedParts) {
    host.Reset();
    return ScoreSource::Open(path, linkedParts, host);
}
