#include "settings/FCSettingsPair.h"

FCSettingsPair::FCSettingsPair(const FCString& key, const FCString& value)
    : key_(key), value_(value) {
    key_.TrimWhitespace();
    value_.TrimWhitespace();
}
