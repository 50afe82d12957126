// One key/value line of the settings file, both texts without surrounding whitespace. A pair read
// from the file keeps its line as read, so that a save writes other programs' lines back byte for
// byte; setting the value makes the pair a "key=value" line of its own.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/FCString.h"

#include <optional>

class FCSettingsPair : public __FCBase {
public:
    FCSettingsPair(const FCString& key, const FCString& value);
    FCSettingsPair(const FCString& key, const FCString& value, const FCString& line);

    FCString* GetKey() { return &key_; }
    // The value to read; a new value is given with SetValue.
    FCString* GetValue() { return &value_; }
    void SetValue(const FCString& value);
    // The line a save writes: the line as read while the value is unchanged, else key=value.
    FCString GetLine() const;

private:
    FCString key_;
    FCString value_;
    std::optional<FCString> line_;
};
