// The help viewer: every request to show a topic of the program's help file passes here, so that
// tests can take the request instead of a help window opening.
#pragma once

#include <functional>
#include <string>

// Shows topic `context` of helpFile (a CP932 path).
using HelpViewer = std::function<void(const std::string& helpFile, int context)>;

// Hands the request to the viewer a test installed, or else to `ownViewer`, the program's window.
void ShowHelpTopic(const std::string& helpFile, int context, const HelpViewer& ownViewer);
// Tests install their viewer here; an empty function restores the program's own window.
void SetHelpViewer(HelpViewer viewer);
