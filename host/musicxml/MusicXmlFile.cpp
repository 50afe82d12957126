#include "host/musicxml/MusicXmlFile.h"

#include "host/ScoreError.h"
#include "host/ScoreFileText.h"

#include <pugixml.hpp>
#include <zip.h>

#include <memory>

namespace {

// Larger entries are refused rather than unpacked: a small archive can expand without bound.
constexpr zip_uint64_t kLargestEntry = 1ull << 30;

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

std::string ReadEntry(zip_t* archive, const std::string& name) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) {
        throw ScoreError("the compressed score has no entry " + name);
    }
    if (stat.size > kLargestEntry) {
        throw ScoreError("the compressed entry " + name + " is larger than 1 GiB");
    }
    const std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen(archive, name.c_str(), 0));
    std::string text(static_cast<std::size_t>(stat.size), '\0');
    if (!entry ||
        zip_fread(entry.get(), text.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
        throw ScoreError("the compressed entry " + name + " cannot be unpacked");
    }
    return text;
}

std::string RootFileName(zip_t* archive) {
    if (zip_name_locate(archive, "META-INF/container.xml", 0) >= 0) {
        const std::string container = ReadEntry(archive, "META-INF/container.xml");
        pugi::xml_document document;
        if (!document.load_buffer(container.data(), container.size())) {
            throw ScoreError("META-INF/container.xml is not well-formed XML");
        }
        const pugi::xml_node root = document.select_node("//rootfile[@full-path]").node();
        if (root) {
            return root.attribute("full-path").value();
        }
    }
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        const char* entry = zip_get_name(archive, static_cast<zip_uint64_t>(index), 0);
        const std::string name = entry ? entry : "";
        const bool top = name.find('/') == std::string::npos;
        const bool score = name.ends_with(".musicxml") || name.ends_with(".xml");
        if (top && score) {
            return name;
        }
    }
    throw ScoreError("the compressed score holds no MusicXML file");
}

} // namespace

std::string MusicXmlFile::Read(const std::string& path) {
    if (!path.ends_with(".mxl") && !path.ends_with(".MXL")) {
        return ScoreFileText::Read(path);
    }
    int error = 0;
    const Archive archive(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        zip_error_t reason;
        zip_error_init_with_code(&reason, error);
        const std::string text = zip_error_strerror(&reason);
        zip_error_fini(&reason);
        throw ScoreError("not a readable compressed MusicXML file (" + text + ")");
    }
    return ReadEntry(archive.get(), RootFileName(archive.get()));
}
