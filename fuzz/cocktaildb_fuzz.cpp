// The browser's matching rule: entries match in list order by the first rule that applies, and the
// multi-byte-aware lower-casing and containment keep to character boundaries.
#include "catalogue/cocktaildb.h"
#include "fuzz/check.h"
#include "platform/cp932.h"

namespace {
void CheckLowerCase(const std::string& text) {
    const std::string lower = MultiByteLowerCase(text);
    FUZZ_CHECK(lower.size() == text.size());
    FUZZ_CHECK(MultiByteLowerCase(lower) == lower);
    for (std::size_t i = 0; i < text.size(); ++i) {
        FUZZ_CHECK(lower[i] == text[i] ||
                   (text[i] >= 'A' && text[i] <= 'Z' && lower[i] == text[i] + 32));
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    std::vector<std::string> lines = Fields(Bytes(data + 1, size - 1), '\n');
    CocktailFilter filter{lines.front(), (data[0] & 1) != 0, (data[0] & 2) != 0};
    if (filter.Filter.empty()) return 0;
    const std::vector<std::string> list(lines.begin() + 1, lines.end());
    const bool doubleByte = IsLeadByte(static_cast<unsigned char>(filter.Filter[0]));

    const std::vector<size_t> matches = MatchingEntries(list, filter);
    std::size_t next = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& name = list[i];
        const bool listed = next < matches.size() && matches[next] == i;
        if (listed) ++next;
        const std::string lower = MultiByteLowerCase(name);
        bool expected;
        if (filter.UsePos) {
            expected = ContainsText(lower, filter.Filter);
            if (expected) FUZZ_CHECK(lower.find(filter.Filter) != std::string::npos);
        } else if (filter.ShowAll) {
            expected = true;
        } else if (doubleByte) {
            expected = name.compare(0, 2, filter.Filter, 0, 2) == 0;
        } else {
            expected = !name.empty() && !IsLeadByte(static_cast<unsigned char>(name[0]));
        }
        FUZZ_CHECK(listed == expected);
        CheckLowerCase(name);
        const std::string caption = NameWithoutExtension(name);
        FUZZ_CHECK(name.compare(0, caption.size(), caption) == 0);
        const std::string extension = name.substr(caption.size());
        FUZZ_CHECK(extension.empty() ||
                   (extension[0] == '.' && extension.find('.', 1) == std::string::npos));
    }
    FUZZ_CHECK(next == matches.size());
    FUZZ_CHECK(ContainsText(filter.Filter, ""));
    return 0;
}
