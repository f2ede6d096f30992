// The settings file setting.dat: six lines of CP932 text, each ended by CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The number of lines a complete settings file holds.
constexpr std::size_t SettingsLineCount = 6;

// The largest settings file read: far beyond six lines of typed text, far below what would
// exhaust the memory.
constexpr int64_t SettingsFileLimit = 16 << 20;

// Every line of the file at `path`, however many there are; nothing when no file is there. A file
// beyond SettingsFileLimit bytes raises, naming it.
std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path);

// Writes `lines`, each followed by CR LF, as the new contents of `path`. The contents are written
// beside the file under a fresh name and then put in its place in one step, so that the file is
// never left half-written; where the folder takes no new file, the file is rewritten in place. A
// link is followed and stays a link. A file that may not be written stays untouched and the write
// fails; every error names `path`.
void WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines);
