// The ranking entry and its byte cuts: every cut is a prefix within its budget that ends on a
// character boundary, and the comment never carries the server's separators.
#include "fuzz/check.h"
#include "platform/cp932.h"
#include "ranking/bytecut.h"
#include "ranking/rankingentry.h"

namespace {
// A walk from the start over whole characters ends exactly at the text's end.
bool EndsOnCharacterBoundary(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) at += IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
    return at == text.size();
}

void CheckCut(const std::string& text, std::size_t limit) {
    const std::string cut = CutBytes(text, limit);
    FUZZ_CHECK(text.compare(0, cut.size(), cut) == 0);
    FUZZ_CHECK(cut.size() <= limit);
    if (text.size() <= limit) {
        FUZZ_CHECK(cut == text);
    } else {
        // Only the lead byte of a character that does not fit is left out before the budget's end.
        FUZZ_CHECK(cut.size() + 1 >= limit);
        FUZZ_CHECK(EndsOnCharacterBoundary(cut));
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string input = Bytes(data + 1, size - 1);
    CheckCut(input, data[0]);
    CheckCut(input, RankingFieldLimit);

    std::vector<std::string> fields = Fields(input, '\x1f');
    fields.resize(8);
    const std::string comment = RankingComment(fields[7]);
    FUZZ_CHECK(comment.size() <= RankingFieldLimit);
    FUZZ_CHECK(comment.find('\t') == std::string::npos && comment.find('*') == std::string::npos &&
               comment.find("\r\n") == std::string::npos);

    const std::string entry = RankingEntry({fields[0], fields[1], fields[2], fields[3]},
                                           {fields[4], fields[5], fields[6], fields[7]});
    FUZZ_CHECK(entry.size() >= 2 && entry.compare(entry.size() - 2, 2, "\r\n") == 0);
    FUZZ_CHECK(entry.size() <= 8 * RankingFieldLimit + 9);
    // Fields free of the separators come back whole in their places, empty addresses as "0".
    bool plain = true;
    for (const std::string& field : fields) {
        plain = plain && field.find_first_of("\t*\r\n") == std::string::npos &&
                field.size() <= RankingFieldLimit;
    }
    if (plain) {
        const auto address = [](const std::string& a) { return a.empty() ? "0" : a; };
        FUZZ_CHECK(entry == fields[0] + "*" + fields[1] + "\t" + fields[2] + "\t" + fields[3] +
                                "\t" + fields[4] + "\t" + address(fields[5]) + "\t" +
                                address(fields[6]) + "\t" + fields[7] + "\r\n");
    }
    return 0;
}
