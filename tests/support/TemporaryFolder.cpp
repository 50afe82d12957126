#include "tests/support/TemporaryFolder.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

// A fresh name is tried until one is created anew, so no folder of another run is ever shared.
TemporaryFolder::TemporaryFolder() {
    std::random_device entropy;
    const std::filesystem::path root = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = root / ("calvex-" + std::to_string(entropy()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder in " + root.string());
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::u16string TemporaryFolder::WindowsPath(const std::filesystem::path& path) {
    std::u16string windowsPath = path.u16string();
    std::replace(windowsPath.begin(), windowsPath.end(), u'/', u'\\');
    return windowsPath;
}

void TemporaryFolder::WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

std::string TemporaryFolder::ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
