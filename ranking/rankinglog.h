// The score log as the ranking dialog reads it: the question counts offered and the valid results
// of one count.
#pragma once

#include <string>
#include <vector>

#include "ranking/rankingentry.h"

// The log's lines, read afresh from disk; a missing or unreadable file raises.
std::vector<std::string> ReadScoreLog(const std::string& fileName);

// The text before the line's first comma; the empty text for a line without one.
std::string QuestionsField(const std::string& line);

// Each line's count once, in the order of first appearance, compared without regard to case.
// Checksums are not tested here, so a count whose lines are all damaged is still offered.
std::vector<std::string> QuestionCounts(const std::vector<std::string>& lines);

// The valid records whose count is exactly `questions`, in log order, as list rows. Fields a line
// lacks stay empty; fields beyond the combo are ignored.
std::vector<TRankingRow> ValidResults(const std::vector<std::string>& lines,
                                      const std::string& questions);
