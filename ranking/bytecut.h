// Cutting CP932 texts to a byte budget without leaving half a character behind.
#pragma once

#include <cstddef>
#include <string>

// The first `limit` bytes of `text`. When the cut would keep only the first byte of a double-byte
// character, that lone byte is dropped as well.
std::string CutBytes(const std::string& text, std::size_t limit);
