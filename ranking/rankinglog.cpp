// Reading score-log records for the ranking list.
#include "ranking/rankinglog.h"

#include <QList>

#include "platform/cp932.h"
#include "records/lines.h"
#include "records/scorelog.h"

namespace {
// Letter case folded character by character, as a case-blind comparison of two texts sees them.
QString CaseFolded(const QString& text) {
    QList<uint> codes = text.toUcs4();
    for (uint& code : codes) code = QChar::toCaseFolded(static_cast<char32_t>(code));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(codes.constData()), codes.size());
}
}  // namespace

std::string QuestionsField(const std::string& line) {
    const std::size_t comma = line.find(',');
    return comma == std::string::npos ? std::string() : line.substr(0, comma);
}

void TQuestionCounts::Add(const std::string& line) {
    std::string count = QuestionsField(line);
    // One look-up per line keeps the list linear in the log's length, whatever the counts.
    const QString key = CaseFolded(FromCp932(count));
    if (seen_.contains(key)) return;
    seen_.insert(key);
    counts_.push_back(std::move(count));
}

std::vector<std::string> QuestionCounts(const std::string& fileName) {
    TQuestionCounts counts;
    ReadLines(fileName, LogLineLimit, [&](const std::string& line, bool) { counts.Add(line); });
    return counts.Counts();
}

std::optional<TRankingRow> ResultOf(const std::string& line, const std::string& questions) {
    if (QuestionsField(line) != questions || !IsValidRecord(line)) return std::nullopt;
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
    return TRankingRow{cells[0], cells[1], cells[2], cells[3]};
}

std::vector<TRankingRow> ValidResults(const std::string& fileName, const std::string& questions) {
    std::vector<TRankingRow> rows;
    ReadLines(fileName, LogLineLimit, [&](const std::string& line, bool whole) {
        if (!whole) return;
        if (std::optional<TRankingRow> row = ResultOf(line, questions)) rows.push_back(*row);
    });
    return rows;
}
