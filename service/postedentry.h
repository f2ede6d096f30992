// One line of a count's ranking file as the game appends it, read without trusting the sender.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// What orders the entries: higher score first, then the shorter time, then the earlier line.
struct TRankKey {
    int64_t Score = 0;
    // The time in hundredths of a second.
    int32_t Hundredths = 0;
    // The line's position in its file.
    uint64_t Arrival = 0;
};

bool RanksBefore(const TRankKey& a, const TRankKey& b);
// Whether `a` outranks `b` on score and time alone; equal results share a place.
bool BetterResult(const TRankKey& a, const TRankKey& b);

// The fields of a line, still inside the line's own bytes (CP932 as sent).
struct TEntryFields {
    int64_t Score = 0;
    int32_t Hundredths = 0;
    std::string_view ScoreText, Time, Correct, Combo, Handle, Mail, HomePage, Comment;
};

// An entry kept for the page, with its own copy of the texts.
struct TPostedEntry {
    TRankKey Key;
    std::string ScoreText, Time, Correct, Combo, Handle, Mail, HomePage, Comment;
};

// The longest line a game can send: eight fields of at most 255 bytes, their separators, CR LF.
constexpr std::size_t MaxEntryLine = 8 * 255 + 7 + 2;

// Splits `line` (without its LF; a CR before the LF is dropped) as
// score "*" time TAB correct TAB combo TAB handle TAB mail TAB home page TAB comment.
// False for anything the game would not have sent: a field count other than eight, a field over
// 255 bytes, a score that is not a decimal integer, a time other than "mm:ss`hh", counts that are
// not decimal, or an empty handle or address (the game sends "0" for no address).
bool ParseEntryFields(std::string_view line, TEntryFields& fields);

// Whether `upload` is exactly one entry as the game sends it: one line by the line-end rule of the
// program's text files, ended by CR LF or LF, of at most MaxEntryLine bytes, with the fields that
// ParseEntryFields accepts (kept in `fields`, inside `upload`). A lone CR or a zero byte makes two
// lines or a cut one, and so no entry.
bool ParseUpload(std::string_view upload, TEntryFields& fields);

TPostedEntry KeepEntry(const TEntryFields& fields, uint64_t arrival);
