// The key filter of an editable combo box: its typed keys pass a rule before they reach the edit.
#pragma once

#include <functional>

class QComboBox;

// Which key presses the rule sees.
enum class TComboKeys {
    // Keys that type a character (TypedCharacter not 0); keys that type nothing edit freely.
    Typed,
    // Every key that would change the edit's text (EditsText), Delete as character 0.
    Edits,
};

// Installs the filter on the combo box and its edit field: the rule gets each chosen key's
// character and sets it to 0 to discard the key. The edit completes nothing and takes no input
// method text, which would commit past every key filter.
void FilterComboKeys(QComboBox& combo, TComboKeys keys, std::function<void(char16_t& key)> rule);
