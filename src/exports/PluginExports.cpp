// The seven functions the host calls, under their plain names.
#include "hostinterface/PluginExports.h"
#include "binding/PluginState.h"
#include "framework/core/FCString.h"
#include "hostinterface/HostLayouts.h"
#include "resources/ResourceIds.h"
#include "ui/PluginInvocation.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t kPluginVersion = 0x0F000000;
using MenuRecord::kMaxTextUnits;
using MenuRecord::kTextCount;

// The menu text, the description and the extension name, in record order. The first is loaded
// with the module's own handle, which is remembered for every later load.
void LoadMenuTexts(FCString (&texts)[kTextCount]) {
    texts[0].LoadResourceString(IDS_MENU_TEXT, moduleHandle);
    texts[1].LoadResourceString(IDS_MENU_DESCRIPTION);
    texts[2].LoadResourceString(IDS_EXTENSION_NAME);
}

// The low bytes of the text, cut to 63, zero-padded to the whole 64-byte field.
void CopyText8(FCString& text, unsigned char* field) {
    const char* bytes = text.GetCString();
    const std::size_t length = std::min(std::strlen(bytes), kMaxTextUnits);
    std::memset(field, 0, MenuRecord8::kFieldSize);
    std::memcpy(field, bytes, length);
}

// At most 63 code units and a terminator; the rest of the field is left as it was.
void CopyText16(FCString& text, unsigned char* field) {
    const std::size_t length = std::min<std::size_t>(text.GetLength(), kMaxTextUnits);
    std::memcpy(field, text.GetUTF16(), length * sizeof(char16_t));
    const char16_t terminator = 0;
    std::memcpy(field + length * sizeof(char16_t), &terminator, sizeof terminator);
}

void ClearFlags(unsigned char* flagsField) {
    const std::uint32_t flags = 0;
    std::memcpy(flagsField, &flags, sizeof flags);
}

// The menu record in one of its two forms: the three text fields one after another, each
// fieldBytes long and filled by copyText, then the flags.
struct MenuRecordLayout {
    std::size_t fieldBytes;
    std::size_t flags;
    void (*copyText)(FCString& text, unsigned char* field);
};

constexpr MenuRecordLayout kMenuRecord8{MenuRecord8::kFieldSize, MenuRecord8::kFlags, CopyText8};
constexpr MenuRecordLayout kMenuRecord16{MenuRecord16::kFieldSize, MenuRecord16::kFlags,
                                         CopyText16};

// Only the first menu item exists.
std::int32_t FillMenuRecord(std::int16_t index, void* record, const MenuRecordLayout& layout) {
    if (index >= 1 || !record) {
        return 0;
    }
    auto* bytes = static_cast<unsigned char*>(record);
    FCString texts[kTextCount];
    LoadMenuTexts(texts);
    for (std::size_t i = 0; i < kTextCount; ++i) {
        layout.copyText(texts[i], bytes + i * layout.fieldBytes);
    }
    ClearFlags(bytes + layout.flags);
    return 1;
}

} // namespace

CALVEX_EXPORT std::uint32_t FinaleExtensionVersion(std::uint32_t version) {
    hostVersion = version;
    return kPluginVersion;
}

CALVEX_EXPORT std::int32_t FinaleExtensionInit(void* /*reserved*/, std::uint32_t* flags) {
    if (flags) {
        *flags |= 1u;
    }
    PluginSettings = PluginSettingsRecord::Defaults();
    return 1;
}

CALVEX_EXPORT std::int32_t FinaleExtensionEnumerate(void* /*reserved*/, std::int16_t index,
                                                    void* record8) {
    return FillMenuRecord(index, record8, kMenuRecord8);
}

CALVEX_EXPORT std::int32_t FinaleExtensionEnumerate_UTF16(void* /*reserved*/, std::int16_t index,
                                                          void* record16) {
    return FillMenuRecord(index, record16, kMenuRecord16);
}

CALVEX_EXPORT std::int16_t FinaleExtensionInvoke(HWND hostWindow) {
    HandleInvocation(hostWindow);
    return 0;
}

CALVEX_EXPORT void FinaleExtensionTerminate() {
    HandleTermination();
}

CALVEX_EXPORT std::int32_t FinaleExtensionGetMenuStatus(void* /*reserved*/) {
    return 1;
}
