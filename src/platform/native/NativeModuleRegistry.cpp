#include "platform/native/NativeModuleRegistry.h"

#include "platform/native/NativePath.h"

#include <algorithm>
#include <cctype>
#include <dlfcn.h>

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

void* LookUpSharedObjectSymbol(const char* name, void* context) {
    return dlsym(context, name);
}

using DllEntryPoint = BOOL (*)(HINSTANCE, DWORD, LPVOID);

void CallEntryPoint(NativeModule& module, DWORD reason) {
    if (auto entry = reinterpret_cast<DllEntryPoint>(dlsym(module.sharedObject, "DllMain"))) {
        entry(NativeModuleRegistry::HandleOf(module), reason, nullptr);
    }
}

} // namespace

NativeModuleRegistry& NativeModuleRegistry::Instance() {
    static NativeModuleRegistry registry;
    return registry;
}

NativeModule& NativeModuleRegistry::Add(NativeModule module) {
    modules_.push_back(std::move(module));
    return modules_.back();
}

void NativeModuleRegistry::Remove(HMODULE handle) {
    modules_.remove_if([handle](NativeModule& module) { return HandleOf(module) == handle; });
}

NativeModule* NativeModuleRegistry::FindByHandle(HMODULE handle) {
    for (NativeModule& module : modules_) {
        if (HandleOf(module) == handle) {
            return &module;
        }
    }
    return nullptr;
}

NativeModule* NativeModuleRegistry::FindByName(const std::string& name) {
    for (NativeModule& module : modules_) {
        if (SameNameIgnoringCase(module.name, FileNameOf(name))) {
            return &module;
        }
    }
    return nullptr;
}

extern "C" {

HMODULE NativeRegisterModule(const char* name, NativeSymbolLookup lookup, void* context,
                             const unsigned char* resources, std::size_t resourcesSize) {
    NativeModule module;
    module.name = FileNameOf(name ? name : "");
    module.lookup = lookup;
    module.context = context;
    module.resources = ResourceFile({resources, resources ? resourcesSize : 0});
    return NativeModuleRegistry::HandleOf(NativeModuleRegistry::Instance().Add(std::move(module)));
}

void NativeUnregisterModule(HMODULE module) {
    NativeModuleRegistry::Instance().Remove(module);
}

const unsigned char* NativeFindResource(HMODULE handle, unsigned type, unsigned name,
                                        std::size_t* size) {
    NativeModule* module = NativeModuleRegistry::Instance().FindByHandle(handle);
    if (!module) {
        return nullptr;
    }
    const std::span<const unsigned char> data = module->resources.Find(type, name);
    if (size) {
        *size = data.size();
    }
    return data.empty() ? nullptr : data.data();
}

HMODULE LoadLibraryW(LPCWSTR widePath) {
    const std::optional<std::string> nativePath = NativePath(widePath);
    if (!nativePath) {
        return nullptr;
    }
    const char* path = nativePath->c_str();
    NativeModuleRegistry& registry = NativeModuleRegistry::Instance();
    if (NativeModule* loaded = registry.FindByName(path)) {
        ++loaded->references;
        return NativeModuleRegistry::HandleOf(*loaded);
    }
    void* sharedObject = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!sharedObject) {
        return nullptr;
    }
    NativeModule module;
    module.name = FileNameOf(path);
    module.lookup = LookUpSharedObjectSymbol;
    module.context = sharedObject;
    module.sharedObject = sharedObject;
    const auto* data = static_cast<const unsigned char*>(dlsym(sharedObject, "NativeResourceData"));
    const auto* size =
        static_cast<const std::size_t*>(dlsym(sharedObject, "NativeResourceData_size"));
    module.resources = ResourceFile({data, data && size ? *size : 0});
    NativeModule& added = registry.Add(std::move(module));
    CallEntryPoint(added, DLL_PROCESS_ATTACH);
    return NativeModuleRegistry::HandleOf(added);
}

BOOL FreeLibrary(HMODULE handle) {
    NativeModuleRegistry& registry = NativeModuleRegistry::Instance();
    NativeModule* module = registry.FindByHandle(handle);
    if (!module || !module->sharedObject) {
        return FALSE;
    }
    if (--module->references > 0) {
        return TRUE;
    }
    CallEntryPoint(*module, DLL_PROCESS_DETACH);
    void* sharedObject = module->sharedObject;
    registry.Remove(handle);
    dlclose(sharedObject);
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR name) {
    if (!name) {
        return nullptr;
    }
    NativeModule* module = NativeModuleRegistry::Instance().FindByName(name);
    return module ? NativeModuleRegistry::HandleOf(*module) : nullptr;
}

FARPROC GetProcAddress(HMODULE handle, LPCSTR name) {
    NativeModule* module = NativeModuleRegistry::Instance().FindByHandle(handle);
    if (!module || !module->lookup || !name) {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(module->lookup(name, module->context));
}

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
    NativeModule* module = NativeModuleRegistry::Instance().FindByHandle(instance);
    std::u16string text;
    if (!module || !buffer || bufferMax <= 0 || !module->resources.FindString(id, text)) {
        return 0;
    }
    const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(bufferMax - 1));
    std::copy_n(text.begin(), copied, buffer);
    buffer[copied] = 0;
    return static_cast<int>(copied);
}

} // extern "C"
