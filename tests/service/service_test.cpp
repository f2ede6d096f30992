// The ranking service end to end: the game's own dialog sends to the servers service/run starts,
// the page shows what arrived, the account can do nothing but append, and a real browser runs no
// script that an entry carries.
#include <gtest/gtest.h>
#include <pwd.h>
#include <shadow.h>
#include <unistd.h>

#include <QComboBox>
#include <QDirIterator>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QTest>

#include "net/ftpclient.h"
#include "platform/cp932.h"
#include "platform/shell.h"
#include "ranking/openranking.h"
#include "ranking/ranking.h"
#include "ranking/rankingentry.h"
#include "ranking/upload.h"
#include "records/scorelog.h"
#include "tests/ranking/rankingtestsupport.h"
#include "tests/service/servicerunner.h"
#include "tests/support/testingranking.h"
#include "tests/support/testsupport.h"

namespace {

const char* const Account = "bartendam-ranking";

// The score column of the page's table, top to bottom.
std::vector<std::string> Scores(const std::string& html) {
    std::vector<std::string> scores;
    const std::string cell = "<td class=\"score\">";
    for (std::size_t at = 0; (at = html.find(cell, at)) != std::string::npos;) {
        at += cell.size();
        scores.push_back(html.substr(at, html.find('<', at) - at));
    }
    return scores;
}

// The page as a headless Chromium sees it once loaded, serialized from its DOM.
std::string BrowserDom(const QString& url) {
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start("chromium",
                   {"--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                    "--disable-background-networking", "--disable-component-update",
                    "--disable-sync", "--user-data-dir=" + profile.path(), "--dump-dom", url});
    if (!chromium.waitForFinished(90000)) chromium.kill();
    return chromium.readAllStandardOutput().toStdString();
}

class RankingServiceEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { service = new RankingService; }
    static void TearDownTestSuite() {
        delete service;
        service = nullptr;
    }
    void SetUp() override {
        if (geteuid() != 0) GTEST_SKIP() << "the ranking service needs root";
        ASSERT_EQ(service->Problem(), "");
    }

    // Sends one line with the project's upload code, as the dialog's send does.
    void Append(int count, const std::string& entry) {
        TFtpClient client;
        SetUpRankingClient(client);
        UploadRankingEntry(client, service->Endpoints(), folder.AppFolder(),
                           RankingRemotePath(std::to_string(count)), entry);
    }

    static RankingService* service;
    TestAppFolder folder;
};

RankingService* RankingServiceEnd::service = nullptr;

}  // namespace

// Results sent from the ranking dialog for two counts land in their counts' files exactly as
// sent; the page the dialog offers answers under a policy that allows no script, links both
// counts, and each count's table lists its results by score.
TEST_F(RankingServiceEnd, TheDialogsResultsReachThePage) {
    folder.WriteLog({MakeRecord("10", "1230", "02:00`50", "40", "7"),
                     MakeRecord("30", "2500", "01:10`00", "28", "12"),
                     MakeRecord("10", "4560", "01:59`00", "45", "20")});
    ScriptedBoxes boxes;
    ScriptedInternet internet;
    QStringList opened;
    SetShellOpenHandler([&](const std::string& target) { opened << FromCp932(target); });
    auto ranking = TestingRanking::Prepare(folder.AppFolder(), Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ"), "",
                                           "http://bar.example/", [](int) {}, service->Endpoints());
    ASSERT_TRUE(ranking);
    ranking->show();
    ranking->memComment()->setPlainText(QStringLiteral("乾杯\nまた来ます"));
    auto send = [&](int row) {
        ranking->lsRanking()->selectRow(row);
        boxes.Answer(MsgResult::Yes);
        boxes.Answer(MsgResult::Yes);
        QTest::mouseClick(ranking->btnOK(), Qt::LeftButton);
    };
    send(0);
    send(1);
    ranking->cmbMondai()->setCurrentIndex(1);
    ranking->cmbMondaiChange(ranking->cmbMondai());
    send(0);
    SetShellOpenHandler(nullptr);
    for (const MessageBoxRequest& box : boxes.Seen()) {
        EXPECT_NE(box.Icon, MsgIcon::Error) << FromCp932(box.Text).toStdString();
    }

    const TRankingIdentity identity{Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ"), "", "http://bar.example/",
                                    Cp932Text("乾杯\r\nまた来ます")};
    EXPECT_EQ(ReadFileBytes(service->LogFile(10)),
              RankingEntry({"1230", "02:00`50", "40", "7"}, identity) +
                  RankingEntry({"4560", "01:59`00", "45", "20"}, identity));
    EXPECT_EQ(ReadFileBytes(service->LogFile(30)),
              RankingEntry({"2500", "01:10`00", "28", "12"}, identity));
    ASSERT_EQ(opened, QStringList(3, service->Page()));

    const HttpAnswer first = HttpGet(opened.front());
    EXPECT_NE(first.Headers.find("Content-Security-Policy: default-src 'none'; style-src 'sha256-"),
              std::string::npos)
        << first.Headers;
    EXPECT_EQ(first.Headers.find("script-src"), std::string::npos);
    EXPECT_EQ(first.Headers.find("unsafe"), std::string::npos);
    EXPECT_NE(first.Body.find("<nav aria-label=\"問題数\"><a href=\"?count=10\">10問</a>"
                              "<a href=\"?count=30\">30問</a></nav>"),
              std::string::npos)
        << first.Body;
    EXPECT_TRUE(Scores(first.Body).empty());  // the plain address shows the default count, 50

    const std::string tens = HttpGet(service->Page("count=10")).Body;
    EXPECT_EQ(Scores(tens), (std::vector<std::string>{"4560", "1230"}));
    EXPECT_NE(tens.find("<a href=\"http://bar.example/\" rel=\"nofollow ugc noopener noreferrer\">"
                        "ﾊﾞｰﾃﾝﾀﾞｰ</a>"),
              std::string::npos);
    EXPECT_NE(tens.find("<td class=\"comment\">乾杯<br>また来ます</td>"), std::string::npos);
    EXPECT_EQ(Scores(HttpGet(service->Page("count=30")).Body), std::vector<std::string>{"2500"});
}

// The page's address answers for the first count the query names among the game's, and with the
// game's default for anything else.
TEST_F(RankingServiceEnd, TheQueryChoosesTheCount) {
    const std::pair<const char*, int> cases[] = {
        {"count=30", 30},          {"count=100", 100},
        {"x=1&count=20", 20},      {"count=20&count=30", 20},
        {"count=35&count=40", 40}, {"count=35", 50},
        {"count=010", 50},         {"count=", 50},
        {"Count=30", 50},          {"count=30x", 50},
        {"x&count=90&y=2", 90},    {"&&count=60", 60},
    };
    for (const auto& [query, count] : cases) {
        const std::string title = "ｲﾝﾀｰﾈｯﾄﾗﾝｷﾝｸﾞ " + std::to_string(count) + "問</title>";
        EXPECT_NE(HttpGet(service->Page(query)).Body.find(title), std::string::npos) << query;
    }
}

// The account appends and does nothing else: no delete, overwrite, rename, folders, site
// commands, listings or downloads, no way out of the ranking folder, and the file stays intact;
// no other log-in gets in, and the system account behind it has no password and no shell.
TEST_F(RankingServiceEnd, TheAccountMayOnlyAppend) {
    const std::string entry = RankingEntry({"100", "00:10`00", "1", "1"}, {"keeper", "", "", ""});
    Append(60, entry);
    const char* refused[] = {"DELE /ranking/cocktail/60.log",
                             "STOR /ranking/cocktail/60.log",
                             "RNFR /ranking/cocktail/60.log",
                             "MKD /ranking/cocktail/new",
                             "RMD /ranking/cocktail",
                             "SITE CHMOD 777 /ranking/cocktail/60.log",
                             "LIST /",
                             "NLST /ranking/cocktail",
                             "RETR /ranking/cocktail/60.log",
                             "CWD /"};
    TFtpClient client;
    SetUpRankingClient(client);
    const TRankingEndpoints endpoints = service->Endpoints();
    client.SetHost(endpoints.FtpHost);
    client.SetPort(endpoints.FtpPort);
    client.SetUserID("master");
    client.SetPassword(ServicePassword);
    client.Connect();
    for (const char* command : refused) {
        client.RunCommand("PASV");  // so that a transfer is refused for itself, not for its data
        EXPECT_EQ(ErrorOf([&] { client.RunCommand(command); }).substr(0, 4), "550 ") << command;
    }
    for (const char* outside : {"/ranking/cocktail/../../x.log", "/x.log", "/ranking/x.log",
                                "/../../../tmp/bartendam-escaped.log"}) {
        EXPECT_EQ(ErrorOf([&] {
                      UploadRankingEntry(client, endpoints, folder.AppFolder(), outside, entry);
                  }).substr(0, 4),
                  "553 ")
            << outside;
    }
    EXPECT_EQ(ReadFileBytes(service->LogFile(60)), entry);
    QDirIterator files(QFileInfo(service->LogFile(60)).path() + "/../../..", QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = QFileInfo(files.next()).canonicalFilePath();
        EXPECT_FALSE(file.contains("x.log") || file.contains("escaped")) << file.toStdString();
    }
    EXPECT_FALSE(QFile::exists("/tmp/bartendam-escaped.log"));

    const std::pair<const char*, const char*> strangers[] = {
        {"anonymous", "guest@example.com"}, {Account, ServicePassword}, {"master", "Wrongs12345"}};
    for (const auto& [user, password] : strangers) {
        TFtpClient stranger;
        stranger.SetHost(endpoints.FtpHost);
        stranger.SetPort(endpoints.FtpPort);
        stranger.SetUserID(user);
        stranger.SetPassword(password);
        EXPECT_EQ(ErrorOf([&] { stranger.Connect(); }).substr(0, 4), "530 ") << user;
    }
    const passwd* account = getpwnam(Account);
    ASSERT_TRUE(account);
    EXPECT_STREQ(account->pw_shell, "/usr/sbin/nologin");
    const spwd* shadow = getspnam(Account);
    ASSERT_TRUE(shadow);
    EXPECT_TRUE(shadow->sp_pwdp[0] == '!' || shadow->sp_pwdp[0] == '*') << shadow->sp_pwdp;
}

// An entry made of script, markup and a javascript: home page, sent as any player could, leaves
// a real browser's page with its own title and none of the entry's elements.
TEST_F(RankingServiceEnd, ABrowserRunsNoScriptOfAnEntry) {
    const std::string payload = "<script>document.title='pwned'</script>";
    Append(70, RankingEntry({"999", "00:01`00", "70", "70"},
                            {payload, "\">" + payload, "javascript:document.title='pwned'",
                             "<img src=x onerror=\"document.title='pwned'\">" + payload}));
    const std::string dom = BrowserDom(service->Page("count=70"));
    ASSERT_NE(dom.find("</html>"), std::string::npos) << "chromium gave no page";
    EXPECT_NE(dom.find("<title>The・バーテンダム ｲﾝﾀｰﾈｯﾄﾗﾝｷﾝｸﾞ 70問</title>"), std::string::npos)
        << dom;
    EXPECT_EQ(dom.find("pwned</title>"), std::string::npos);
    EXPECT_EQ(dom.find("<script"), std::string::npos);
    EXPECT_EQ(dom.find("<img"), std::string::npos);
    EXPECT_EQ(dom.find("href=\"javascript"), std::string::npos);
    EXPECT_NE(dom.find("&lt;script&gt;document.title='pwned'&lt;/script&gt;"), std::string::npos);
    EXPECT_EQ(Scores(dom), std::vector<std::string>{"999"});
}
