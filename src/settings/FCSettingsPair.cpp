#include "settings/FCSettingsPair.h"

#include <string>

FCSettingsPair::FCSettingsPair(const FCString& key, const FCString& value)
    : key_(key), value_(value) {
    key_.TrimWhitespace();
    value_.TrimWhitespace();
}

FCSettingsPair::FCSettingsPair(const FCString& key, const FCString& value, const FCString& line)
    : FCSettingsPair(key, value) {
    line_ = line;
}

void FCSettingsPair::SetValue(const FCString& value) {
    value_.SetString(&value);
    line_.reset();
}

FCString FCSettingsPair::GetLine() const {
    if (line_) {
        return *line_;
    }
    FCString line(key_);
    line.AppendCString("=");
    std::u16string units(line.GetUTF16(), line.GetLength());
    units.append(value_.GetUTF16(), value_.GetLength());
    line.SetUTF16(units.data(), units.size());
    return line;
}
