#include "sim/clock.h"

#include <atomic>
#include <chrono>

namespace {
std::atomic<int64_t> scriptedMs{-1};
}  // namespace

int64_t MillisecondClock()
{
    using namespace std::chrono;
    const int64_t scripted = scriptedMs.load(std::memory_order_acquire);
    if (scripted >= 0) return scripted;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void SetScriptedClock(int64_t ms) { scriptedMs.store(ms < 0 ? -1 : ms, std::memory_order_release); }

int64_t ScriptedClock() { return scriptedMs.load(std::memory_order_acquire); }
