// The dialogs the stand-in host has open for the plug-in, and the measurement unit in which its
// dialog items show lengths (a setting of the host, as the user chose it).
#pragma once

#include "host/model/HostMeasurement.h"
#include "host/standin/HostDialog.h"

#include <cstdint>
#include <memory>
#include <vector>

// What FX_GetDlgItemVal and FX_SetDlgItemVal read or write of an item.
namespace DialogItemValue {
// A popup's choice, counted from 1 (0: none).
inline constexpr std::int16_t kListChoice = 0;
inline constexpr std::int16_t kCheckState = 1;
// The item's text as a whole number.
inline constexpr std::int16_t kInteger = 3;
} // namespace DialogItemValue

class HostDialogs {
public:
    static HostDialogs& Instance();

    // Creates a modeless dialog from the module's template and returns at once; null when the
    // template cannot be found.
    HWND Open(HMODULE module, std::int16_t resourceID, DialogCallback callback, HWND parent,
              void* windowObject);
    // Destroys an open dialog; false for any other window.
    bool End(HWND window);
    bool IsOpen(HWND window) const { return Find(window) != nullptr; }
    HostDialog* Find(HWND window) const;
    // The dialog opened last among those still open, or null.
    HWND Newest() const;
    // Drops the session of a dialog whose window is going away.
    void Forget(HWND window);

    HostUnit Unit() const { return unit_; }
    void SetUnit(HostUnit unit) { unit_ = unit; }

    // Closes every open dialog and goes back to EVPUs.
    void Reset();

private:
    void Remove(const HostDialog* dialog);

    std::vector<std::unique_ptr<HostDialog>> dialogs_;
    HostUnit unit_ = HostUnit::EVPUs;
};
