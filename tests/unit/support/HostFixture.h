// A fresh stand-in host for each test, with the plug-in module attached as the loader would:
// the host's functions findable as "FINALE.EXE", the plug-in's resources behind its handle.
#pragma once

#include "host/standin/StandInHost.h"

#include <gtest/gtest.h>

class HostFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The handle the plug-in module was attached under (its resources are the real ones).
    static HMODULE PluginHandle();

    StandInHost& host = StandInHost::Instance();
};
