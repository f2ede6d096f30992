// Sends from the ranking dialog to a real FTP server on this machine: the bytes that arrive, the
// session kept between sends, the temporary file, the page offer, and the failures shown.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest/QTest>

#include "platform/cp932.h"
#include "platform/shell.h"
#include "ranking/openranking.h"
#include "ranking/ranking.h"
#include "ranking/rankingentry.h"
#include "records/scorelog.h"
#include "tests/ranking/rankingtestsupport.h"
#include "tests/support/testingranking.h"
#include "tests/support/testsupport.h"

namespace {
const QString Password = QStringLiteral("Stirred54321");
const QString Page = QStringLiteral("http://web.ranking.example/ranking/cocktail/cocktailmain.cgi");
const QString Completed = QStringLiteral("登録が完了しました。ページへジャンプしますか？");

class RankingUpload : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.Started()) << "pyftpdlib did not start";
        folder.WriteLog({MakeRecord("10", "1230", "02:00`50", "40", "7"),
                         MakeRecord("30", "300", "00:30`00", "3", "1")});
        SetShellOpenHandler([this](const std::string& target) { opened << FromCp932(target); });
    }
    void TearDown() override { SetShellOpenHandler(nullptr); }

    std::unique_ptr<TestingRanking> Open(const std::string& password, int port) {
        const TRankingEndpoints endpoints{"127.0.0.1", port, "master", password,
                                          "web.ranking.example"};
        auto ranking = TestingRanking::Prepare(
            folder.AppFolder(), Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ*"), "", "http://x.example/", [](int) {},
            endpoints);
        if (ranking) {
            ranking->lsRanking()->selectRow(0);
            ranking->memComment()->setPlainText(QStringLiteral("初めて*\n送ります"));
        }
        return ranking;
    }
    std::unique_ptr<TestingRanking> Open() { return Open(ToCp932(Password), server.Port()); }

    // The entry the dialog above must send for the 10-question result.
    std::string Expected() const {
        return RankingEntry(
            {"1230", "02:00`50", "40", "7"},
            {Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ*"), "", "http://x.example/", Cp932Text("初めて*\r\n送ります")});
    }

    // A send as the player makes it: the click goes through the application object, which shows
    // whatever the send raises in an error box.
    void Send(TestingRanking& ranking, MsgResult page = MsgResult::Yes) {
        boxes.Answer(MsgResult::Yes);
        boxes.Answer(page);
        QTest::mouseClick(ranking.btnOK(), Qt::LeftButton);
    }

    long Asked(const QString& text) const {
        const std::vector<QString> texts = boxes.Texts();
        return std::count(texts.begin(), texts.end(), text);
    }

    std::vector<QString> ErrorTexts() const {
        std::vector<QString> texts;
        for (const MessageBoxRequest& box : boxes.Seen()) {
            if (box.Icon == MsgIcon::Error) texts.push_back(FromCp932(box.Text));
        }
        return texts;
    }

    TestFtpServer server{QStringLiteral("master"), Password};
    TestAppFolder folder;
    ScriptedBoxes boxes;
    ScriptedInternet internet;
    QStringList opened;
    const QString remote = QStringLiteral("ranking/cocktail/10.log");
};
}  // namespace

// The entry's exact bytes are appended to the count's file, after what the file held; the page is
// offered once and opened; the temporary file is gone; no second log-in for a second send, which
// appends the same line again.
TEST_F(RankingUpload, AppendsTheEntryAndKeepsTheSession) {
    WriteFileBytes(server.Path(remote), "earlier\r\n");
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->show();
    Send(*ranking);
    EXPECT_TRUE(ErrorTexts().empty()) << ErrorTexts().front().toStdString();
    EXPECT_EQ(ReadFileBytes(server.Path(remote)), "earlier\r\n" + Expected());
    EXPECT_EQ(Asked(Completed), 1);
    EXPECT_EQ(opened, QStringList{Page});
    EXPECT_FALSE(QFile::exists(folder.Path("_temp.dat")));
    EXPECT_TRUE(ranking->isVisible());
    EXPECT_TRUE(ranking->btnOK()->isEnabled());

    Send(*ranking);
    EXPECT_EQ(ReadFileBytes(server.Path(remote)), "earlier\r\n" + Expected() + Expected());
    EXPECT_EQ(Asked(Completed), 2);
    EXPECT_EQ(opened, (QStringList{Page, Page}));
    const QStringList events = server.Events();
    EXPECT_EQ(events.count(QStringLiteral("LOGIN master")), 1);
    EXPECT_EQ(events.count(QStringLiteral("COMMAND APPE")), 2);
    EXPECT_EQ(events.count(QStringLiteral("COMMAND PORT")), 2);
    EXPECT_EQ(events.count(QStringLiteral("COMMAND PASV")), 0);

    // Closing the dialog ends the session without a log-out.
    ranking.reset();
    EXPECT_TRUE(server.WaitFor(QStringLiteral("DISCONNECT")));
    EXPECT_FALSE(server.Events().contains(QStringLiteral("COMMAND QUIT")));
}

// Each count has its own file; a missing file is created by the append.
TEST_F(RankingUpload, TheCountChoosesTheFile) {
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->cmbMondai()->setCurrentIndex(1);
    ranking->cmbMondaiChange(ranking->cmbMondai());
    ranking->lsRanking()->selectRow(0);
    Send(*ranking, MsgResult::No);
    EXPECT_TRUE(ErrorTexts().empty());
    const std::string line = RankingEntry(
        {"300", "00:30`00", "3", "1"},
        {Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ*"), "", "http://x.example/", Cp932Text("初めて*\r\n送ります")});
    EXPECT_EQ(ReadFileBytes(server.Path(QStringLiteral("ranking/cocktail/30.log"))), line);
    EXPECT_FALSE(QFile::exists(server.Path(remote)));
    EXPECT_TRUE(opened.isEmpty());  // the page was declined
}

// Closing the completion box by its title bar is no "No": the page opens.
TEST_F(RankingUpload, CompletionBoxClosedByTheTitleBarOpensThePage) {
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    Send(*ranking, MsgResult::Closed);
    EXPECT_TRUE(ErrorTexts().empty());
    EXPECT_EQ(opened, QStringList{Page});
}

// While a send waits on the network the send button is off, so a second press sends nothing; a
// count chosen meanwhile does not redirect the result to another count's file; a cancel pressed
// meanwhile closes the dialog only once the send is over.
TEST_F(RankingUpload, ASendInProgressIsNotDisturbed) {
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->show();
    bool enabledDuringSend = true;
    bool beforeTheAppend = false;
    bool openAfterCancel = false;
    QTimer::singleShot(0, ranking.get(), [&] {
        enabledDuringSend = ranking->btnOK()->isEnabled();
        beforeTheAppend = !server.Events().contains(QStringLiteral("COMMAND APPE"));
        QTest::mouseClick(ranking->btnOK(), Qt::LeftButton);
        QTest::keyClick(ranking->cmbMondai(), Qt::Key_Down);
        QTest::mouseClick(ranking->btnCancel(), Qt::LeftButton);
        openAfterCancel = ranking->isVisible();
    });
    Send(*ranking);
    EXPECT_FALSE(enabledDuringSend);
    EXPECT_TRUE(beforeTheAppend);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_FALSE(ranking->isVisible());
    EXPECT_EQ(ranking->result(), 2);
    EXPECT_EQ(Asked(Completed), 1);
    EXPECT_EQ(ranking->cmbMondai()->currentText(), "30");
    EXPECT_EQ(ReadFileBytes(server.Path(remote)), Expected());
    EXPECT_FALSE(QFile::exists(server.Path(QStringLiteral("ranking/cocktail/30.log"))));
    EXPECT_EQ(server.Events().count(QStringLiteral("COMMAND APPE")), 1);
}

// A transfer the server refuses shows the server's reply, leaves the dialog open and keeps the
// temporary file with exactly the entry; no page is offered.
TEST_F(RankingUpload, AFailedTransferKeepsTheTemporaryFile) {
    QDir(server.Path(QStringLiteral("ranking"))).removeRecursively();
    auto ranking = Open();
    ASSERT_TRUE(ranking);
    ranking->show();
    Send(*ranking);
    ASSERT_EQ(ErrorTexts().size(), 1u);
    EXPECT_TRUE(ErrorTexts().front().startsWith("550")) << ErrorTexts().front().toStdString();
    EXPECT_EQ(ReadFileBytes(folder.Path("_temp.dat")), Expected());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(Asked(Completed), 0);
    EXPECT_TRUE(ranking->isVisible());
    EXPECT_TRUE(ranking->btnOK()->isEnabled());
}

// A refused log-in and a server that is not there show their error texts, leave the dialog open
// with its entries, and upload nothing.
TEST_F(RankingUpload, LogInFailuresAreShownAndTheDialogStays) {
    struct Case {
        const char* name;
        std::string password;
        int port;
        QString expected;
    };
    for (const Case& c :
         {Case{"refused log-in", "Wrongpw00000", server.Port(), "530"},
          Case{"dead server", ToCp932(Password), DeadPort(), "Connection Failed"}}) {
        SCOPED_TRACE(c.name);
        boxes.Clear();
        auto ranking = Open(c.password, c.port);
        ASSERT_TRUE(ranking);
        ranking->show();
        Send(*ranking);
        ASSERT_EQ(ErrorTexts().size(), 1u);
        EXPECT_TRUE(ErrorTexts().front().contains(c.expected))
            << ErrorTexts().front().toStdString();
        EXPECT_TRUE(ranking->isVisible());
        EXPECT_EQ(ranking->memComment()->toPlainText(), QStringLiteral("初めて*\n送ります"));
        EXPECT_FALSE(QFile::exists(folder.Path("_temp.dat")));
        EXPECT_TRUE(opened.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(server.Path(remote)));
}
