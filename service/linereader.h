// Reading a file line by line in one pass through a fixed buffer, whatever its size.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Calls `line` with each LF-ended line (without the LF) in file order until it returns false.
// A line longer than `maxLine` bytes is passed over without being held, and so is a last line
// without its LF, which may still be arriving. Returns false when the file cannot be opened or
// read; a missing file is no error and reads as empty.
bool ForEachLine(const std::string& path, std::size_t maxLine,
                 const std::function<bool(std::string_view)>& line);
