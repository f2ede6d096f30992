// The ranking dialog over hand-made score logs: the counts offered, the results listed, the
// checks of the send command, and the keyboard and window manners.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QTest>

#include "platform/cp932.h"
#include "ranking/openranking.h"
#include "ranking/ranking.h"
#include "ranking/rankinglog.h"
#include "records/scorelog.h"
#include "tests/ranking/rankingtestsupport.h"
#include "tests/support/testingranking.h"
#include "tests/support/testsupport.h"

namespace {
// Sends go nowhere in these tests: reaching the network would raise and fail the test.
const TRankingEndpoints Nowhere{"127.0.0.1", DeadPort(), "master", "Abcdef12345", "web.example"};

std::vector<QString> Counts(const TestingRanking& ranking) {
    std::vector<QString> items;
    for (int i = 0; i < ranking.cmbMondai()->count(); ++i)
        items.push_back(ranking.cmbMondai()->itemText(i));
    return items;
}

std::vector<QStringList> Rows(const TestingRanking& ranking) {
    std::vector<QStringList> rows;
    for (int row = 0; row < ranking.lsRanking()->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < 4; ++column) {
            const QTableWidgetItem* item = ranking.lsRanking()->item(row, column);
            cells << (item ? item->text() : QString());
        }
        rows.push_back(cells);
    }
    return rows;
}

class RankingDialog : public ::testing::Test {
  protected:
    std::unique_ptr<TestingRanking> Open(const std::string& handle = "taro") {
        return TestingRanking::Prepare(
            folder.AppFolder(), handle, "t@x.example", "",
            [this](int context) { helped.push_back(context); }, Nowhere);
    }

    TestAppFolder folder;
    ScriptedBoxes boxes;
    std::vector<int> helped;
};
}  // namespace

// Counts are offered once each, in the order they first occur (letter case aside), and the dialog
// opens on the first count's valid results in log order, duplicates kept.
TEST_F(RankingDialog, OffersCountsInFirstSeenOrderAndListsTheFirst) {
    folder.WriteLog({MakeRecord("10", "500", "00:30`00", "5", "1"),
                     MakeRecord("50", "900", "01:30`00", "9", "2"),
                     MakeRecord("10", "700", "00:40`00", "7", "3"),
                     MakeRecord("30", "100", "00:50`00", "1", "0"),
                     MakeRecord("10", "500", "00:30`00", "5", "1"), Signed("x1,1,2,3,4,"),
                     Signed("X1,5,6,7,8,")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(Counts(*ranking), (std::vector<QString>{"10", "50", "30", "x1"}));
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "10");
    EXPECT_EQ(Rows(*ranking), (std::vector<QStringList>{{"500", "00:30`00", "5", "1"},
                                                        {"700", "00:40`00", "7", "3"},
                                                        {"500", "00:30`00", "5", "1"}}));
    EXPECT_EQ(ranking->txtHN()->text(), "taro");
    EXPECT_EQ(ranking->txtMail()->text(), "t@x.example");
    EXPECT_EQ(ranking->txtURL()->text(), "");
    EXPECT_EQ(CutLabels(*ranking), std::vector<std::string>{});
}

// The count is matched exactly: the case-folded twin of a count lists only its own lines.
TEST_F(RankingDialog, CountsMatchTheirLinesExactly) {
    folder.WriteLog({Signed("x1,1,2,3,4,"), Signed("X1,5,6,7,8,")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_EQ(Counts(*ranking), (std::vector<QString>{"x1"}));
    EXPECT_EQ(Rows(*ranking), (std::vector<QStringList>{{"1", "2", "3", "4"}}));
}

// A line without a comma, an empty line among them, offers the empty count once.
TEST_F(RankingDialog, ALineWithoutACommaOffersTheEmptyCount) {
    folder.WriteLog({"garbage", MakeRecord("10", "1", "00:01`00", "1", "1"), "", "10"});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_EQ(Counts(*ranking), (std::vector<QString>{"", "10"}));
    EXPECT_TRUE(Rows(*ranking).empty());
}

// The log is read line by line up to its first zero byte, so a 1 TiB sparse tail opens at once;
// a line beyond the line limit is never listed, although its checksum holds, but its count is
// offered.
TEST_F(RankingDialog, AHugeSparseLogOpensOnItsLines) {
    folder.WriteLog({Signed("10," + std::string(LogLineLimit, '1') + ","),
                     MakeRecord("10", "1", "00:01`00", "1", "1")});
    QFile log(folder.Path("log.dat"));
    ASSERT_TRUE(log.open(QIODevice::ReadWrite) && log.resize(log.size() + (qint64(1) << 40)));
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_EQ(Counts(*ranking), (std::vector<QString>{"10"}));
    EXPECT_EQ(Rows(*ranking), (std::vector<QStringList>{{"1", "00:01`00", "1", "1"}}));
}

struct Damage {
    const char* name;
    std::string line;
};

class RankingDamagedRecord : public RankingDialog, public ::testing::WithParamInterface<Damage> {};

// A line whose check text is not exactly the checksum is not listed, but its count is offered.
TEST_P(RankingDamagedRecord, IsNotListedButItsCountIsOffered) {
    folder.WriteLog({GetParam().line, MakeRecord("20", "1", "00:01`00", "1", "1")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_EQ(Counts(*ranking), (std::vector<QString>{"10", "20"}));
    EXPECT_TRUE(Rows(*ranking).empty());
}

const std::string Good = MakeRecord("10", "1230", "02:00`50", "40", "7");
const std::string GoodCheck = Good.substr(Good.rfind(',') + 1);
const std::string Covered = Good.substr(0, Good.rfind(',') + 1);

INSTANTIATE_TEST_SUITE_P(
    Checks, RankingDamagedRecord,
    ::testing::Values(Damage{"LeadingZero", Covered + "0" + GoodCheck},
                      Damage{"PlusSign", Covered + "+" + GoodCheck},
                      Damage{"TrailingSpace", Covered + GoodCheck + " "},
                      Damage{"LeadingSpace", Covered + " " + GoodCheck},
                      Damage{"OffByOne", Covered + std::to_string(std::stoi(GoodCheck) + 1)},
                      Damage{"FieldEdited", "10,9230" + Good.substr(Good.find(',', 3))},
                      Damage{"NoCheck", Covered}),
    [](const auto& info) { return std::string(info.param.name); });

// Extra fields after the combo are ignored, missing ones leave their columns empty.
TEST_F(RankingDialog, ListsTheFirstFourFieldsAfterTheCount) {
    folder.WriteLog({Signed("10,1230,02:00`50,40,7,extra,"), Signed("10,999,"), Signed("10,"),
                     Signed("10,5,01:00`00,"), "10"});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_EQ(Rows(*ranking), (std::vector<QStringList>{{"1230", "02:00`50", "40", "7"},
                                                        {"999", "", "", ""},
                                                        {"", "", "", ""},
                                                        {"5", "01:00`00", "", ""}}));
}

// Choosing a count from the list refills the list and clears the selection; a count whose lines
// are all damaged gives an empty list.
TEST_F(RankingDialog, ChoosingAnotherCountRefillsTheList) {
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1"), Covered + "0" + GoodCheck,
                     MakeRecord("30", "3", "00:03`00", "3", "3")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->lsRanking()->selectRow(0);
    QTest::keyClick(ranking->cmbMondai(), Qt::Key_Down);  // the second item, "30"
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "30");
    EXPECT_EQ(Rows(*ranking), (std::vector<QStringList>{{"3", "00:03`00", "3", "3"}}));
    EXPECT_TRUE(ranking->lsRanking()->selectionModel()->selectedRows().isEmpty());
    QTest::keyClick(ranking->cmbMondai(), Qt::Key_Up);
    QTest::keyClick(ranking->cmbMondai(), Qt::Key_Up);
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "10");
    EXPECT_EQ(Rows(*ranking).size(), 1u);
}

// Nothing typed reaches the combo's edit: digits, Backspace, Delete and a paste change neither
// the count nor the list.
TEST_F(RankingDialog, TypingIntoTheCountChangesNothing) {
    folder.WriteLog(
        {MakeRecord("10", "1", "00:01`00", "1", "1"), MakeRecord("30", "3", "00:03`00", "3", "3")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    QTest::keyClicks(ranking->cmbMondai(), "30");
    QTest::keyClick(ranking->cmbMondai(), Qt::Key_Backspace);
    QTest::keyClick(ranking->cmbMondai(), Qt::Key_Delete);
    QTest::keyClicks(ranking->cmbMondai()->lineEdit(), "5");
    QTest::keyClick(ranking->cmbMondai()->lineEdit(), Qt::Key_V, Qt::ControlModifier);
    // A key whose text has no place in the code page (the byte-order mark) is discarded too.
    QKeyEvent mark(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(0xFEFF)));
    QApplication::sendEvent(ranking->cmbMondai(), &mark);
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "10");
    EXPECT_EQ(Rows(*ranking), (std::vector<QStringList>{{"1", "00:01`00", "1", "1"}}));
}

// Tab walks the list, the count, the three identity edits and the comment, and wraps; Shift+Tab
// walks back. The count's key filter lets the focus keys through, and no Tab is typed anywhere.
TEST_F(RankingDialog, TabWalksEveryFieldAndBack) {
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    const std::vector<QWidget*> forth = {ranking->cmbMondai(),  ranking->txtHN(),
                                         ranking->txtMail(),    ranking->txtURL(),
                                         ranking->memComment(), ranking->lsRanking()};
    EXPECT_EQ(FocusWalk(ranking.get(), ranking->lsRanking(), 6, false), forth);
    const std::vector<QWidget*> back = {ranking->txtURL(), ranking->txtMail(), ranking->txtHN(),
                                        ranking->cmbMondai(), ranking->lsRanking()};
    EXPECT_EQ(FocusWalk(ranking.get(), ranking->memComment(), 5, true), back);
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "10");
    EXPECT_TRUE(ranking->memComment()->toPlainText().isEmpty());
}

// Without log.dat the player is told so and no dialog is made.
TEST_F(RankingDialog, AMissingLogOpensNothing) {
    EXPECT_EQ(Open(), nullptr);
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{"データが見つかりませんでした。"}));
}

// An empty log is announced, then the dialog opens with no counts, "50" in the edit and no rows;
// a send there asks for a row first.
TEST_F(RankingDialog, AnEmptyLogOpensAnEmptyDialog) {
    folder.WriteLog({});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    EXPECT_EQ(boxes.Texts(), (std::vector<QString>{"データがありませんでした。"}));
    EXPECT_EQ(ranking->cmbMondai()->count(), 0);
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "50");
    EXPECT_EQ(ranking->lsRanking()->rowCount(), 0);
    ranking->btnOKClick(ranking->btnOK());
    EXPECT_EQ(boxes.Texts().back(), "登録するリストが選択されておりません。");
}

// A log that is gone when the count changes raises, and the list keeps what it showed.
TEST_F(RankingDialog, ALogRemovedWhileOpenKeepsTheRows) {
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    QFile::remove(folder.Path("log.dat"));
    EXPECT_THROW(ranking->cmbMondaiChange(ranking->cmbMondai()), Exception);
    EXPECT_EQ(Rows(*ranking).size(), 1u);
}

struct SendCheck {
    const char* name;
    bool selectRow;
    std::string handle;
    std::vector<MsgResult> answers;
    bool connected;
    bool offline;
    int attempt;
    std::vector<QString> expected;
    int attempts;
};

class RankingSendChecks : public RankingDialog, public ::testing::WithParamInterface<SendCheck> {};

const QString Confirm =
    "データを送信します。よろしいですか？記入漏れなどがないか確認してから送って下さい。コメント"
    "がないと「コメント>>」とだけ表示されてしまいますが、よろしいですか？";
const QString OfflineQuestion =
    "ｲﾝﾀｰﾈｯﾄには接続されていますが、ｵﾌﾗｲﾝで作業しています。ｵﾝﾗｲﾝに切り替えますか？";

// Each check of the send command stops it with its own message, in their fixed order, before
// anything leaves the machine.
TEST_P(RankingSendChecks, StopBeforeTheUpload) {
    const SendCheck& check = GetParam();
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1")});
    auto ranking = Open(check.handle);
    ASSERT_TRUE(ranking);
    if (check.selectRow) ranking->lsRanking()->selectRow(0);
    for (MsgResult answer : check.answers) boxes.Answer(answer);
    ScriptedInternet internet(check.connected, check.offline, check.attempt);
    ranking->btnOKClick(ranking->btnOK());
    EXPECT_EQ(boxes.Texts(), check.expected);
    EXPECT_EQ(internet.Attempts(), check.attempts);
    EXPECT_FALSE(QFile::exists(folder.Path("_temp.dat")));
}

INSTANTIATE_TEST_SUITE_P(
    Order, RankingSendChecks,
    ::testing::Values(
        SendCheck{"NoRow",
                  false,
                  "taro",
                  {},
                  true,
                  false,
                  0,
                  {"登録するリストが選択されておりません。"},
                  0},
        SendCheck{
            "NoHandle", true, "", {}, true, false, 0, {"登録の際にハンドルネームは必須です！"}, 0},
        SendCheck{"Declined", true, "taro", {MsgResult::Cancel}, true, false, 0, {Confirm}, 0},
        SendCheck{"NotConnected",
                  true,
                  " ",
                  {MsgResult::Yes},
                  false,
                  false,
                  0,
                  {Confirm, "インターネットに接続されていません。"},
                  0},
        SendCheck{"OfflineDeclined",
                  true,
                  "taro",
                  {MsgResult::Yes, MsgResult::Cancel},
                  true,
                  true,
                  0,
                  {Confirm, OfflineQuestion},
                  0},
        SendCheck{"GoingOnlineFails",
                  true,
                  "taro",
                  {MsgResult::Yes, MsgResult::Yes},
                  true,
                  true,
                  12029,
                  {Confirm, OfflineQuestion, "失敗しました。"},
                  1}),
    [](const auto& info) { return std::string(info.param.name); });

// The confirmation is an information box with Yes and Cancel, the offline question a question box.
TEST_F(RankingDialog, TheSendQuestionsUseTheirBoxKinds) {
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->lsRanking()->selectRow(0);
    boxes.Answer(MsgResult::Yes);
    ScriptedInternet internet(true, true);
    ranking->btnOKClick(ranking->btnOK());
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Information);
    EXPECT_EQ(boxes.Seen()[0].Buttons, MsgButtons::YesCancel);
    EXPECT_EQ(boxes.Seen()[1].Icon, MsgIcon::Question);
    EXPECT_EQ(boxes.Seen()[1].Buttons, MsgButtons::YesCancel);
}

// Cancel and the title bar close the dialog with the cancel result; Esc and Enter do not close it;
// Help asks for topic 4.
TEST_F(RankingDialog, ClosesOnlyByCancelOrTitleBar) {
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->show();
    QTest::keyClick(ranking.get(), Qt::Key_Escape);
    QTest::keyClick(ranking.get(), Qt::Key_Return);
    EXPECT_TRUE(ranking->isVisible());
    QTest::mouseClick(ranking->btnHelp(), Qt::LeftButton);
    EXPECT_EQ(helped, std::vector<int>{4});
    QTest::mouseClick(ranking->btnCancel(), Qt::LeftButton);
    EXPECT_FALSE(ranking->isVisible());
    EXPECT_EQ(ranking->result(), 2);
    ranking->setResult(0);
    ranking->show();
    ranking->close();
    EXPECT_FALSE(ranking->isVisible());
    EXPECT_EQ(ranking->result(), 2);
}

// The comment holds at most 255 bytes, its line breaks counted as CR LF; an edit that would pass
// the limit is refused.
TEST_F(RankingDialog, TheCommentStopsAt255Bytes) {
    folder.WriteLog({});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->memComment()->setPlainText(QString(252, 'a'));
    ranking->memComment()->moveCursor(QTextCursor::End);
    QTest::keyClick(ranking->memComment(), Qt::Key_Return);
    QTest::keyClicks(ranking->memComment(), "bcd");
    EXPECT_EQ(ranking->memComment()->toPlainText(), QString(252, 'a') + "\nb");
    QTest::sendKeyEvent(QTest::Click, ranking->memComment(), Qt::Key_unknown, QStringLiteral("漢"),
                        Qt::NoModifier);
    EXPECT_EQ(ranking->memComment()->toPlainText(), QString(252, 'a') + "\nb");
}

// The single-line edits keep only the first line of what is put into them, so that a handle name
// cannot start a line of its own in the server's file.
TEST_F(RankingDialog, IdentityEditsHoldOneLine) {
    folder.WriteLog({});
    auto ranking = Open("ab\r\ncd");
    ASSERT_TRUE(ranking);
    EXPECT_EQ(ranking->txtHN()->text(), "ab");
    ranking->txtURL()->insert("http://x.example/\nforged");
    EXPECT_EQ(ranking->txtURL()->text(), "http://x.example/");
}

namespace {
// A button answers its Alt key with a click that lands a moment later.
void PressAlt(QWidget* window, Qt::Key key, const std::function<bool()>& done) {
    QTest::keyClick(window, key, Qt::AltModifier);
    for (int pass = 0; pass < 100 && !done(); ++pass) QTest::qWait(10);
}
}  // namespace

// The buttons answer their Alt keys: Alt+H asks for help, Alt+S sends, Alt+C closes.
TEST_F(RankingDialog, ButtonsAnswerTheirAltKeys) {
    folder.WriteLog({MakeRecord("10", "1", "00:01`00", "1", "1")});
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->show();
    ranking->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ranking.get()));
    PressAlt(ranking.get(), Qt::Key_H, [&] { return !helped.empty(); });
    EXPECT_EQ(helped, std::vector<int>{4});
    PressAlt(ranking.get(), Qt::Key_S, [&] { return !boxes.Seen().empty(); });
    EXPECT_EQ(boxes.Texts(), std::vector<QString>{"登録するリストが選択されておりません。"});
    PressAlt(ranking.get(), Qt::Key_C, [&] { return !ranking->isVisible(); });
    EXPECT_FALSE(ranking->isVisible());
}
