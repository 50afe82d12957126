// Finds the stand-in host's FX_ functions by name, as GetProcAddress finds them in the host.
#include "host/standin/HostFunctions.h"

#include <cstring>

void* FindHostFunction(const char* name) {
    struct Entry {
        const char* name;
        void* address;
    };
    static const Entry kTable[] = {
#define CALVEX_HOST_ENTRY(fn, result, parameters) {#fn, reinterpret_cast<void*>(&fn)},
        CALVEX_HOST_FUNCTIONS(CALVEX_HOST_ENTRY)
#undef CALVEX_HOST_ENTRY
    };
    for (const Entry& entry : kTable) {
        if (std::strcmp(entry.name, name) == 0) {
            return entry.address;
        }
    }
    return nullptr;
}
