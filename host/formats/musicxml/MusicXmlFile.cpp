#include "host/formats/musicxml/MusicXmlFile.h"

#include "host/files/ScoreError.h"
#include "host/files/ScoreFileText.h"

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>

namespace {

// An entry is unpacked as a stream and refused once it grows beyond what a score compressed
// into an archive of this size can hold: a small archive can expand without bound, and the size
// an entry declares is not trusted. MusicXML deflates to a tenth or a fiftieth of its size; the
// largest real scores are tens of MiB.
constexpr std::uintmax_t kMostExpansion = 200;
constexpr std::uintmax_t kSmallestLimit = 16ull << 20;
constexpr std::uintmax_t kLargestScore = 256ull << 20;

std::uintmax_t EntryLimit(std::uintmax_t archiveSize) {
    return std::min(kLargestScore, std::max(kSmallestLimit, archiveSize * kMostExpansion));
}

std::string MiB(std::uintmax_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

// An entry shorter or longer than its header says is damaged even when its checksum matches.
void CheckLength(zip_t* archive, zip_uint64_t index, const std::string& name, std::size_t length) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
        stat.size != length) {
        throw ScoreError("the compressed entry " + name + " is damaged (it holds " +
                         std::to_string(length) + " bytes, not the " + std::to_string(stat.size) +
                         " its header declares)");
    }
}

// The whole entry, read to its end so that its checksum and length are checked.
std::string ReadEntry(zip_t* archive, const std::string& name, std::uintmax_t limit) {
    const zip_int64_t index = zip_name_locate(archive, name.c_str(), 0);
    if (index < 0) {
        throw ScoreError("the compressed score has no entry " + name);
    }
    const std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
    if (!entry) {
        throw ScoreError("the compressed entry " + name + " cannot be unpacked (" +
                         zip_strerror(archive) + ")");
    }
    std::string text;
    std::array<char, 1 << 16> buffer;
    for (;;) {
        const zip_int64_t read = zip_fread(entry.get(), buffer.data(), buffer.size());
        if (read < 0) {
            throw ScoreError("the compressed entry " + name + " is damaged (" +
                             zip_file_strerror(entry.get()) + ")");
        }
        if (read == 0) {
            CheckLength(archive, static_cast<zip_uint64_t>(index), name, text.size());
            return text;
        }
        if (text.size() + static_cast<std::uintmax_t>(read) > limit) {
            throw ScoreError("the compressed entry " + name + " unpacks to more than " +
                             MiB(limit) + ", more than a score in an archive of this size holds");
        }
        text.append(buffer.data(), static_cast<std::size_t>(read));
    }
}

std::string RootFileName(zip_t* archive, std::uintmax_t limit) {
    if (zip_name_locate(archive, "META-INF/container.xml", 0) >= 0) {
        const std::string container = ReadEntry(archive, "META-INF/container.xml", limit);
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
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    const std::uintmax_t limit = EntryLimit(sizeError ? 0 : size);
    return ReadEntry(archive.get(), RootFileName(archive.get(), limit), limit);
}
