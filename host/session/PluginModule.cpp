#include "host/session/PluginModule.h"

#include "host/files/Utf8.h"

#include <optional>

namespace {

template <typename Function> bool FindExport(HMODULE module, const char* name, Function& out) {
    out = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    return out != nullptr;
}

} // namespace

PluginModule::~PluginModule() {
    Unload();
}

bool PluginModule::Load(const std::string& path, std::string& error) {
    Unload();
    // The wide name, as every file the host opens, so that a folder named in any script works
    // on Windows as well.
    const std::optional<std::u16string> widePath = Utf8::ToUtf16(path);
    if (!widePath) {
        error = "the plug-in module's name " + path + " is not UTF-8 text";
        return false;
    }
    module_ = LoadLibraryW(AsPlatformText(widePath->c_str()));
    if (!module_) {
        error = "cannot load the plug-in module " + path;
        return false;
    }
    const bool complete = FindExport(module_, "FinaleExtensionVersion", version) &&
                          FindExport(module_, "FinaleExtensionInit", init) &&
                          FindExport(module_, "FinaleExtensionEnumerate", enumerate) &&
                          FindExport(module_, "FinaleExtensionEnumerate_UTF16", enumerateUTF16) &&
                          FindExport(module_, "FinaleExtensionInvoke", invoke) &&
                          FindExport(module_, "FinaleExtensionTerminate", terminate) &&
                          FindExport(module_, "FinaleExtensionGetMenuStatus", menuStatus);
    if (!complete) {
        error = "the module " + path + " lacks one of the seven plug-in exports";
        Unload();
        return false;
    }
    return true;
}

void PluginModule::Unload() {
    if (module_) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
}
