// Moving the settings between setting.dat and the settings dialog's fields.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TSetting;

// Applies the file's lines 1 to 5 to the dialog's fields and, unless line 6 is "0", checks the
// question-count item named "mnu" + line 6. No file: nothing changes. A file of fewer than six
// lines applies what it has and then raises Exception.
void LoadSettings(const std::string& path, TSetting& setting,
                  const std::function<void(const std::string& itemName)>& checkMenuItem);

// Writes the five fields and `questionCount` as the six lines of the file.
void SaveSettings(const std::string& path, const TSetting& setting, int32_t questionCount);
