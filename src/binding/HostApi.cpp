#include "binding/HostApi.h"

#include <array>
#include <optional>
#include <unordered_map>

namespace {

struct Binding {
    bool looked = false;
    FARPROC address = nullptr;
};

struct HostModule {
    bool looked = false;
    HMODULE handle = nullptr;
};

HostModule hostModule;
std::array<Binding, static_cast<std::size_t>(HostFunction::Count)> bindings;
int openEdits = 0;
// Answers a pass cannot change, kept once asked while a pass holds the document.
int passHolds = 0;
std::optional<std::int16_t> heldDocument;
std::unordered_map<std::uint32_t, std::int32_t> heldDurations;

HMODULE FindHostModule() {
    if (!hostModule.looked) {
        hostModule.looked = true;
        hostModule.handle = GetModuleHandleA("FINALE.EXE");
        if (!hostModule.handle) {
            hostModule.handle = GetModuleHandleA("FINDEMO.EXE");
        }
    }
    return hostModule.handle;
}

FARPROC Bind(HostFunction function) {
    Binding& binding = bindings[static_cast<std::size_t>(function)];
    if (!binding.looked) {
        binding.looked = true;
        HMODULE module = FindHostModule();
        binding.address = module ? GetProcAddress(module, HostAbi::NameOf(function)) : nullptr;
    }
    return binding.address;
}

// A looked-up address as the function type it really has (through the type that casts cleanly).
template <typename Function> Function AsFunction(FARPROC address) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// Calls the bound host function with the given arguments, or yields the fallback without a call.
template <HostFunction function, typename Function, typename Result, typename... Args>
Result Call(Result fallback, Args... args) {
    auto address = AsFunction<Function>(Bind(function));
    return address ? address(args...) : fallback;
}

constexpr std::uint32_t kVersion = HostAbi::kInterfaceVersion;

} // namespace

#define CALL(name, fallback, ...) Call<HostFunction::name, HostAbi::name##_t>(fallback, __VA_ARGS__)

std::int16_t HostApi::LoadEData(std::uint32_t tag, std::int16_t* keys, void* buffer,
                                std::int32_t* size, std::uint32_t version) {
    return CALL(FX_LoadEData, std::int16_t{0}, tag, keys, buffer, size, version);
}

std::int16_t HostApi::SaveEData(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                                std::int32_t size, std::uint32_t version) {
    return CALL(FX_SaveEData, std::int16_t{0}, tag, keys, buffer, size, version);
}

std::int16_t HostApi::CreateEData(std::uint32_t tag, std::int16_t* keys, const void* buffer,
                                  std::int32_t size, std::uint32_t version) {
    return CALL(FX_CreateEData, std::int16_t{0}, tag, keys, buffer, size, version);
}

std::int16_t HostApi::DeleteEData(std::uint32_t tag, std::int16_t* keys, std::uint32_t version) {
    return CALL(FX_DeleteEData, std::int16_t{0}, tag, keys, version);
}

std::int16_t HostApi::NextEData(std::uint32_t tag, std::int16_t* keys, std::uint32_t version) {
    return CALL(FX_NextEData, std::int16_t{0}, tag, keys, static_cast<void*>(nullptr),
                static_cast<void*>(nullptr), version);
}

void* HostApi::LoadTGF(std::int16_t slot, std::int16_t measure, std::int16_t layer,
                       std::uint8_t option) {
    return CALL(FX_LoadTGF, static_cast<void*>(nullptr), std::int32_t{0}, slot, measure, layer,
                option, kVersion);
}

void HostApi::FreeTGF(void* frame) {
    if (auto address = AsFunction<HostAbi::FX_FreeTGF_t>(Bind(HostFunction::FX_FreeTGF))) {
        address(frame, kVersion);
    }
}

std::int16_t HostApi::SlotToInst(std::int16_t slot, std::int16_t staffList) {
    return CALL(FX_SlotToInst, std::int16_t{0}, slot, staffList, kVersion);
}

std::int16_t HostApi::InstToSlot(std::int16_t staff) {
    return CALL(FX_InstToSlot, std::int16_t{0}, staff, std::int16_t{0}, kVersion);
}

std::int32_t HostApi::GetMeasureDuration(std::int16_t staff, std::int16_t measure) {
    if (passHolds == 0) {
        return CALL(FX_GetMeasureDuration, std::int32_t{0}, staff, measure, kVersion);
    }
    const std::uint32_t cell = static_cast<std::uint32_t>(static_cast<std::uint16_t>(staff)) << 16 |
                               static_cast<std::uint16_t>(measure);
    const auto [held, added] = heldDurations.try_emplace(cell, 0);
    if (added) {
        held->second = CALL(FX_GetMeasureDuration, std::int32_t{0}, staff, measure, kVersion);
    }
    return held->second;
}

std::int16_t HostApi::GetMaxLayers() {
    return CALL(FX_GetMaxLayers, std::int16_t{4}, kVersion);
}

std::int16_t HostApi::GetShowLayer(std::int16_t layer) {
    return CALL(FX_GetShowLayer, std::int16_t{0}, layer, kVersion);
}

std::int16_t HostApi::GetCurrentEnigmaDocument() {
    if (heldDocument) {
        return *heldDocument;
    }
    const std::int16_t document = CALL(FX_GetCurrentEnigmaDocument, std::int16_t{0}, kVersion);
    if (passHolds > 0) {
        heldDocument = document;
    }
    return document;
}

HostApi::PassHold::PassHold() {
    ++passHolds;
}

HostApi::PassHold::~PassHold() {
    if (--passHolds == 0) {
        heldDocument.reset();
        heldDurations.clear();
    }
}

std::int16_t HostApi::GetCurrentPartID() {
    return CALL(FX_GetCurrentPartID, std::int16_t{-1}, kVersion);
}

std::int16_t HostApi::SetCurrentPartID(std::int16_t part) {
    return CALL(FX_SetCurrentPartID, std::int16_t{0}, part, kVersion);
}

std::uint16_t HostApi::GetNextPartID(std::uint16_t part) {
    return CALL(FX_GetNextPartID, std::uint16_t{0}, part, kVersion);
}

std::int16_t HostApi::GetCurERegions(void* buffer8, void* buffer24a, void* buffer24b) {
    return CALL(FX_GetCurERegions, std::int16_t{0}, buffer8, buffer24a, buffer24b, kVersion);
}

std::int16_t HostApi::RedrawMusic(const void* region24) {
    return CALL(FX_RedrawMusic, std::int16_t{0}, region24, kVersion);
}

std::int16_t HostApi::StartFinaleEdit(const char* undoText) {
    ++openEdits;
    return CALL(FX_StartFinaleEdit, std::int16_t{0}, undoText, kVersion);
}

std::int16_t HostApi::StartFinaleEditUTF16(const std::uint16_t* undoText) {
    ++openEdits;
    return CALL(FX_StartFinaleEdit_UTF16, std::int16_t{0}, undoText, kVersion);
}

std::int16_t HostApi::EndFinaleEdit() {
    if (openEdits <= 0) {
        return 1;
    }
    --openEdits;
    return CALL(FX_EndFinaleEdit, std::int16_t{0}, kVersion);
}

std::int16_t HostApi::CancelFinaleEdit() {
    if (openEdits <= 0) {
        return 0;
    }
    --openEdits;
    return CALL(FX_CancelFinaleEdit, std::int16_t{0}, kVersion);
}

std::int16_t HostApi::UpdateLayout() {
    return CALL(FX_UpdateLayout, std::int16_t{0}, std::int16_t{1}, std::int16_t{0}, kVersion);
}

std::int16_t HostApi::ExecuteMenuItem(std::int32_t command) {
    return CALL(FX_ExecuteMenuItem, std::int16_t{0}, command, kVersion);
}

std::int16_t HostApi::GetFinalePath(std::int16_t folderKind, std::uint16_t* buffer260) {
    return CALL(FX_GetFinalePath, std::int16_t{0}, folderKind, buffer260, kVersion);
}

std::int16_t HostApi::Dialog(std::int16_t resourceID, DialogCallback callback, HWND parent,
                             void* windowObject) {
    return CALL(FX_Dialog, std::int16_t{0}, resourceID, callback, parent, std::int32_t{0},
                windowObject, kVersion);
}

std::int16_t HostApi::EndDialog(HWND window) {
    return CALL(FX_EndDialog, std::int16_t{0}, window, kVersion);
}

std::int16_t HostApi::EnableDlgItem(HWND window, std::int16_t item, std::int16_t on) {
    return CALL(FX_EnableDlgItem, std::int16_t{0}, window, item, on, kVersion);
}

std::int32_t HostApi::GetDlgItemVal(HWND window, std::int16_t item, std::int16_t kind) {
    return CALL(FX_GetDlgItemVal, std::int32_t{0}, window, item, kind, kVersion);
}

std::int16_t HostApi::SetDlgItemVal(HWND window, std::int16_t item, std::int16_t kind,
                                    std::int32_t value) {
    return CALL(FX_SetDlgItemVal, std::int16_t{0}, window, item, kind, value, kVersion);
}

std::int16_t HostApi::GetDlgItemUser(HWND window, std::int16_t item, double* evpus) {
    return CALL(FX_GetDlgItemUser, std::int16_t{0}, window, item, std::int16_t{0}, evpus, kVersion);
}

std::int16_t HostApi::SetDlgItemUser(HWND window, std::int16_t item, double evpus) {
    return CALL(FX_SetDlgItemUser, std::int16_t{0}, window, item, std::int16_t{0}, evpus, kVersion);
}

std::int16_t HostApi::GetDlgString(HWND window, std::int16_t item, char* text,
                                   std::int32_t capacity) {
    return CALL(FX_GetDlgString, std::int16_t{0}, window, item, text, capacity, kVersion);
}

std::int16_t HostApi::GetDlgStringUTF16(HWND window, std::int16_t item, std::uint16_t* text,
                                        std::int32_t capacity) {
    return CALL(FX_GetDlgString_UTF16, std::int16_t{0}, window, item, text, capacity, kVersion);
}

std::int16_t HostApi::SetDlgString(HWND window, std::int16_t item, const char* text) {
    return CALL(FX_SetDlgString, std::int16_t{0}, window, item, text, kVersion);
}

std::int16_t HostApi::SetDlgStringUTF16(HWND window, std::int16_t item, const std::uint16_t* text) {
    return CALL(FX_SetDlgString_UTF16, std::int16_t{0}, window, item, text, kVersion);
}

HWND HostApi::GetCurrentWindow() {
    return CALL(FX_GetCurrentWindow, static_cast<HWND>(nullptr), kVersion);
}

bool HostApi::IsAvailable(HostFunction function) {
    return Bind(function) != nullptr;
}

int HostApi::OpenEditCount() {
    return openEdits;
}

void HostApi::ResetBinding() {
    hostModule = {};
    bindings = {};
    openEdits = 0;
    passHolds = 0;
    heldDocument.reset();
    heldDurations.clear();
}
