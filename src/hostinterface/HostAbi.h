// The host's functions as the plug-in calls them and the stand-in host defines them: one list,
// so both sides agree on every prototype. Every function takes the interface version last.
#pragma once

#include "platform/Platform.h"

#include <cstdint>

using DialogCallback = std::int32_t (*)(HWND window, std::uint32_t message, WPARAM wParam,
                                        LPARAM lParam, void* windowObject);

// X(name, result, parameters)
#define CALVEX_HOST_FUNCTIONS(X)                                                                   \
    X(FX_LoadEData, std::int16_t,                                                                  \
      (std::uint32_t tag, std::int16_t * keys, void* buffer, std::int32_t* size,                   \
       std::uint32_t version))                                                                     \
    X(FX_SaveEData, std::int16_t,                                                                  \
      (std::uint32_t tag, std::int16_t * keys, const void* buffer, std::int32_t size,              \
       std::uint32_t version))                                                                     \
    X(FX_CreateEData, std::int16_t,                                                                \
      (std::uint32_t tag, std::int16_t * keys, const void* buffer, std::int32_t size,              \
       std::uint32_t version))                                                                     \
    X(FX_DeleteEData, std::int16_t,                                                                \
      (std::uint32_t tag, std::int16_t * keys, std::uint32_t version))                             \
    X(FX_NextEData, std::int16_t,                                                                  \
      (std::uint32_t tag, std::int16_t * keys, void* reserved1, void* reserved2,                   \
       std::uint32_t version))                                                                     \
    X(FX_LoadTGF, void*,                                                                           \
      (std::int32_t reserved, std::int16_t slot, std::int16_t measure, std::int16_t layer,         \
       std::uint8_t option, std::uint32_t version))                                                \
    X(FX_FreeTGF, void, (void* frame, std::uint32_t version))                                      \
    X(FX_SlotToInst, std::int16_t,                                                                 \
      (std::int16_t slot, std::int16_t staffList, std::uint32_t version))                          \
    X(FX_InstToSlot, std::int16_t,                                                                 \
      (std::int16_t staff, std::int16_t reserved, std::uint32_t version))                          \
    X(FX_GetMeasureDuration, std::int32_t,                                                         \
      (std::int16_t staff, std::int16_t measure, std::uint32_t version))                           \
    X(FX_GetMaxLayers, std::int16_t, (std::uint32_t version))                                      \
    X(FX_GetShowLayer, std::int16_t, (std::int16_t layer, std::uint32_t version))                  \
    X(FX_GetCurrentEnigmaDocument, std::int16_t, (std::uint32_t version))                          \
    X(FX_GetCurrentPartID, std::int16_t, (std::uint32_t version))                                  \
    X(FX_SetCurrentPartID, std::int16_t, (std::int16_t part, std::uint32_t version))               \
    X(FX_GetNextPartID, std::uint16_t, (std::uint16_t part, std::uint32_t version))                \
    X(FX_GetCurERegions, std::int16_t,                                                             \
      (void* buffer8, void* buffer24a, void* buffer24b, std::uint32_t version))                    \
    X(FX_RedrawMusic, std::int16_t, (const void* region24, std::uint32_t version))                 \
    X(FX_StartFinaleEdit, std::int16_t, (const char* undoText, std::uint32_t version))             \
    X(FX_StartFinaleEdit_UTF16, std::int16_t,                                                      \
      (const std::uint16_t* undoText, std::uint32_t version))                                      \
    X(FX_EndFinaleEdit, std::int16_t, (std::uint32_t version))                                     \
    X(FX_CancelFinaleEdit, std::int16_t, (std::uint32_t version))                                  \
    X(FX_UpdateLayout, std::int16_t, (std::int16_t a, std::int16_t b, std::uint32_t version))      \
    X(FX_ExecuteMenuItem, std::int16_t, (std::int32_t command, std::uint32_t version))             \
    X(FX_GetFinalePath, std::int16_t,                                                              \
      (std::int16_t folderKind, std::uint16_t * buffer260, std::uint32_t version))                 \
    X(FX_Dialog, std::int16_t,                                                                     \
      (std::int16_t resourceID, DialogCallback callback, HWND parent, std::int32_t reserved,       \
       void* windowObject, std::uint32_t version))                                                 \
    X(FX_EndDialog, std::int16_t, (HWND window, std::uint32_t version))                            \
    X(FX_EnableDlgItem, std::int16_t,                                                              \
      (HWND window, std::int16_t item, std::int16_t on, std::uint32_t version))                    \
    X(FX_GetDlgItemVal, std::int32_t,                                                              \
      (HWND window, std::int16_t item, std::int16_t kind, std::uint32_t version))                  \
    X(FX_SetDlgItemVal, std::int16_t,                                                              \
      (HWND window, std::int16_t item, std::int16_t kind, std::int32_t value,                      \
       std::uint32_t version))                                                                     \
    X(FX_GetDlgItemUser, std::int16_t,                                                             \
      (HWND window, std::int16_t item, std::int16_t reserved, double* evpus,                       \
       std::uint32_t version))                                                                     \
    X(FX_SetDlgItemUser, std::int16_t,                                                             \
      (HWND window, std::int16_t item, std::int16_t reserved, double evpus,                        \
       std::uint32_t version))                                                                     \
    X(FX_GetDlgString, std::int16_t,                                                               \
      (HWND window, std::int16_t item, char* text, std::int32_t capacity, std::uint32_t version))  \
    X(FX_GetDlgString_UTF16, std::int16_t,                                                         \
      (HWND window, std::int16_t item, std::uint16_t * text, std::int32_t capacity,                \
       std::uint32_t version))                                                                     \
    X(FX_SetDlgString, std::int16_t,                                                               \
      (HWND window, std::int16_t item, const char* text, std::uint32_t version))                   \
    X(FX_SetDlgString_UTF16, std::int16_t,                                                         \
      (HWND window, std::int16_t item, const std::uint16_t* text, std::uint32_t version))          \
    X(FX_GetCurrentWindow, HWND, (std::uint32_t version))

enum class HostFunction {
#define CALVEX_HOST_ENUM(name, result, parameters) name,
    CALVEX_HOST_FUNCTIONS(CALVEX_HOST_ENUM)
#undef CALVEX_HOST_ENUM
        Count
};

namespace HostAbi {

// The host version this interface is written for. The plug-in passes it to every host call that
// is not a record call, assumes it until the host reports its own, exchanges records in their
// current layout under it, and finds the host's settings folder only from it on.
inline constexpr std::uint32_t kInterfaceVersion = 0x19000000;

#define CALVEX_HOST_TYPE(name, result, parameters) using name##_t = result(*) parameters;
CALVEX_HOST_FUNCTIONS(CALVEX_HOST_TYPE)
#undef CALVEX_HOST_TYPE

inline constexpr const char* kNames[] = {
#define CALVEX_HOST_NAME(name, result, parameters) #name,
    CALVEX_HOST_FUNCTIONS(CALVEX_HOST_NAME)
#undef CALVEX_HOST_NAME
};

inline constexpr const char* NameOf(HostFunction function) {
    return kNames[static_cast<int>(function)];
}

} // namespace HostAbi
