#include "ui/DialogFixture.h"

#include "host/standin/HostDialogs.h"

void DialogFixture::SetUp() {
    HostFixture::SetUp();
    mainWindow_ = std::make_unique<HostMainWindow>();
}

void DialogFixture::TearDown() {
    HostDialogs::Instance().Reset();
    mainWindow_.reset();
    HostFixture::TearDown();
}

HWND DialogFixture::Open(FCResourceWindow& window) {
    EXPECT_TRUE(window.ShowDialog(MainWindow()));
    return window.GetWindowHandle();
}
