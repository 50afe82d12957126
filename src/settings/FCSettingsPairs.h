// The pairs of the settings file in file order, new pairs at the end. Keys may repeat; every
// look-up takes the first pair whose key matches, ignoring the case of ASCII letters.
#pragma once

#include "framework/core/FCCollection.h"
#include "settings/FCSettingsPair.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class FCTextFileStream;

class FCSettingsPairs : public __FCCollection {
public:
    const char* ClassName() const override { return "FCSettingsPairs"; }

    FCSettingsPair* GetItemAt(int index) const {
        return static_cast<FCSettingsPair*>(__FCCollection::GetItemAt(index));
    }
    // The first pair whose key equals the given 8-bit key when A-Z are lowered; null if none.
    FCSettingsPair* Find(const char* key) const;

    // Each getter is true when the key exists and changes value only then.
    bool GetInteger(const char* key, std::int32_t& value) const;
    // True exactly for the text "1".
    bool GetBoolean(const char* key, bool& value) const;
    bool GetFloat(const char* key, float& value) const;

    // Each setter replaces the first matching pair's value or appends a new pair.
    void SetInteger(const char* key, std::int32_t value);
    void SetBoolean(const char* key, bool value);
    void SetFloat(const char* key, float value);

    // Keeps a line of the file that holds no pair (an empty line, one without a key before its
    // "="), to be written back in its place after the pairs added so far.
    void AddOtherLine(const FCString& line);

    // The bytes of the file these pairs were parsed from; none when there was no file (the state
    // of pairs that were never read from it).
    void RememberSource(std::optional<std::string> bytes);

    // Writes every line, replacing the whole file: lines read from the file as they were read,
    // unless their value was set, and set or new pairs as "key=value". The file is read again
    // just before the new one replaces it; when another program changed it since these pairs
    // were read, the save starts over from the file as it is now, with the values set here
    // applied to its lines, so that the other program's lines and keys are kept and ours take
    // their place among them. No lock is taken: the programs sharing the file follow no locking
    // convention, so a lock would hold back only our own saves. What remains is a change made
    // between the last look and the replacement. False when the file could not be written or
    // read, or changed under every attempt; the old file is then left as it was.
    [[nodiscard]] bool SaveSettingsFile() const;

private:
    struct OtherLine {
        int pairsBefore;
        FCString line;
    };
    // A value given to a key through a setter, in the order given.
    struct Edit {
        std::string key;
        FCString text;
    };
    enum class SaveOutcome { Saved, Failed, FileChanged };

    void SetValue(const char* key, const FCString& text);
    // Replaces the file when it still holds the source bytes.
    SaveOutcome SaveIfUnchanged() const;
    // This collection's edits applied to the given pairs (null: no file).
    std::unique_ptr<FCSettingsPairs> MergedInto(std::unique_ptr<FCSettingsPairs> pairs) const;
    void WriteLines(FCTextFileStream& stream) const;
    static void WriteLine(FCTextFileStream& stream, const FCString& line);

    std::vector<OtherLine> otherLines_;
    std::vector<Edit> edits_;
    std::optional<std::string> source_;
};
