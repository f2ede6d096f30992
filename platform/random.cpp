// A Mersenne twister seeded from the high-resolution clock: two groups of draws in the same
// millisecond still get different seeds.
#include "platform/random.h"

#include <cassert>
#include <chrono>
#include <random>

namespace {
std::mt19937& Engine() {
    static std::mt19937 engine(5489u);
    return engine;
}
std::function<uint32_t()>& SeedSource() {
    static std::function<uint32_t()> source;
    return source;
}
}  // namespace

void Randomize() {
    uint32_t seed;
    if (SeedSource()) {
        seed = SeedSource()();
    } else {
        auto ns = std::chrono::high_resolution_clock::now().time_since_epoch().count();
        seed = static_cast<uint32_t>(ns ^ (ns >> 32));
    }
    Engine().seed(seed);
}

int Random(int range) {
    assert(range > 0);
    return std::uniform_int_distribution<int>(0, range - 1)(Engine());
}

void SetRandomSeedSource(std::function<uint32_t()> source) { SeedSource() = std::move(source); }
