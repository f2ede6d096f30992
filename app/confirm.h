// The game's yes-or-no warning, asked before a running game is ended or thrown away.
#pragma once

#include <string>

// Warning icon, "警告", "はい(&Y)" (default) and "いいえ(&N)". True when the player answers
// "はい(&Y)"; "いいえ(&N)", Esc and the title bar's close box all answer no.
bool ConfirmWarning(const std::string& text);
