// Score-log records: their text, their validity rule and how they are appended to log.dat.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/scorelog.h"
#include "tests/records/hostiledisk.h"
#include "tests/support/testsupport.h"

namespace {
std::string LogPath(const QTemporaryDir& dir) { return NativePath(dir.path()) + "/log.dat"; }
}  // namespace

// A record is the five field texts joined by commas and closed by the checksum of that text.
TEST(RecordsScoreLog, RecordsOfFinishedGames) {
    struct Row {
        const char *q, *s, *t, *c, *k;
        std::string expected;
    };
    const std::vector<Row> rows = {
        {"50", "12340", "03:05`67", "40", "3", "50,12340,03:05`67,40,3,2370"},
        {"10", "0", "01:40`00", "0", "0", "10,0,01:40`00,0,0,1816"},
        {"10", "-150", "00:00`00", "0", "0", "10,-150,00:00`00,0,0,2100"},
    };
    for (const auto& row : rows) {
        const std::string record = MakeRecord(row.q, row.s, row.t, row.c, row.k);
        EXPECT_EQ(record, row.expected);
        EXPECT_TRUE(IsValidRecord(record)) << record;
    }
}

// Only a line whose last field is exactly the checksum text of what precedes it is valid.
TEST(RecordsScoreLog, ValidityIsAnExactTextComparison) {
    struct Row {
        std::string line;
        bool valid;
    };
    const std::vector<Row> rows = {
        {"50,12340,03:05`67,40,3,2370", true},
        {"50,12340,03:05`67,40,3,2371", false},   // Check changed by one digit
        {"50,12340,03:05`67,40,3,02370", false},  // leading zero
        {"50,12340,03:05`67,40,3,+2370", false},
        {"50,12340,03:05`67,40,3, 2370", false},
        {"50,12340,03:05`67,40,3,2370 ", false},
        {"50,99999,03:05`67,40,3,2370", false},  // a field edited by hand
        {"", false},
        {"2370", false},
        {",88", true},  // the rule looks only at the last comma
        {",", false},
    };
    for (const auto& row : rows) EXPECT_EQ(IsValidRecord(row.line), row.valid) << row.line;
}

// The first append creates the log; every append adds exactly one CR LF-ended line.
TEST(RecordsScoreLog, AppendCreatesThenGrowsTheLog) {
    QTemporaryDir dir;
    const std::string path = LogPath(dir);
    AppendRecord(path, "10,0,01:40`00,0,0,1816");
    EXPECT_EQ(ReadFileBytes(FromNative(path)), "10,0,01:40`00,0,0,1816\r\n");
    AppendRecord(path, "10,0,01:40`00,0,0,1816");
    EXPECT_EQ(ReadFileBytes(FromNative(path)),
              "10,0,01:40`00,0,0,1816\r\n10,0,01:40`00,0,0,1816\r\n");
}

// A record never joins a torn last line; a log that already ends a line gets no blank line.
TEST(RecordsScoreLog, AppendStartsItsOwnLine) {
    struct Row {
        std::string before, after;
    };
    const std::string r = "50,12340,03:05`67,40,3,2370";
    const std::vector<Row> rows = {
        {"", r + "\r\n"},
        {"10,0,01:4", "10,0,01:4\r\n" + r + "\r\n"},
        {"a\r\n", "a\r\n" + r + "\r\n"},
        {"a\n", "a\n" + r + "\r\n"},
        {"a\r", "a\r" + r + "\r\n"},
    };
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const std::string path = LogPath(dir);
        WriteFileBytes(FromNative(path), row.before);
        AppendRecord(path, r);
        EXPECT_EQ(ReadFileBytes(FromNative(path)), row.after) << row.before;
    }
}

// A log that cannot be created is the platform's input/output error and leaves nothing behind.
TEST(RecordsScoreLog, AppendFailsWhereNoFileCanBe) {
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath(QStringLiteral("plain")), "x");
    EXPECT_THROW(AppendRecord(NativePath(dir.path()) + "/plain/log.dat", "1,2,3,4,5,30"),
                 EInOutError);
    QDir(dir.path()).mkdir(QStringLiteral("log.dat"));
    EXPECT_THROW(AppendRecord(LogPath(dir), "1,2,3,4,5,30"), EInOutError);
}

// A Save that runs out of space part-way leaves log.dat exactly as it was, so that the next Save
// with room writes one clean record after the old lines.
TEST(RecordsScoreLog, AFailedAppendLeavesTheLogAsItWas) {
    SmallDisk disk;
    if (!disk.Mounted()) GTEST_SKIP() << disk.Why();
    const QString path = disk.Path() + QStringLiteral("/log.dat");
    const std::string record = "50,12340,03:05`67,40,3,2370";
    // Ten bytes of room in the log's last page: the record's first bytes would fit.
    const std::string before = std::string(4096 - 12, 'x') + "\r\n";
    WriteFileBytes(path, before);
    disk.Fill();
    const std::string error = ErrorOf([&] { AppendRecord(NativePath(path), record); });
    EXPECT_NE(error.find(ToCp932(path)), std::string::npos) << error;
    EXPECT_TRUE(ReadFileBytes(path) == before) << ReadFileBytes(path).substr(before.size() - 2);
    disk.Free();
    AppendRecord(NativePath(path), record);
    EXPECT_TRUE(ReadFileBytes(path) == before + record + "\r\n")
        << ReadFileBytes(path).substr(before.size() - 2);
}
