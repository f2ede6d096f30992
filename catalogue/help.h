// The help launcher: shows a topic of the help file cocktail.hlp in the program's folder.
#pragma once

#include <string>

// Shows topic `context` (catalogue/helptopics.h names the dialogs' topics) of
// appFolder + "cocktail.hlp" (CP932, appFolder ending in "/"); without that file, says so in an
// information box and does nothing else.
void Helper(const std::string& appFolder, int context);

// The program's own help viewer: the help window, shown modally over the active window.
void ShowHelpWindow(const std::string& helpFile, int context);
