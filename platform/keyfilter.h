// The character a key press types, as the windows' key handlers judge it.
#pragma once

class QKeyEvent;

// The typed character: Backspace is 8, Enter 13, Esc 27, Ctrl with a letter its control code, a
// printable key its character, with Alt too (an edit would insert it; accelerators are handled
// before any key press). Keys that type nothing (Delete, arrows, Home, End, Tab, function keys)
// give 0 and are never filtered.
char16_t TypedCharacter(const QKeyEvent& event);

inline bool IsDigitCharacter(char16_t c) { return c >= u'0' && c <= u'9'; }

// Whether a key press would change the text of a combo box's edit field: a typed character or
// Delete. Tab and Shift+Tab (focus), Esc (the window's) and the keys that choose from the list
// (arrows, Page Up/Down, Alt+Down, F4) are not.
bool EditsText(const QKeyEvent& event);
