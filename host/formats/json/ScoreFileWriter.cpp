#include "host/formats/json/ScoreFileWriter.h"

#include "host/files/AtomicFile.h"
#include "host/formats/json/ScoreJson.h"
#include "host/model/HostDocument.h"
#include "host/model/PartLayout.h"

#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

constexpr unsigned kIndent = 2;

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

Json Part(Json part, HostDocument& document) {
    const PartLayout layout = PartLayout::Of(document, part["id"].get<std::int16_t>());
    part["widths"] = layout.widths;
    part["systems"] = Systems(layout, part.value("systems", Json()));
    part["multimeasureRests"] = Rests(layout);
    return part;
}

// The value as the library writes it with an indent of two, each line after the first
// indented further to sit at its place in the file (strings hold no line breaks once written).
void WriteIndented(std::ostream& out, const Json& value, unsigned indent) {
    const std::string text = value.dump(kIndent);
    const std::string margin(indent, ' ');
    std::size_t line = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         line = end + 1, end = text.find('\n', line)) {
        out.write(text.data() + line, static_cast<std::streamsize>(end + 1 - line)) << margin;
    }
    out.write(text.data() + line, static_cast<std::streamsize>(text.size() - line));
}

// Writes the top object as the library writes a whole document, taking each list's elements
// from the source one at a time.
class TopWriter {
public:
    TopWriter(const ScoreJson& source, HostDocument& document, std::ostream& out)
        : source_(source), document_(document), out_(out) {}

    void Write() {
        const Json& root = source_.Root();
        out_ << "{\n";
        std::size_t written = 0;
        for (const auto& [key, value] : root.items()) {
            out_ << Indent(kIndent);
            out_ << Json(key).dump() << ": ";
            if (source_.IsList(key)) {
                WriteList(key);
            } else {
                WriteIndented(out_, value, kIndent);
            }
            out_ << (++written < root.size() ? ",\n" : "\n");
        }
        out_ << "}\n";
    }

private:
    static std::string Indent(unsigned width) { return std::string(width, ' '); }

    void WriteList(const std::string& key) {
        const std::size_t size = source_.ListSize(key);
        if (size == 0) {
            out_ << "[]";
            return;
        }
        out_ << "[\n";
        for (std::size_t i = 0; i < size; ++i) {
            out_ << Indent(2 * kIndent);
            const Json element = source_.Element(key, i);
            WriteIndented(out_, key == "parts" ? Part(element, document_) : element, 2 * kIndent);
            out_ << (i + 1 < size ? ",\n" : "\n");
        }
        out_ << Indent(kIndent) << ']';
    }

    const ScoreJson& source_;
    HostDocument& document_;
    std::ostream& out_;
};

} // namespace

void ScoreFileWriter::Json(const ScoreJson& source, HostDocument& document, std::ostream& out) {
    TopWriter(source, document, out).Write();
}

void ScoreFileWriter::Write(const std::string& path, const ScoreJson& source,
                            HostDocument& document) {
    AtomicFile::Write(path, [&](std::ostream& out) { Json(source, document, out); });
}
