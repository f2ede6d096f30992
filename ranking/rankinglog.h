// The score log as the ranking dialog reads it, line by line from disk: the question counts
// offered and the valid results of one count.
#pragma once

#include <QSet>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ranking/rankingentry.h"

// The longest log line kept whole, far beyond any record the game writes. A longer line is never
// a valid result; its count is taken from its first bytes.
constexpr std::size_t LogLineLimit = 64 * 1024;

// The text before the line's first comma; the empty text for a line without one.
std::string QuestionsField(const std::string& line);

// Each line's count once, in the order of first appearance, compared without regard to case.
// Checksums are not tested here, so a count whose lines are all damaged is still offered.
class TQuestionCounts {
  public:
    void Add(const std::string& line);
    const std::vector<std::string>& Counts() const { return counts_; }

  private:
    std::vector<std::string> counts_;
    QSet<QString> seen_;  // case-folded
};

// The counts of the log `fileName`; a missing or unreadable file raises, naming it.
std::vector<std::string> QuestionCounts(const std::string& fileName);

// The list row of `line` when it is a valid record whose count is exactly `questions`. Fields the
// line lacks stay empty; fields beyond the combo are ignored.
std::optional<TRankingRow> ResultOf(const std::string& line, const std::string& questions);

// The rows of the log `fileName` for `questions`, in log order; a missing or unreadable file
// raises, naming it.
std::vector<TRankingRow> ValidResults(const std::string& fileName, const std::string& questions);
