// The help launcher: shows a topic of the help file cocktail.hlp in the program's folder.
#pragma once

#include <string>

#include "files/gamefolder.h"

// Shows topic `context` (catalogue/helptopics.h names the dialogs' topics) of the folder's help
// file; without that file, says so in an information box and does nothing else.
void Helper(const TGameFolder& folder, int context);

// The program's own help viewer: the help window, shown modally over the active window.
// `helpFile` is the file system's name.
void ShowHelpWindow(const std::string& helpFile, int context);
