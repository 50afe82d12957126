// The stand-in host's command line: loads the plug-in and drives it as the host program would.
#include "host/SmokeCheck.h"

#include <cstdio>
#include <string>

namespace {

#ifdef _WIN32
constexpr char kPluginFile[] = "zrcalvex64.fxt";
#else
constexpr char kPluginFile[] = "zrcalvex64.so";
#endif

// The plug-in module beside the host executable.
std::string DefaultPluginPath(const char* executable) {
    const std::string path = executable;
    const std::size_t slash = path.find_last_of("/\\");
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + kPluginFile;
}

void PrintUsage() {
    std::fprintf(stderr, "usage: finale --smoke [plugin-module]\n");
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--smoke") {
        return SmokeCheck(argc >= 3 ? argv[2] : DefaultPluginPath(argv[0])).Run();
    }
    PrintUsage();
    return 2;
}
