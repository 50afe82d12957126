// The native loader's list of modules: shared objects loaded by path and function tables
// registered by name, each with its compiled resources.
#pragma once

#include "platform/native/NativeWindows.h"
#include "platform/native/ResourceFile.h"

#include <list>
#include <string>

struct NativeModule {
    std::string name;
    NativeSymbolLookup lookup = nullptr;
    void* context = nullptr;
    ResourceFile resources{{}};
    void* sharedObject = nullptr;
    int references = 1;
};

class NativeModuleRegistry {
public:
    static NativeModuleRegistry& Instance();

    NativeModule& Add(NativeModule module);
    void Remove(HMODULE handle);
    NativeModule* FindByHandle(HMODULE handle);
    NativeModule* FindByName(const std::string& name);

    static HMODULE HandleOf(NativeModule& module) { return reinterpret_cast<HMODULE>(&module); }

private:
    std::list<NativeModule> modules_;
};
