// Which module holds an address: the plug-in's shared object when the address lies in it, else
// the executable itself, whose plug-in code stands registered as "zrcalvex64.fxt".
#include "platform/native/NativeModuleRegistry.h"
#include "platform/native/NativeWindowFunctions.h"

#include <dlfcn.h>

namespace {

constexpr char kLinkedPluginName[] = "zrcalvex64.fxt";

NativeModule* ModuleHolding(const void* address) {
    NativeModuleRegistry& registry = NativeModuleRegistry::Instance();
    Dl_info info{};
    if (dladdr(address, &info) != 0 && info.dli_fname) {
        if (NativeModule* module = registry.FindByName(info.dli_fname)) {
            return module;
        }
    }
    return registry.FindByName(kLinkedPluginName);
}

} // namespace

extern "C" BOOL GetModuleHandleExW(DWORD flags, LPCWSTR name, HMODULE* module) {
    if (!module) {
        return FALSE;
    }
    NativeModule* found =
        (flags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) ? ModuleHolding(name) : nullptr;
    *module = found ? NativeModuleRegistry::HandleOf(*found) : nullptr;
    return found != nullptr;
}
