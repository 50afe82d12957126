// The seven functions a plug-in exports and the host calls, declared once: the plug-in defines
// them, the stand-in host finds them by name with these types, and the tests call them.
#pragma once

#include "platform/Platform.h"

#include <cstdint>

CALVEX_EXPORT std::uint32_t FinaleExtensionVersion(std::uint32_t hostVersion);
CALVEX_EXPORT std::int32_t FinaleExtensionInit(void* reserved, std::uint32_t* flags);
CALVEX_EXPORT std::int32_t FinaleExtensionEnumerate(void* reserved, std::int16_t index,
                                                    void* record8);
CALVEX_EXPORT std::int32_t FinaleExtensionEnumerate_UTF16(void* reserved, std::int16_t index,
                                                          void* record16);
CALVEX_EXPORT std::int16_t FinaleExtensionInvoke(HWND hostWindow);
CALVEX_EXPORT void FinaleExtensionTerminate();
CALVEX_EXPORT std::int32_t FinaleExtensionGetMenuStatus(void* reserved);
