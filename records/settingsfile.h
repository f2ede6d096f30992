// The settings file setting.dat (six lines of CP932 text, each ended by CR LF), and moving it
// to and from the settings dialog's fields.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TSetting;

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

// Applies the file's lines 1 to 5 to the dialog's fields and, unless line 6 is "0", checks the
// question-count item named "mnu" + line 6. No file: nothing changes. A file of fewer than six
// lines applies what it has and then raises Exception.
void LoadSettings(const std::string& path, TSetting& setting,
                  const std::function<void(const std::string& itemName)>& checkMenuItem);

// Writes the five fields and `questionCount` as the six lines of the file.
void SaveSettings(const std::string& path, const TSetting& setting, int32_t questionCount);
