// Reading one ranking line: the game's field layout, checked field by field.
#include "service/postedentry.h"

#include <tuple>
#include <vector>

#include "records/lines.h"

namespace {

constexpr std::size_t FieldLimit = 255;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Non-negative decimal of 1 to `maxDigits` digits.
bool Digits(std::string_view text, std::size_t maxDigits, int64_t& value) {
    if (text.empty() || text.size() > maxDigits) return false;
    value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool Score(std::string_view text, int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (!Digits(text, 18, value)) return false;
    if (negative) value = -value;
    return true;
}

// "mm:ss`hh", as the game's clock writes it.
bool Clock(std::string_view text, int32_t& hundredths) {
    if (text.size() != 8 || text[2] != ':' || text[5] != '`') return false;
    int64_t minutes, seconds, rest;
    if (!Digits(text.substr(0, 2), 2, minutes) || !Digits(text.substr(3, 2), 2, seconds) ||
        !Digits(text.substr(6, 2), 2, rest))
        return false;
    hundredths = static_cast<int32_t>(minutes * 6000 + seconds * 100 + rest);
    return true;
}

// The next field up to `separator`, or the rest when `separator` is 0.
bool Take(std::string_view& rest, char separator, std::string_view& field) {
    std::size_t end = rest.size();
    if (separator != 0) {
        end = rest.find(separator);
        if (end == std::string_view::npos) return false;
    }
    field = rest.substr(0, end);
    rest.remove_prefix(separator != 0 ? end + 1 : end);
    return field.size() <= FieldLimit;
}

}  // namespace

bool RanksBefore(const TRankKey& a, const TRankKey& b) {
    return std::tuple(-a.Score, a.Hundredths, a.Arrival) <
           std::tuple(-b.Score, b.Hundredths, b.Arrival);
}

bool BetterResult(const TRankKey& a, const TRankKey& b) {
    return std::tuple(-a.Score, a.Hundredths) < std::tuple(-b.Score, b.Hundredths);
}

bool ParseEntryFields(std::string_view line, TEntryFields& f) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    int64_t number;
    // The comment is the rest of the line, so a TAB left in it is a ninth field.
    return Take(line, '*', f.ScoreText) && Score(f.ScoreText, f.Score) &&
           Take(line, '\t', f.Time) && Clock(f.Time, f.Hundredths) && Take(line, '\t', f.Correct) &&
           Digits(f.Correct, 9, number) && Take(line, '\t', f.Combo) &&
           Digits(f.Combo, 9, number) && Take(line, '\t', f.Handle) && !f.Handle.empty() &&
           Take(line, '\t', f.Mail) && !f.Mail.empty() && Take(line, '\t', f.HomePage) &&
           !f.HomePage.empty() && Take(line, 0, f.Comment) &&
           f.Comment.find('\t') == std::string_view::npos;
}

bool ParseUpload(std::string_view upload, TEntryFields& fields) {
    if (upload.size() > MaxEntryLine || !upload.ends_with('\n')) return false;
    const std::size_t end = upload.ends_with("\r\n") ? 2 : 1;
    const std::vector<std::string> lines = SplitLines(std::string(upload));
    return lines.size() == 1 && lines[0].size() + end == upload.size() &&
           ParseEntryFields(upload.substr(0, upload.size() - end), fields);
}

TPostedEntry KeepEntry(const TEntryFields& f, uint64_t arrival) {
    return {{f.Score, f.Hundredths, arrival},
            std::string(f.ScoreText),
            std::string(f.Time),
            std::string(f.Correct),
            std::string(f.Combo),
            std::string(f.Handle),
            std::string(f.Mail),
            std::string(f.HomePage),
            std::string(f.Comment)};
}
