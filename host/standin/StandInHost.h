// The stand-in for the host program, as far as the plug-in can see it: the host's state, reached
// through the FX_ functions it answers, every call recorded, and the host module the plug-in
// finds them in.
#pragma once

#include "host/model/HostState.h"
#include "host/standin/HostCall.h"
#include "platform/Platform.h"

#include <cstdint>
#include <initializer_list>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

class StandInHost : public HostState {
public:
    // The host's paths are 260 UTF-16 units at most, the terminator included.
    static constexpr std::size_t kPathUnits = 260;

    static StandInHost& Instance();

    // Back to a fresh host: no calls recorded, nothing hidden, the default version, an empty
    // document.
    void Reset();

    // Makes the host behave as one that lacks the function: the plug-in's look-up finds nothing.
    void HideFunction(const std::string& name) { hidden_.insert(name); }
    bool IsHidden(const std::string& name) const { return hidden_.count(name) != 0; }

    // Counts the call; keeps it when calls are kept (with the bytes a save or create hands
    // over) and writes it to the stream when there is one. Nothing is built for a call that
    // is only counted.
    void Record(const char* name, std::initializer_list<std::int64_t> args,
                const void* bytes = nullptr, std::int64_t size = 0) {
        ++callCount_;
        if (keepingCalls_ || stream_) {
            Keep(name, args, bytes, size);
        }
    }
    // What the host answered the call it recorded last, kept with that call.
    void Answer(std::int64_t answer) {
        if (keepingCalls_ && !calls_.empty()) {
            calls_.back().answer = answer;
        }
    }
    // How many host calls were made, kept or not; a benchmark counts without keeping them.
    std::size_t CallCount() const { return callCount_; }
    void KeepCalls(bool keep) { keepingCalls_ = keep; }
    // Writes every later call as one line to the stream (null: none); the stream outlives it.
    void StreamCalls(std::ostream* stream) { stream_ = stream; }
    const std::vector<HostCall>& Calls() const { return calls_; }
    std::vector<HostCall> CallsTo(const std::string& name) const;
    void ClearCalls() {
        calls_.clear();
        callCount_ = 0;
    }

    // The folder kind that asks for the folder where the settings file lives.
    static constexpr std::int16_t kSettingsFolderKind = 15;

    // The folder answered for kSettingsFolderKind; empty: none.
    const std::u16string& SettingsFolder() const { return settingsFolder_; }
    void SetSettingsFolder(std::u16string folder) { settingsFolder_ = std::move(folder); }

    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // The address of an FX_ function by name, or null (also for hidden ones).
    void* LookUp(const char* name) const;

    // Makes the host's functions findable by the plug-in as the module "FINALE.EXE". On Windows
    // the executable exports them itself; natively they are registered with the stand-in loader.
    void RegisterHostModule();

    // Has the process give each large block back to the system when it is freed, as the host's
    // tables of a large score are built, copied for edits and dropped (natively; the Windows
    // heap does so already).
    static void GiveBackLargeBlocks();

private:
    // The platform's own services of the stand-in (natively its user services) made new.
    void ResetPlatformServices();
    void Keep(const char* name, std::initializer_list<std::int64_t> args, const void* bytes,
              std::int64_t size);

    std::set<std::string> hidden_;
    std::vector<HostCall> calls_;
    std::size_t callCount_ = 0;
    bool keepingCalls_ = true;
    std::ostream* stream_ = nullptr;
    std::u16string settingsFolder_;
    HWND mainWindow_ = nullptr;
    HMODULE registeredModule_ = nullptr;
};
