// One key/value line of the settings file, both texts without surrounding whitespace.
#pragma once

#include "framework/core/FCBase.h"
#include "framework/core/FCString.h"

class FCSettingsPair : public __FCBase {
public:
    FCSettingsPair(const FCString& key, const FCString& value);

    FCString* GetKey() { return &key_; }
    FCString* GetValue() { return &value_; }

private:
    FCString key_;
    FCString value_;
};
