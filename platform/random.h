// The uniform pseudo-random integer source, re-seeded from the clock before each group of draws.
#pragma once

#include <cstdint>
#include <functional>

// Re-seeds the generator from the clock (or from the test's seed source).
void Randomize();
// A uniform draw from 0 ... range - 1; range must be positive.
int Random(int range);
// Tests fix the seeds here; an empty function restores the clock.
void SetRandomSeedSource(std::function<uint32_t()> source);
