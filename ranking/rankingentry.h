// The line the ranking server receives for one result.
#pragma once

#include <string>

// One stored result as the ranking list shows it: the score log's texts, unchanged.
struct TRankingRow {
    std::string Score;
    std::string Time;
    std::string Correct;
    std::string Combo;
};

// What the player adds to a result before sending it (CP932; the comment's line breaks are CR LF).
struct TRankingIdentity {
    std::string HandleName;
    std::string Mail;
    std::string URL;
    std::string Comment;
};

// The longest field the server accepts, in bytes.
constexpr std::size_t RankingFieldLimit = 255;

// The comment as the server's page can show it: TABs become spaces, CR LF becomes "<br />", "*"
// becomes the full-width "＊", with a cut to the field limit after every step.
std::string RankingComment(const std::string& comment);

// score "*" time TAB correct TAB combo TAB handle TAB mail TAB url TAB comment CR LF; empty
// addresses are sent as "0".
std::string RankingEntry(const TRankingRow& row, const TRankingIdentity& identity);
