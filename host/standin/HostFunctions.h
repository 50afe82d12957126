// The FX_ functions of the stand-in host, declared from the one shared list of prototypes so
// that their definitions cannot drift from what the plug-in calls.
#pragma once

#include "hostinterface/HostAbi.h"

#define CALVEX_HOST_DECLARE(name, result, parameters) CALVEX_EXPORT result name parameters;
CALVEX_HOST_FUNCTIONS(CALVEX_HOST_DECLARE)
#undef CALVEX_HOST_DECLARE

// Name → address of every FX_ function above.
void* FindHostFunction(const char* name);
