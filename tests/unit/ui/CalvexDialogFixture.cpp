#include "ui/CalvexDialogFixture.h"

#include "host/formats/json/ScoreFile.h"
#include "host/standin/HostDialogs.h"
#include "hostinterface/PluginExports.h"

void CalvexDialogFixture::SetUp() {
    SettingsFolderFixture::SetUp();
    mainWindow_ = std::make_unique<HostMainWindow>();
}

void CalvexDialogFixture::TearDown() {
    Terminate();
    HostDialogs::Instance().Reset();
    mainWindow_.reset();
    SettingsFolderFixture::TearDown();
}

void CalvexDialogFixture::Invoke() {
    EXPECT_EQ(FinaleExtensionInvoke(MainWindow()), 0);
}

void CalvexDialogFixture::Terminate() {
    FinaleExtensionTerminate();
}

HWND CalvexDialogFixture::Dialog() const {
    return HostDialogs::Instance().Newest();
}

void CalvexDialogFixture::LoadScore(const std::string& json) {
    ScoreFile::Apply(json, host);
}
