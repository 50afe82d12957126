#include "host/AtomicFile.h"

#include "host/ScoreError.h"

#include <filesystem>
#include <fstream>

namespace {

void Remove(const std::string& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
}

} // namespace

void AtomicFile::Write(const std::string& path, const std::string& bytes) {
    Write(path, [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

void AtomicFile::Write(const std::string& path, const std::function<void(std::ostream&)>& write) {
    const std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        try {
            write(out);
        } catch (...) {
            out.close();
            Remove(temporary);
            throw;
        }
        out.close();
        if (!out) {
            Remove(temporary);
            throw ScoreError(path + ": cannot be written");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        Remove(temporary);
        throw ScoreError(path + ": cannot be written");
    }
}
