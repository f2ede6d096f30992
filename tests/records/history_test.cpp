// The player's history: its file, written whole or not at all and set aside when broken; the
// Leitner boxes; and the order of a practice round.
#include "records/history.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "tests/records/hostiledisk.h"
#include "tests/support/testsupport.h"

namespace {
constexpr int64_t kDay = 24 * 60 * 60;
constexpr int64_t kNow = 1800000000;

std::string HistoryPath(const QString& folder) { return ToCp932(folder) + "/history.dat"; }
}  // namespace

TEST(History, FileHoldsAHeaderAndOneLinePerCocktail) {
    QTemporaryDir dir;
    const std::string path = HistoryPath(dir.path());
    TPlayerHistory history;
    history.Record(Cp932Text("マティーニ"), true, 100);
    history.Record(Cp932Text("マティーニ"), false, 200);
    history.Record(Cp932Text("マティーニ"), true, 300);
    history.Record("Gimlet", true, 400);
    history.Record("tab\tname", true, 500);  // no line could hold it
    history.Save(path);
    const std::string written = ReadFileBytes(FromCp932(path));
    EXPECT_EQ(written,
              "# bartendam history 1\r\n"
              "Gimlet\t1\t0\t400\t2\r\n" +
                  Cp932Text("マティーニ") + "\t3\t1\t300\t2\r\n");
    // Every field is read back: the history loaded from it writes the same file.
    TPlayerHistory::Load(path).Save(path + ".again");
    EXPECT_EQ(ReadFileBytes(FromCp932(path + ".again")), written);
}

TEST(History, ARightAnswerMovesUpOneBoxAndAMissBackToTheFirst) {
    TPlayerHistory history;
    // Rows: the answer, the box after it.
    const std::pair<bool, int> rows[] = {{true, 2}, {true, 3},  {true, 4},  {true, 5},
                                         {true, 5}, {false, 1}, {false, 1}, {true, 2}};
    for (const auto& [correct, box] : rows) {
        history.Record("Gimlet", correct, kNow);
        EXPECT_EQ(history.Stats("Gimlet").Box, box);
    }
}

// Whatever breaks the file, the history starts empty and the file is kept aside under its new
// name, leaving the place free for the next save.
TEST(History, ABrokenFileIsSetAsideAndTheHistoryStartsEmpty) {
    const char* rows[] = {
        "",                                                   // empty
        "Gimlet\t1\t0\t400\t2\r\n",                           // no header
        "# bartendam history 2\r\nGimlet\t1\t0\t400\t2\r\n",  // a later format
        "# bartendam history 1\r\nGimlet\t1\t0\t400\r\n",     // a field short
        "# bartendam history 1\r\nGimlet\t1\t0\t400\t2\t9\r\n",
        "# bartendam history 1\r\nGimlet\tone\t0\t400\t2\r\n",
        "# bartendam history 1\r\nGimlet\t1\t-1\t400\t2\r\n",
        "# bartendam history 1\r\nGimlet\t1\t2\t400\t2\r\n",  // more misses than answers
        "# bartendam history 1\r\nGimlet\t1\t0\t400\t6\r\n",  // no such box
        "# bartendam history 1\r\nGimlet\t1\t0\t400\t0\r\n",
        "# bartendam history 1\r\n\t1\t0\t400\t2\r\n",  // no name
        "# bartendam history 1\r\nGimlet\t1\t0\t400\t2\r\nGimlet\t2\t0\t400\t2\r\n",
        "# bartendam history 1\r\nGimlet\t99999999999999999999\t0\t400\t2\r\n",
    };
    for (const char* text : rows) {
        QTemporaryDir dir;
        const std::string path = HistoryPath(dir.path());
        WriteFileBytes(FromCp932(path), text);
        EXPECT_EQ(TPlayerHistory::Load(path).Stats("Gimlet").Asked, 0) << text;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  QStringList{QStringLiteral("history.dat.broken")})
            << text;
        EXPECT_EQ(ReadFileBytes(dir.filePath(QStringLiteral("history.dat.broken"))), text);
    }
}

// The write is the settings file's: on a full disk the old history stays whole and no side file
// is left behind.
TEST(History, AFullDiskKeepsTheOldFile) {
    SmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
    const std::string path = HistoryPath(disk.Path());
    const std::string old = "# bartendam history 1\r\nGimlet\t1\t0\t400\t2\r\n";
    WriteFileBytes(FromCp932(path), old);
    TPlayerHistory history = TPlayerHistory::Load(path);
    for (int i = 0; i < 100; ++i) history.Record("cocktail " + std::to_string(i), false, kNow);
    disk.Fill();
    EXPECT_NE(ErrorOf([&] { history.Save(path); }), "");
    EXPECT_EQ(ReadFileBytes(FromCp932(path)), old);
    disk.Free();
    EXPECT_EQ(QDir(disk.Path()).entryList(QDir::Files), QStringList{QStringLiteral("history.dat")});
}

TEST(History, PracticeTakesTheMissedInLeitnerOrder) {
    TPlayerHistory history;
    // Rows: a name and its answers, the last one `ago` seconds before now.
    const struct {
        const char* name;
        std::vector<bool> answers;
        int64_t ago;
    } rows[] = {
        {"never missed", {true, true}, 30 * kDay},
        {"box 1, one miss", {false}, 10},
        {"box 1, two misses", {false, false}, 10},
        {"box 1, two misses, older", {false, false}, 20},
        {"box 2, due", {false, true}, 2 * kDay},
        {"box 2, due in an hour", {false, true}, kDay - 3600},
        {"box 3, due in a day", {false, true, true}, 2 * kDay},
        {"box 5, due", {false, true, true, true, true}, 15 * kDay},
    };
    for (const auto& row : rows)
        for (size_t i = 0; i < row.answers.size(); ++i)
            history.Record(row.name, row.answers[i],
                           kNow - row.ago - static_cast<int64_t>(row.answers.size() - 1 - i));
    const std::vector<std::string> expected = {"box 1, two misses, older",
                                               "box 1, two misses",
                                               "box 1, one miss",
                                               "box 2, due",
                                               "box 5, due",
                                               "box 2, due in an hour",
                                               "box 3, due in a day"};
    EXPECT_EQ(history.PracticeOrder(100, kNow), expected);
    EXPECT_EQ(history.PracticeOrder(2, kNow),
              std::vector<std::string>(expected.begin(), expected.begin() + 2));
}
