#include "host/standin/HostMainWindow.h"

#include "host/standin/HostFrameClass.h"
#include "host/standin/StandInHost.h"

namespace {

constexpr int kLeft = 0;
constexpr int kTop = 0;
constexpr int kWidth = 1024;
constexpr int kHeight = 768;

} // namespace

HostMainWindow::HostMainWindow() {
    window_ = CreateWindowExW(0, HostFrameClass(), AsPlatformText(u"Finale"), WS_OVERLAPPEDWINDOW,
                              kLeft, kTop, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
    StandInHost::Instance().SetMainWindow(window_);
}

HostMainWindow::~HostMainWindow() {
    if (StandInHost::Instance().MainWindow() == window_) {
        StandInHost::Instance().SetMainWindow(nullptr);
    }
    DestroyWindow(window_);
}
