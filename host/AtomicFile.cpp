#include "host/AtomicFile.h"

#include "host/ScoreError.h"

#include <filesystem>
#include <fstream>

void AtomicFile::Write(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw ScoreError(path + ": cannot be written");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw ScoreError(path + ": cannot be written");
    }
}
