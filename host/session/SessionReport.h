// What a user's session did, in the score's own terms: the selection it ran on, each Apply and
// message box, one line per change to the layout ("Flute, bars 4–7: rest 300 → 390") and a
// summary line; or the same facts as JSON for scripts.
#pragma once

#include "host/model/ScoreTerms.h"
#include "host/session/LayoutChanges.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SessionReport {
    struct Selection {
        std::int32_t firstMeasure = 0;
        std::int32_t lastMeasure = 0;
        std::int16_t firstSlot = 0;
        std::int16_t lastSlot = 0;
        bool allStaves = false; // the slots hold every staff of the current part
    };
    struct Applied {
        std::string mode;
        std::string scope;
    };
    struct Message {
        std::string caption; // UTF-8
        std::string text;
    };

    // The summary line alone (the quiet report), or every line.
    std::string Text(bool quiet) const;
    // A JSON object with every fact, and `error` when the session failed.
    std::string Json(const std::string& error) const;

    std::string score;
    ScoreTerms terms;
    std::int16_t currentPart = 0;
    std::optional<Selection> selection;
    std::vector<Applied> applied;
    std::vector<Message> messages;
    std::size_t editsKept = 0;
    std::size_t editsCancelled = 0;
    // The session came to its end; a failed step leaves what was not done unsaid.
    bool finished = true;
    std::vector<LayoutChange> changes;
    std::vector<std::string> partFiles; // the part files written
    std::string picture;                // the picture drawn of the session; empty: none
    std::vector<std::string> warnings;  // what the written files cannot hold

    // "selection in Flute: bars 4–7, all staves", or "...: none".
    std::string SelectionText() const;

private:
    std::string ChangeText(const LayoutChange& change) const;
    std::string SummaryText() const;
    std::string WarningText() const;
};
