// Drives the real plug-in module through many seeded cycles in one process, as a host's plug-in
// validator does, and prints each failing seed with the command that reruns that cycle alone.
//   calvex_validator PLUGIN CYCLES FIRST_SEED
#include "tests/support/TemporaryFolder.h"
#include "tests/validator/ValidationCycle.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool ReadCount(const char* text, std::uint32_t& value) {
    char* end = nullptr;
    const unsigned long read = std::strtoul(text, &end, 10);
    value = static_cast<std::uint32_t>(read);
    return *text != '\0' && *end == '\0' && read <= 0xFFFFFFFFul;
}

} // namespace

int main(int argc, char** argv) {
    std::uint32_t cycles = 0;
    std::uint32_t firstSeed = 0;
    if (argc != 4 || !ReadCount(argv[2], cycles) || !ReadCount(argv[3], firstSeed)) {
        std::fprintf(stderr, "usage: %s PLUGIN CYCLES FIRST_SEED\n", argv[0]);
        return 2;
    }
    TemporaryFolder settingsFolder;
    ValidationCycle cycle(argv[1], settingsFolder.Path());
    int passed = 0;
    int failed = 0;
    for (std::uint32_t i = 0; i < cycles; ++i) {
        const std::uint32_t seed = firstSeed + i;
        const std::string failure = cycle.Run(seed);
        if (failure.empty()) {
            ++passed;
            continue;
        }
        ++failed;
        std::printf("FAILED  cycle %u: %s\n        rerun it alone: %s %s 1 %u\n", seed,
                    failure.c_str(), argv[0], argv[1], seed);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
