#include "settings/FCSettingsPairs.h"

#include "framework/core/LeadingInteger.h"
#include "platform/EightBitText.h"
#include "settings/SettingsFile.h"

#include <string>
#include <string_view>

namespace {

// How many times a save starts over from a file that another program changed meanwhile; a file
// that changes under every attempt is left to that program.
constexpr int kSaveAttempts = 32;

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

void FCSettingsPairs::RememberSource(std::optional<std::string> bytes) {
    source_ = std::move(bytes);
}

bool FCSettingsPairs::SaveSettingsFile() const {
    const FCSettingsPairs* pairs = this;
    std::unique_ptr<FCSettingsPairs> merged;
    for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
        const SaveOutcome outcome = pairs->SaveIfUnchanged();
        if (outcome != SaveOutcome::FileChanged) {
            return outcome == SaveOutcome::Saved;
        }
        SettingsFileContents current = ReadSettingsFile();
        if (current.state == SettingsFileState::Unreadable) {
            return false;
        }
        merged = pairs->MergedInto(std::move(current.pairs));
        pairs = merged.get();
    }
    return false;
}

FCSettingsPairs::SaveOutcome FCSettingsPairs::SaveIfUnchanged() const {
    const std::unique_ptr<FCTextFileStream> stream = CreateSettingsStream();
    if (!stream || !stream->OpenWrite()) {
        return SaveOutcome::Failed;
    }
    WriteLines(*stream);
    bool changed = false;
    const bool saved = stream->Close([&] {
        const SettingsFileBytes now = ReadSettingsBytes();
        changed = now.state != SettingsFileState::Unreadable && now.bytes != source_;
        return now.state != SettingsFileState::Unreadable && !changed;
    });
    if (saved) {
        return SaveOutcome::Saved;
    }
    return changed ? SaveOutcome::FileChanged : SaveOutcome::Failed;
}

std::unique_ptr<FCSettingsPairs>
FCSettingsPairs::MergedInto(std::unique_ptr<FCSettingsPairs> pairs) const {
    if (!pairs) {
        pairs = std::make_unique<FCSettingsPairs>();
    }
    for (const Edit& edit : edits_) {
        pairs->SetValue(edit.key.c_str(), edit.text);
    }
    return pairs;
}

void FCSettingsPairs::WriteLines(FCTextFileStream& stream) const {
    auto other = otherLines_.begin();
    for (int index = 0; index <= GetCount(); ++index) {
        for (; other != otherLines_.end() && other->pairsBefore == index; ++other) {
            WriteLine(stream, other->line);
        }
        if (index < GetCount()) {
            WriteLine(stream, GetItemAt(index)->GetLine());
        }
    }
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
    edits_.push_back({key, text});
    if (FCSettingsPair* pair = Find(key)) {
        pair->SetValue(text);
    } else {
        Add(new FCSettingsPair(FCString(key), text));
    }
}
