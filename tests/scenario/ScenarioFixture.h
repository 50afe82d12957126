// A score in the stand-in host and one spacing pass over it, run the way Apply runs it: inside
// one undo block, with the user's choices in the plug-in settings.
#pragma once

#include "host/formats/ScoreSource.h"
#include "host/model/HostDocument.h"
#include "support/HostFixture.h"
#include "tests/support/RandomDocument.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ScenarioFixture : public HostFixture {
protected:
    void SetUp() override;

    // Fills the host from score-file text and tells the plug-in the host's version.
    void Load(const std::string& json);
    void LoadExample(const std::string& name);
    // Loads a score file (JSON or MusicXML) as the command line does; the source writes it back.
    std::unique_ptr<ScoreSource> LoadFile(const std::string& path, bool linkedParts = false);

    // One pass with the current settings; true when it changed the document (edit kept).
    bool RunPass();

    std::vector<std::int16_t> MeasureWidths(std::int16_t part = 0);
    std::int16_t RestWidth(std::int16_t first, std::int16_t part = 0);
    std::int16_t RestAdjust(std::int16_t first, std::int16_t part = 0);
    std::vector<std::pair<std::int16_t, std::int16_t>> Systems(std::int16_t part = 0);

    // The settings of one user choice, starting from the defaults.
    static void Choose(int scope, int mode);
    // Choices drawn after the document, including values the dialog never produces.
    static void ChooseRandomly(RandomDocument& document);
};
