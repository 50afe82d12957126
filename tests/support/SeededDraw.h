// Numbers drawn from a seed, the same on every standard library and every build: the Mersenne
// twister's output is fixed by the language, while the library's distributions are not, so the
// mapping onto a range is done here. A failing seed therefore reproduces anywhere.
#pragma once

#include <cstdint>
#include <random>

class SeededDraw {
public:
    explicit SeededDraw(std::uint32_t seed) : engine_(seed) {}

    // A whole number from low to high (low <= high), both included, each equally likely.
    int Between(int low, int high);
    // True in the given percentage of draws.
    bool Percent(int percent) { return Between(0, 99) < percent; }

private:
    std::mt19937 engine_;
};
