#include "host/files/OutputFiles.h"

#include "host/files/AtomicFile.h"
#include "host/files/FilePath.h"
#include "host/files/ScoreError.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Where a write of the name lands: the end of its links, its folder made absolute.
fs::path Place(const std::string& name) {
    std::error_code error;
    const fs::path target = AtomicFile::Target(FilePath::Of(name));
    const fs::path place = fs::weakly_canonical(target, error);
    return error ? fs::absolute(target, error).lexically_normal() : place;
}

} // namespace

bool OutputFiles::SameFile(const std::string& first, const std::string& second) {
    const fs::path one = Place(first);
    const fs::path other = Place(second);
    std::error_code error;
    if (fs::exists(one, error) && fs::exists(other, error)) {
        const bool same = fs::equivalent(one, other, error);
        return same && !error;
    }
    return one == other;
}

void OutputFiles::CheckDistinct(const std::string& input, const std::vector<std::string>& outputs) {
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        if (SameFile(outputs[i], input)) {
            throw ScoreError(outputs[i] + ": cannot be written: it is the score " + input);
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (SameFile(outputs[i], outputs[j])) {
                throw ScoreError(outputs[i] + ": cannot be written: it is also the output " +
                                 outputs[j]);
            }
        }
    }
}

bool OutputFiles::CheckFolder(const std::string& folder) {
    std::error_code error;
    const fs::path path = FilePath::Of(folder);
    if (!fs::exists(path, error)) {
        return false;
    }
    if (!fs::is_directory(path, error)) {
        throw ScoreError(folder + ": cannot be written: it is not a folder");
    }
    return true;
}
