#include "settings/FCSettingsPairs.h"

#include "framework/core/LeadingInteger.h"
#include "platform/EightBitText.h"
#include "settings/SettingsFile.h"

#include <string>
#include <string_view>

namespace {

// A key as compared, every code unit of it (zero units included): ASCII A-Z lowered, then each
// code unit narrowed to its low byte.
std::string ComparableKey(const FCString& text) {
    const std::u16string_view key(text.GetUTF16(), text.GetLength());
    std::string comparable;
    comparable.reserve(key.size());
    for (char16_t unit : key) {
        const char16_t lowered =
            unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
        comparable.push_back(LowByte(lowered));
    }
    return comparable;
}

} // namespace

FCSettingsPair* FCSettingsPairs::Find(const char* key) const {
    const std::string wanted = ComparableKey(FCString(key));
    for (int index = 0; index < GetCount(); ++index) {
        FCSettingsPair* pair = GetItemAt(index);
        if (ComparableKey(*pair->GetKey()) == wanted) {
            return pair;
        }
    }
    return nullptr;
}

bool FCSettingsPairs::GetInteger(const char* key, std::int32_t& value) const {
    FCSettingsPair* pair = Find(key);
    if (pair) {
        value = LeadingIntegerAtStart(pair->GetValue()->GetCString());
    }
    return pair != nullptr;
}

bool FCSettingsPairs::GetBoolean(const char* key, bool& value) const {
    FCSettingsPair* pair = Find(key);
    if (pair) {
        value = pair->GetValue()->IsEqualCString("1");
    }
    return pair != nullptr;
}

bool FCSettingsPairs::GetFloat(const char* key, float& value) const {
    FCSettingsPair* pair = Find(key);
    if (pair) {
        value = pair->GetValue()->GetFloat();
    }
    return pair != nullptr;
}

void FCSettingsPairs::SetInteger(const char* key, std::int32_t value) {
    FCString text;
    text.SetInteger(value);
    SetValue(key, text);
}

void FCSettingsPairs::SetBoolean(const char* key, bool value) {
    SetValue(key, FCString(value ? "1" : "0"));
}

void FCSettingsPairs::SetFloat(const char* key, float value) {
    FCString text;
    text.SetFloat(value);
    SetValue(key, text);
}

void FCSettingsPairs::AddOtherLine(const FCString& line) {
    otherLines_.push_back({GetCount(), line});
}

bool FCSettingsPairs::SaveSettingsFile() const {
    const std::unique_ptr<FCTextFileStream> stream = CreateSettingsStream();
    if (!stream || !stream->OpenWrite()) {
        return false;
    }
    auto other = otherLines_.begin();
    for (int index = 0; index <= GetCount(); ++index) {
        for (; other != otherLines_.end() && other->pairsBefore == index; ++other) {
            WriteLine(*stream, other->line);
        }
        if (index < GetCount()) {
            WriteLine(*stream, GetItemAt(index)->GetLine());
        }
    }
    return stream->Close();
}

void FCSettingsPairs::WriteLine(FCTextFileStream& stream, const FCString& line) {
    std::string bytes;
    bytes.reserve(line.GetLength() + 1);
    for (std::uint64_t at = 0; at < line.GetLength(); ++at) {
        bytes.push_back(LowByte(line.GetUTF16()[at]));
    }
    bytes.push_back('\n');
    stream.WriteText(bytes);
}

void FCSettingsPairs::SetValue(const char* key, const FCString& text) {
    if (FCSettingsPair* pair = Find(key)) {
        pair->SetValue(text);
    } else {
        Add(new FCSettingsPair(FCString(key), text));
    }
}
