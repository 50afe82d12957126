#include "host/standin/HostFrameClass.h"

// The native stand-in's windows have no procedures; its message boxes disable nothing.
LPCWSTR HostFrameClass() {
    return AsPlatformText(u"Static");
}
