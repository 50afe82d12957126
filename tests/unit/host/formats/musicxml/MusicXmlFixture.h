// A fresh host and a temporary folder for MusicXML files, with small builders for scores.
#pragma once

#include "host/formats/ScoreSource.h"
#include "host/model/PartLayout.h"
#include "support/HostFixture.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class MusicXmlFixture : public HostFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A partwise score with one part per entry (IDs P1, P2, ...), each given by its measures.
    static std::string Score(const std::vector<std::string>& parts,
                             const std::string& defaults = "");
    // A measure: its number, and the markup inside it.
    static std::string Measure(int number, const std::string& content,
                               const std::string& attributes = "");
    // A note (or with rest a rest) of the duration, with more markup inside it.
    static std::string Note(int duration, const std::string& more = "");
    static std::string Rest(int duration, const std::string& more = "");
    static std::string Divisions(int divisions, const std::string& more = "");

    std::string Write(const std::string& name, const std::string& text) const;
    static std::string Read(const std::string& path);

    // Loads the file into the host.
    std::unique_ptr<ScoreSource> Open(const std::string& path, bool linkedParts = false);
    PartLayout Layout(std::int16_t part = 0) { return PartLayout::Of(host.Document(), part); }

    std::filesystem::path folder;
};
