#include "platform/clock.h"

#include <chrono>
#include <thread>

uint32_t NowMs()
{
    using namespace std::chrono;
    const auto sinceStart = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(sinceStart.count());
}

void SleepMs(uint32_t milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
