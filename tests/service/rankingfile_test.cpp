// Reading the ranking files: which appended lines are entries, their order and places, the best
// entries of a large file; and which uploads are one entry.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <random>

#include "service/rankingfile.h"
#include "tests/service/servicetestsupport.h"
#include "tests/support/testsupport.h"

namespace {

std::vector<std::string> Handles(const std::vector<TPostedEntry>& entries) {
    std::vector<std::string> handles;
    for (const TPostedEntry& entry : entries) handles.push_back(entry.Handle);
    return handles;
}

struct ReadCase {
    const char* name;
    std::string line;
    bool kept;
};

// Each line stands between two good ones; "X" is the handle of a line that must be kept.
std::vector<ReadCase> ReadCases() {
    const std::string x = EntryLine("3", "X");
    const std::string head = "3*01:00`00\t10\t3\tX\t0\t0\t";
    return {
        {"AsTheGameSendsIt", x, true},
        {"LfOnly", head + "c\n", true},
        {"NegativeScore", EntryLine("-3", "X"), true},
        {"EmptyComment", head + "\r\n", true},
        {"LoneCrEndsTheLine", head + "a\rb\r\n", true},
        {"LoneLeadByteEndsAField", "3*01:00`00\t10\t3\tX\x82\t0\t0\tc\x82\r\n", true},
        {"MarkupAndQuotesEverywhere",
         EntryLine("3", "X<b>\"'&", "01:00`00", "<a href=\"x\">&'", "<script>x</script>", "\"'&<>"),
         true},
        {"FieldMissing", "3*01:00`00\t10\t3\tX\t0\tc\r\n", false},
        {"FieldExtra", head + "c\textra\r\n", false},
        {"NoAsterisk", "3\t01:00`00\t10\t3\tX\t0\t0\tc\r\n", false},
        {"ScoreNotANumber", EntryLine("3a", "X"), false},
        {"ScoreTooLong", EntryLine(std::string(19, '9'), "X"), false},
        {"TimeMalformed", EntryLine("3", "X", "1:00`000"), false},
        {"CorrectNotANumber", "3*01:00`00\tten\t3\tX\t0\t0\tc\r\n", false},
        {"HandleEmpty", EntryLine("3", ""), false},
        {"MailEmpty", EntryLine("3", "X", "01:00`00", "0", "c", ""), false},
        {"FieldOver255Bytes", EntryLine("3", "X", "01:00`00", "0", std::string(256, 'c')), false},
        {"MegabyteLine", head + std::string(1 << 20, 'c') + "\r\n", false},
        {"EmptyLine", "\r\n", false},
    };
}

}  // namespace

class RankingLines : public ::testing::TestWithParam<ReadCase> {};

// A line is an entry exactly when it has the game's eight fields in their forms; whatever else
// a stranger appends is passed over without disturbing the lines around it.
TEST_P(RankingLines, KeptOrSkipped) {
    const ReadCase& c = GetParam();
    RankingData data;
    data.Write(50, EntryLine("5", "before") + c.line + EntryLine("-5", "after"));
    const std::vector<std::string> expected = c.kept
                                                  ? std::vector<std::string>{"before", "X", "after"}
                                                  : std::vector<std::string>{"before", "after"};
    const std::vector<std::string> handles = Handles(BestEntries(data.File(50), 100));
    ASSERT_EQ(handles.size(), expected.size());
    for (std::size_t i = 0; i < handles.size(); ++i) {
        EXPECT_EQ(handles[i].substr(0, expected[i].size()), expected[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Hostile, RankingLines, ::testing::ValuesIn(ReadCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Score decides, then the shorter time, then the earlier line; equal score and time share a
// place; negative scores rank below zero by value.
TEST(RankingFile, OrderAndPlaces) {
    RankingData data;
    data.Write(50, EntryLine("100", "A", "01:00`00") + EntryLine("300", "B", "02:00`00") +
                       EntryLine("-20", "E") + EntryLine("300", "C", "01:00`00") +
                       EntryLine("100", "D", "01:00`00") + EntryLine("-100", "F") +
                       EntryLine("0", "G") + EntryLine("99", "H", "00:59`99"));
    const TRankingView view = RankingView(50, BestEntries(data.File(50), 100), {50});
    EXPECT_EQ(Handles(view.Best),
              (std::vector<std::string>{"C", "B", "A", "D", "H", "G", "E", "F"}));
    EXPECT_EQ(view.Places, (std::vector<int>{1, 2, 3, 3, 5, 6, 7, 8}));
}

// The one-pass best-of keeps exactly what a full sort of every entry would put first, across
// many read blocks, with many ties and lines that are not entries among them.
TEST(RankingFile, BestEntriesMatchAFullSort) {
    std::mt19937 random(12);
    std::string file;
    std::vector<std::tuple<int, int, int>> all;  // -score, time, arrival
    for (int i = 0; i < 40000; ++i) {
        if (i % 7 == 3) {
            file += "garbage " + std::to_string(i) + "\r\n";
            continue;
        }
        const int score = static_cast<int>(random() % 50) * 10 - 100;
        const int seconds = static_cast<int>(random() % 3);
        char time[16];
        std::snprintf(time, sizeof time, "00:%02d`00", seconds);
        file += EntryLine(std::to_string(score), "h" + std::to_string(i), time,
                          "http://x.example/" + std::string(random() % 200, 'p'));
        all.emplace_back(-score, seconds, i);
    }
    std::sort(all.begin(), all.end());
    RankingData data;
    data.Write(50, file);
    for (std::size_t limit : {std::size_t{1}, std::size_t{100}, std::size_t{5000}}) {
        const std::vector<std::string> best = Handles(BestEntries(data.File(50), limit));
        ASSERT_EQ(best.size(), limit);
        for (std::size_t k = 0; k < limit; ++k) {
            ASSERT_EQ(best[k], "h" + std::to_string(std::get<2>(all[k]))) << limit << " " << k;
        }
    }
}

// An upload is stored only when it is exactly one entry as the game sends it.
TEST(RankingFile, UploadIsOneEntry) {
    const std::string entry = EntryLine("3", "X");
    const std::string line = entry.substr(0, entry.size() - 2);
    const std::pair<std::string, bool> cases[] = {
        {entry, true},
        {line + "\n", true},
        {line, false},
        {"-", false},
        {"\r\n", false},
        {entry + entry, false},
        {line + "\r" + entry, false},
        {line + "\r\r\n", false},
        {"3*01:00`00\t10\t3\tX\t0\t0\ta\rb\r\n", false},
        {"3*01:00`00\t10\t3\tX\t0\t0\ta" + std::string(1, '\0') + "b\r\n", false},
        {EntryLine("3", "X", "01:00`00", "0", std::string(255, 'c'), std::string(255, 'm')), true},
        {std::string(MaxEntryLine, 'x') + "\r\n", false},
    };
    for (const auto& [upload, accepted] : cases) {
        TEntryFields fields;
        EXPECT_EQ(ParseUpload(upload, fields), accepted) << upload.substr(0, 60);
        if (accepted) EXPECT_EQ(fields.Handle, "X");
    }
}
