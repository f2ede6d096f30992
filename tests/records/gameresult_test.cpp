// The result dialog: its labels show the game, Save appends the game's record, Cancel writes
// nothing.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include "platform/cp932.h"
#include "records/gameresult.h"
#include "tests/records/qtprint.h"
#include "tests/support/testinggameresult.h"
#include "tests/support/testsupport.h"

namespace {
TGameFolder Folder(const QTemporaryDir& dir) { return FolderAt(dir.path()); }
QString LogFile(const QTemporaryDir& dir) { return dir.filePath(QStringLiteral("log.dat")); }

const TGameFigures FiftyQuestions{50, 12340, "03:05`67", 40, 3};
const TGameFigures AllWrong{10, 0, "01:40`00", 0, 0};
}  // namespace

// Creation copies every figure into its label.
TEST(RecordsGameResult, LabelsShowTheGame) {
    QTemporaryDir dir;
    TestingGameResult result({20, -150, "00:59`99", 7, 12}, Folder(dir));
    EXPECT_EQ(result.Text("lblScore"), "-150");
    EXPECT_EQ(result.Text("lblSeikai"), "7");
    EXPECT_EQ(result.Text("lblMondai"), "20");
    EXPECT_EQ(result.Text("lblTime"), "00:59`99");
    EXPECT_EQ(result.Text("lblCombo"), "12");
    EXPECT_EQ(result.windowTitle(), QString::fromUtf8("結果"));
    EXPECT_EQ(result.size(), QSize(383, 163));
    EXPECT_EQ(CutLabels(result), std::vector<std::string>{});
}

// Each Save of a fresh installation's log appends exactly the game's line; same games repeat.
TEST(RecordsGameResult, SaveAppendsTheRecord) {
    QTemporaryDir dir;
    const std::vector<std::pair<TGameFigures, std::string>> games = {
        {FiftyQuestions, "50,12340,03:05`67,40,3,2370\r\n"},
        {AllWrong, "10,0,01:40`00,0,0,1816\r\n"},
        {AllWrong, "10,0,01:40`00,0,0,1816\r\n"},
    };
    std::string expected;
    for (const auto& [figures, line] : games) {
        TestingGameResult result(figures, Folder(dir));
        result.show();
        QTest::mouseClick(result.Button("btnOK"), Qt::LeftButton);
        EXPECT_FALSE(result.isVisible());
        EXPECT_EQ(result.result(), QDialog::Accepted);
        expected += line;
        EXPECT_EQ(ReadFileBytes(LogFile(dir)), expected);
    }
}

// Cancel neither creates nor touches the log.
TEST(RecordsGameResult, CancelWritesNothing) {
    QTemporaryDir dir;
    {
        TestingGameResult result(FiftyQuestions, Folder(dir));
        result.show();
        QTest::mouseClick(result.Button("btnCancel"), Qt::LeftButton);
        EXPECT_EQ(result.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(QFileInfo::exists(LogFile(dir)));
    WriteFileBytes(LogFile(dir), "x\r\n");
    TestingGameResult result(FiftyQuestions, Folder(dir));
    result.show();
    result.close();
    EXPECT_EQ(ReadFileBytes(LogFile(dir)), "x\r\n");
}

// A log that cannot be written is reported and keeps the dialog open for another try.
TEST(RecordsGameResult, FailedSaveKeepsTheDialogOpen) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("log.dat"));
    ScriptedBoxes boxes;
    TestingGameResult result(FiftyQuestions, Folder(dir));
    result.show();
    QTest::mouseClick(result.Button("btnOK"), Qt::LeftButton);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
    EXPECT_TRUE(result.isVisible());

    QDir(dir.path()).rmdir(QStringLiteral("log.dat"));
    QTest::mouseClick(result.Button("btnOK"), Qt::LeftButton);
    EXPECT_FALSE(result.isVisible());
    EXPECT_EQ(ReadFileBytes(LogFile(dir)), "50,12340,03:05`67,40,3,2370\r\n");
}
