// The integrity sum that guards each score-log record.
#pragma once

#include <cstdint>
#include <string>

// Twice the sum of the unsigned byte values of `text` (CP932 bytes) up to its first zero byte,
// wrapping at 32 bits.
int32_t Checksum(const std::string& text);
