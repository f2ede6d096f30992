// Reading score-log records for the ranking list.
#include "ranking/rankinglog.h"

#include <QString>
#include <algorithm>

#include "platform/cp932.h"
#include "records/lines.h"
#include "records/scorelog.h"
#include "records/stringfile.h"

std::vector<std::string> ReadScoreLog(const std::string& fileName) {
    std::string text;
    LoadStringFromFile(fileName, text);
    return SplitLines(text);
}

std::string QuestionsField(const std::string& line) {
    const std::size_t comma = line.find(',');
    return comma == std::string::npos ? std::string() : line.substr(0, comma);
}

std::vector<std::string> QuestionCounts(const std::vector<std::string>& lines) {
    std::vector<std::string> counts;
    std::vector<QString> seen;
    for (const std::string& line : lines) {
        const QString count = FromCp932(QuestionsField(line));
        const bool known = std::any_of(seen.begin(), seen.end(), [&](const QString& other) {
            return other.compare(count, Qt::CaseInsensitive) == 0;
        });
        if (known) continue;
        seen.push_back(count);
        counts.push_back(QuestionsField(line));
    }
    return counts;
}

std::vector<TRankingRow> ValidResults(const std::vector<std::string>& lines,
                                      const std::string& questions) {
    std::vector<TRankingRow> rows;
    for (const std::string& line : lines) {
        if (QuestionsField(line) != questions || !IsValidRecord(line)) continue;
        // A valid record has a comma before its check, so both finds succeed.
        const std::size_t first = line.find(',');
        const std::string fields = line.substr(first + 1, line.rfind(',') - first);
        std::vector<std::string> cells;
        for (std::size_t start = 0, end;
             cells.size() < 4 && (end = fields.find(',', start)) != std::string::npos;
             start = end + 1) {
            cells.push_back(fields.substr(start, end - start));
        }
        cells.resize(4);
        rows.push_back({cells[0], cells[1], cells[2], cells[3]});
    }
    return rows;
}
