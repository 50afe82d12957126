// Seeded random documents and choices, including values the dialog never produces: staves,
// meters, entries, frame holds, preferences, systems and rests anywhere, overlapping or empty.
#pragma once

#include <random>
#include <string>

class RandomDocument {
public:
    explicit RandomDocument(unsigned seed) : random_(seed) {}

    // The score file of the document.
    std::string Json();
    // The user's choices for a pass over it, drawn after the document.
    void ChooseSettings();

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

private:
    std::string Entries(int staves, int measures);
    std::string FrameHolds(int staves, int measures);
    std::string Part(int id, int measures);

    std::mt19937 random_;
};
