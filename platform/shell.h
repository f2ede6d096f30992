// The shell's "open": hands a web address, a mail address or a file to the desktop's own program.
#pragma once

#include <functional>
#include <string>

// Opens target (CP932: "http://...", "mailto:...", or a path) with the desktop's program for it.
void ShellOpen(const std::string& target);
// Tests see every request here instead of a browser starting; an empty function restores the shell.
void SetShellOpenHandler(std::function<void(const std::string&)> handler);
