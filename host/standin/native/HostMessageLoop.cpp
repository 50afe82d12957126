#include "host/standin/HostMessageLoop.h"

#include <chrono>
#include <thread>

void KeepMessagesFlowing(int seconds) {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
}
