#include "host/commandline/CommandLineArguments.h"

#include "host/files/Utf8.h"
#include "platform/Platform.h"

#include <shellapi.h>

// The 8-bit arguments lose what the code page cannot hold; the wide command line keeps it.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(Utf8::FromUtf16(reinterpret_cast<const char16_t*>(wide[i])));
    }
    LocalFree(wide);
    return arguments;
}
