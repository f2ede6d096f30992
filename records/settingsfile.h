// The settings file setting.dat: six lines of CP932 text, each ended by CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The number of lines a complete settings file holds.
constexpr std::size_t SettingsLineCount = 6;

// Every line of the file at `path`, however many there are; nothing when no file is there.
std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path);

// Writes `lines`, each followed by CR LF, as the new contents of `path`. The contents are written
// beside the file and then put in its place in one step, so that the file is never left
// half-written; a file that may not be written stays untouched and the write fails.
void WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines);
