#include "support/HostFixture.h"

#include "binding/HostApi.h"
#include "tests/support/LinkedPlugin.h"

HMODULE HostFixture::PluginHandle() {
    return LinkedPlugin::Handle();
}

void HostFixture::SetUp() {
    LinkedPlugin::Attach(host);
}

void HostFixture::TearDown() {
    EXPECT_EQ(host.Music().OpenFrameCount(), 0u) << "entry frames left unfreed";
    EXPECT_EQ(host.Music().ForeignFreeCount(), 0) << "frames freed that the host did not hold";
    HostApi::ResetBinding();
    host.Reset();
}
