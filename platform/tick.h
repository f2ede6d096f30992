// The system's millisecond tick count: unsigned 32 bits since an arbitrary start, wrapping.
#pragma once

#include <cstdint>
#include <functional>

uint32_t GetTickCount();
// Tests put a fake clock here; an empty function restores the real one.
void SetTickCountSource(std::function<uint32_t()> source);
