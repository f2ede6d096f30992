// Building the ranking line: field cuts, empty-address markers and the comment's rewriting.
#include "ranking/rankingentry.h"

#include "ranking/bytecut.h"

namespace {
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(from, start)) != std::string::npos;
         start = at + from.size()) {
        result.append(text, start, at - start).append(to);
    }
    return result.append(text, start, std::string::npos);
}

std::string Field(const std::string& text) { return CutBytes(text, RankingFieldLimit); }

// The server's file counts a "0" as "no address given".
std::string Address(const std::string& text) {
    const std::string cut = Field(text);
    return cut.empty() ? "0" : cut;
}
}  // namespace

std::string RankingComment(const std::string& comment) {
    // The server reads TAB as its field separator, CR LF as its record end and "*" as the end of
    // the score, so the comment must not carry them as they are.
    std::string text = Field(comment);
    text = Field(ReplaceAll(text, "\t", " "));
    text = Field(ReplaceAll(text, "\r\n", "<br />"));
    return Field(ReplaceAll(text, "*", "\x81\x96"));
}

std::string RankingEntry(const TRankingRow& row, const TRankingIdentity& identity) {
    return Field(row.Score) + "*" + Field(row.Time) + "\t" + Field(row.Correct) + "\t" +
           Field(row.Combo) + "\t" + Field(identity.HandleName) + "\t" + Address(identity.Mail) +
           "\t" + Address(identity.URL) + "\t" + RankingComment(identity.Comment) + "\r\n";
}
