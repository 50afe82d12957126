// Computes the width law over a grid of typical durations, references and factors and compares
// every ratio and width with the checked-in results, so the DLL built for Windows is shown to
// space exactly as the native build does. "--write FILE" regenerates the results on purpose.
#include "engine/WidthLaw.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ComputeLines() {
    const std::int32_t durations[] = {512,  768,  1024, 1536,  2048,  3072,  3584,  4096,  5120,
                                      6144, 7168, 8192, 12288, 16384, 24576, 32768, 65536, 131072};
    const std::int32_t references[] = {2048, 4096, 6144, 8192};
    const float factors[] = {1.1f, 1.2f, 1.3f, 1.4f, 1.5f, 1.6f, 1.7f, 1.8f, 1.9f, 1.4142f, 1.618f};
    std::vector<std::string> lines;
    for (std::int32_t duration : durations) {
        for (std::int32_t reference : references) {
            for (float factor : factors) {
                const float ratio = WidthLaw::Ratio(duration, reference, factor);
                const auto width = WidthLaw::ToWidth(480.0f * ratio);
                std::ostringstream line;
                line << duration << ' ' << reference << ' ' << std::hex
                     << std::bit_cast<std::uint32_t>(factor) << ' '
                     << std::bit_cast<std::uint32_t>(ratio) << std::dec << ' '
                     << (width ? *width : -1);
                lines.push_back(line.str());
            }
        }
    }
    return lines;
}

int Write(const char* path) {
    std::ofstream out(path, std::ios::binary);
    for (const std::string& line : ComputeLines()) {
        out << line << '\n';
    }
    return out ? 0 : 1;
}

int Check(const char* path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::printf("cannot read %s\n0 passed, 1 failed\n", path);
        return 1;
    }
    const std::vector<std::string> computed = ComputeLines();
    int passed = 0;
    int failed = 0;
    std::string expected;
    for (const std::string& line : computed) {
        if (!std::getline(in, expected) || expected != line) {
            std::printf("FAILED  expected \"%s\", computed \"%s\"\n", expected.c_str(),
                        line.c_str());
            ++failed;
        } else {
            ++passed;
        }
    }
    if (std::getline(in, expected)) {
        std::printf("FAILED  more results on file than computed\n");
        ++failed;
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        return Write(argv[2]);
    }
    if (argc == 2) {
        return Check(argv[1]);
    }
    std::fprintf(stderr, "usage: width_law_check [--write] RESULTS\n");
    return 2;
}
