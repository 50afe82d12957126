// The pairs of the settings file in file order, new pairs at the end. Keys may repeat; every
// look-up takes the first pair whose key matches, ignoring the case of ASCII letters.
#pragma once

#include "framework/core/FCCollection.h"
#include "settings/FCSettingsPair.h"

#include <cstdint>

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

    // Writes every pair as a "key=value" line, replacing the whole file; false when the file
    // could not be written, in which case the old file is left as it was.
    bool SaveSettingsFile() const;

private:
    void SetValue(const char* key, const FCString& text);
};
