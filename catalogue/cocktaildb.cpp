// The browser's matching rules, byte by byte on CP932 text.
#include "catalogue/cocktaildb.h"

#include "platform/cp932.h"

namespace {
// The length of the character at text[i]: 2 for a lead byte with its second byte present.
size_t CharLength(const std::string& text, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

bool BeginsWithSingleByte(const std::string& name) {
    return !name.empty() && !IsLeadByte(static_cast<unsigned char>(name[0]));
}

bool Matches(const std::string& name, const CocktailFilter& filter, bool filterIsDoubleByte) {
    if (filter.UsePos) return ContainsText(MultiByteLowerCase(name), filter.Filter);
    if (filter.ShowAll) return true;
    if (filterIsDoubleByte) return name.compare(0, 2, filter.Filter, 0, 2) == 0;
    return BeginsWithSingleByte(name);
}
}  // namespace

std::string MultiByteLowerCase(const std::string& text) {
    std::string lower = text;
    for (size_t i = 0; i < lower.size(); i += CharLength(lower, i)) {
        if (lower[i] >= 'A' && lower[i] <= 'Z') lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
    }
    return lower;
}

bool ContainsText(const std::string& text, const std::string& needle) {
    for (size_t i = 0; i + needle.size() <= text.size(); i += CharLength(text, i)) {
        if (text.compare(i, needle.size(), needle) == 0) return true;
    }
    return false;
}

std::string NameWithoutExtension(const std::string& entry) {
    // "." never occurs as the second byte of a CP932 character, so a plain search is safe.
    const size_t dot = entry.rfind('.');
    return dot == std::string::npos ? entry : entry.substr(0, dot);
}

std::vector<size_t> MatchingEntries(const std::vector<std::string>& list,
                                    const CocktailFilter& filter) {
    const bool filterIsDoubleByte =
        !filter.Filter.empty() && IsLeadByte(static_cast<unsigned char>(filter.Filter[0]));
    std::vector<size_t> matches;
    for (size_t i = 0; i < list.size(); ++i) {
        if (Matches(list[i], filter, filterIsDoubleByte)) matches.push_back(i);
    }
    return matches;
}
