// What the stand-in host does only on Windows: nothing to register, since FINALE.EXE exports the
// host's functions itself and the real loader finds them there.
#include "host/standin/StandInHost.h"

void StandInHost::RegisterHostModule() {}

void StandInHost::GiveBackLargeBlocks() {}

void StandInHost::ResetPlatformServices() {}
