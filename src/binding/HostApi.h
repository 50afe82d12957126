// The plug-in's only way to the host: each host function is looked up by name in the host
// executable at its first call and the answer, found or not, is kept for the module's life.
// A function the host lacks is skipped and yields 0 / false / null (a few have other defaults).
#pragma once

#include "hostinterface/HostAbi.h"

#include <cstdint>

class HostApi {
public:
    // Record functions carry the record's own layout version.
    [[nodiscard]] static std::int16_t LoadEData(std::uint32_t tag, std::int16_t* keys, void* buffer,
                                                std::int32_t* size, std::uint32_t version);
    [[nodiscard]] static std::int16_t SaveEData(std::uint32_t tag, std::int16_t* keys,
                                                const void* buffer, std::int32_t size,
                                                std::uint32_t version);
    [[nodiscard]] static std::int16_t CreateEData(std::uint32_t tag, std::int16_t* keys,
                                                  const void* buffer, std::int32_t size,
                                                  std::uint32_t version);
    [[nodiscard]] static std::int16_t DeleteEData(std::uint32_t tag, std::int16_t* keys,
                                                  std::uint32_t version);
    [[nodiscard]] static std::int16_t NextEData(std::uint32_t tag, std::int16_t* keys,
                                                std::uint32_t version);

    [[nodiscard]] static void* LoadTGF(std::int16_t slot, std::int16_t measure, std::int16_t layer,
                                       std::uint8_t option);
    static void FreeTGF(void* frame);
    [[nodiscard]] static std::int16_t SlotToInst(std::int16_t slot, std::int16_t staffList);
    [[nodiscard]] static std::int16_t InstToSlot(std::int16_t staff);
    [[nodiscard]] static std::int32_t GetMeasureDuration(std::int16_t staff, std::int16_t measure);
    [[nodiscard]] static std::int16_t GetMaxLayers();
    [[nodiscard]] static std::int16_t GetShowLayer(std::int16_t layer);
    [[nodiscard]] static std::int16_t GetCurrentEnigmaDocument();
    [[nodiscard]] static std::int16_t GetCurrentPartID();
    [[nodiscard]] static std::int16_t SetCurrentPartID(std::int16_t part);
    [[nodiscard]] static std::uint16_t GetNextPartID(std::uint16_t part);
    [[nodiscard]] static std::int16_t GetCurERegions(void* buffer8, void* buffer24a,
                                                     void* buffer24b);
    [[nodiscard]] static std::int16_t RedrawMusic(const void* region24);
    [[nodiscard]] static std::int16_t StartFinaleEdit(const char* undoText);
    [[nodiscard]] static std::int16_t StartFinaleEditUTF16(const std::uint16_t* undoText);
    [[nodiscard]] static std::int16_t EndFinaleEdit();
    [[nodiscard]] static std::int16_t CancelFinaleEdit();
    [[nodiscard]] static std::int16_t UpdateLayout();
    [[nodiscard]] static std::int16_t ExecuteMenuItem(std::int32_t command);
    [[nodiscard]] static std::int16_t GetFinalePath(std::int16_t folderKind,
                                                    std::uint16_t* buffer260);

    [[nodiscard]] static std::int16_t Dialog(std::int16_t resourceID, DialogCallback callback,
                                             HWND parent, void* windowObject);
    [[nodiscard]] static std::int16_t EndDialog(HWND window);
    [[nodiscard]] static std::int16_t EnableDlgItem(HWND window, std::int16_t item,
                                                    std::int16_t on);
    [[nodiscard]] static std::int32_t GetDlgItemVal(HWND window, std::int16_t item,
                                                    std::int16_t kind);
    [[nodiscard]] static std::int16_t SetDlgItemVal(HWND window, std::int16_t item,
                                                    std::int16_t kind, std::int32_t value);
    [[nodiscard]] static std::int16_t GetDlgItemUser(HWND window, std::int16_t item, double* evpus);
    [[nodiscard]] static std::int16_t SetDlgItemUser(HWND window, std::int16_t item, double evpus);
    [[nodiscard]] static std::int16_t GetDlgString(HWND window, std::int16_t item, char* text,
                                                   std::int32_t capacity);
    [[nodiscard]] static std::int16_t GetDlgStringUTF16(HWND window, std::int16_t item,
                                                        std::uint16_t* text, std::int32_t capacity);
    [[nodiscard]] static std::int16_t SetDlgString(HWND window, std::int16_t item,
                                                   const char* text);
    [[nodiscard]] static std::int16_t SetDlgStringUTF16(HWND window, std::int16_t item,
                                                        const std::uint16_t* text);
    [[nodiscard]] static HWND GetCurrentWindow();

    // Held for a spacing pass, whose calls switch parts but never the document and write no
    // time signature: while one is alive the host is asked once for the document's number and
    // once for each measure's duration on a staff.
    class PassHold {
    public:
        PassHold();
        PassHold(const PassHold&) = delete;
        PassHold& operator=(const PassHold&) = delete;
        ~PassHold();
    };

    // Whether the host provides the function (binding it if that has not happened yet).
    [[nodiscard]] static bool IsAvailable(HostFunction function);

    // The number of undoable edits started and not yet ended or cancelled.
    [[nodiscard]] static int OpenEditCount();

    // Forgets every binding and the open-edit count, as a fresh load of the module would.
    static void ResetBinding();
};
