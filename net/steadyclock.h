// Milliseconds of the monotonic clock for the network's own time bounds; unlike the tick count,
// tests never fake it, so a faked clock cannot stop or stretch a network wait.
#pragma once

#include <chrono>
#include <cstdint>

inline int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
