// Which catalogue entries the database browser lists for a filter: the rules on CP932 bytes.
#pragma once

#include <string>
#include <vector>

// Lower-cases the single-byte letters "A" to "Z" only. The second byte of a double-byte character
// keeps its value even where it equals a letter's code ("ア" is 0x83 0x41).
std::string MultiByteLowerCase(const std::string& text);

// Whether `needle` occurs in `text` starting at a character boundary, so that a single-byte text
// never matches the second byte of a double-byte character ("\" in "ソ", 0x83 0x5C).
bool ContainsText(const std::string& text, const std::string& needle);

// A list item's caption: the file name without its extension (from the last "." on).
std::string NameWithoutExtension(const std::string& entry);

struct CocktailFilter {
    std::string Filter;    // CP932; never empty (an empty filter changes nothing at all)
    bool UsePos = false;   // the "contains" check box is ticked
    bool ShowAll = false;  // the index combo reads exactly "ALL"
};

// The positions in `list` of the entries that match, in list order. The first rule that applies
// decides: the check box (Filter occurs in the lower-cased entry), "ALL", a filter beginning with a
// double-byte character (the entry begins with that same character), and otherwise the entries
// that begin with a single-byte character.
std::vector<size_t> MatchingEntries(const std::vector<std::string>& list,
                                    const CocktailFilter& filter);
