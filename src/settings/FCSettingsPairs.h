// The pairs of the settings file in file order, new pairs at the end. Keys may repeat; every
// look-up takes the first pair whose key matches, ignoring the case of ASCII letters.
#pragma once

#include "framework/core/FCCollection.h"
#include "settings/FCSettingsPair.h"

#include <cstdint>
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

    // Writes every line, replacing the whole file: lines read from the file as they were read,
    // unless their value was set, and set or new pairs as "key=value". False when the file could
    // not be written, in which case the old file is left as it was.
    bool SaveSettingsFile() const;

private:
    struct OtherLine {
        int pairsBefore;
        FCString line;
    };

    void SetValue(const char* key, const FCString& text);
    static void WriteLine(FCTextFileStream& stream, const FCString& line);

    std::vector<OtherLine> otherLines_;
};
