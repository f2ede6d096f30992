// The score log: a record made of any fields is valid and lists its own fields; the validity rule
// rejects any other check text; the counts are the case-blind first occurrences; the line splitter
// cuts the same lines whatever pieces the text arrives in.
#include <QString>

#include "fuzz/check.h"
#include "platform/cp932.h"
#include "ranking/rankinglog.h"
#include "records/checksum.h"
#include "records/lines.h"
#include "records/scorelog.h"

namespace {
void RecordsRoundTrip(const std::string& input) {
    std::vector<std::string> fields = Fields(input, ',');
    fields.resize(5);
    for (std::string& field : fields) {
        field = SplitLines(field).empty() ? std::string() : SplitLines(field).front();
    }
    const std::string record = MakeRecord(fields[0], fields[1], fields[2], fields[3], fields[4]);
    FUZZ_CHECK(IsValidRecord(record));
    FUZZ_CHECK(!IsValidRecord(record + "0") && !IsValidRecord(record + " "));
    const std::size_t check = record.rfind(',') + 1;
    FUZZ_CHECK(!IsValidRecord(record.substr(0, check) + "0" + record.substr(check)));
    FUZZ_CHECK(!IsValidRecord(record.substr(0, check) + "+" + record.substr(check)));
    const std::optional<TRankingRow> row = ResultOf(record, fields[0]);
    FUZZ_CHECK(row && row->Score == fields[1] && row->Time == fields[2] &&
               row->Correct == fields[3] && row->Combo == fields[4]);
}

// The rule as first written: each count compared with every count kept before it.
std::vector<std::string> QuadraticCounts(const std::vector<std::string>& lines) {
    std::vector<std::string> counts;
    for (const std::string& line : lines) {
        const QString count = FromCp932(QuestionsField(line));
        bool known = false;
        for (const std::string& other : counts) {
            known = known || FromCp932(other).compare(count, Qt::CaseInsensitive) == 0;
        }
        if (!known) counts.push_back(QuestionsField(line));
    }
    return counts;
}

void CountsAndPieces(const std::string& input) {
    const std::vector<std::string> lines = SplitLines(input);
    TQuestionCounts counts;
    for (const std::string& line : lines) counts.Add(line);
    FUZZ_CHECK(counts.Counts() == QuadraticCounts(lines));

    // Pieces whose lengths the input's own bytes choose.
    std::vector<std::string> pieced;
    LineSplitter splitter(
        [&](const std::string& line, bool whole) {
            FUZZ_CHECK(whole);
            pieced.push_back(line);
        },
        input.size());
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t length = 1 + static_cast<unsigned char>(input[at]) % 7;
        if (!splitter.Feed(std::string_view(input).substr(at, length))) break;
        at += length;
    }
    splitter.Finish();
    FUZZ_CHECK(pieced == lines);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input = Bytes(data, size);
    RecordsRoundTrip(input);
    if (size <= 4096) CountsAndPieces(input);
    // The sum is additive over bytes and ends at the first zero byte.
    const std::size_t half = input.size() / 2;
    const std::string head = input.substr(0, half);
    if (head.find('\0') == std::string::npos) {
        FUZZ_CHECK(static_cast<uint32_t>(Checksum(input)) ==
                   static_cast<uint32_t>(Checksum(head)) +
                       static_cast<uint32_t>(Checksum(input.substr(half))));
    }
    return 0;
}
