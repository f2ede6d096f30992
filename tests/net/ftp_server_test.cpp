// The FTP client against real servers, pyftpdlib and vsftpd, started for each test on 127.0.0.1:
// log-in, "TYPE A", appending in active and passive mode, "QUIT" and refused log-ins.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <memory>

#include "net/ftpclient.h"
#include "ranking/upload.h"
#include "tests/net/ftpservers.h"
#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {

enum class Server { Pyftpdlib, Vsftpd };

std::unique_ptr<FtpTestServer> Start(Server kind, const FtpServerOptions& options = {}) {
    if (kind == Server::Pyftpdlib) return std::make_unique<PyFtpdServer>(options);
    return std::make_unique<VsftpdServer>(options);
}

// vsftpd needs root; without it its tests are skipped, while every other start-up problem fails.
#define START_OR_SKIP(server)                                                       \
    do {                                                                            \
        if ((server)->Problem() == "vsftpd needs root") GTEST_SKIP() << "not root"; \
        ASSERT_EQ((server)->Problem(), "");                                         \
    } while (0)

struct Client {
    explicit Client(const FtpTestServer& server) {
        ftp.SetHost("127.0.0.1");
        ftp.SetPort(server.Port());
        ftp.SetTimeOut(5000);
        ftp.SetUserID(server.User());
        ftp.SetPassword(server.Password());
        ftp.SetReportLevel(1);
        ftp.OnStatus = [this](QObject*, const std::string& text) { trace.push_back(text); };
        ftp.OnConnect = [this](QObject*) { events.push_back(-1); };
        ftp.OnSuccess = [this](TCmdType kind) { events.push_back(kind); };
    }
    TFtpClient ftp;
    std::vector<int> events;
    std::vector<std::string> trace;
};

// pyftpdlib stores ASCII uploads with the platform's line ends.
std::string AsStored(Server kind, bool ascii, std::string bytes) {
    if (kind != Server::Pyftpdlib || !ascii) return bytes;
    for (size_t at; (at = bytes.find("\r\n")) != std::string::npos;) bytes.erase(at, 1);
    return bytes;
}

std::string Name(Server kind) { return kind == Server::Pyftpdlib ? "Pyftpdlib" : "Vsftpd"; }

class FtpServerTest : public ::testing::TestWithParam<std::tuple<Server, bool>> {};
class FtpLogInTest : public ::testing::TestWithParam<Server> {};

}  // namespace

// Appending creates a missing file and extends an existing one with exactly the bytes sent, in
// either data connection mode; the events come in order and "QUIT" ends the session.
TEST_P(FtpServerTest, AppendsCreateAndExtendTheServerFile) {
    auto [kind, passive] = GetParam();
    auto server = Start(kind);
    START_OR_SKIP(server);
    QTemporaryDir dir;
    const std::string first = Cp932Text("1\tバーテンダー\t4500\t01:23`45\tコメント\r\n");
    const std::string second = Cp932Text("2\t見習い\t1200\t02:00`00\t二行目\r\n");
    std::string big;
    for (int i = 0; i < (3 << 20); ++i) big += char((i * 131 + i / 7) % 256);
    WriteFileBytes(dir.filePath("first.dat"), first);
    WriteFileBytes(dir.filePath("second.dat"), second);
    WriteFileBytes(dir.filePath("big.bin"), big);

    Client client(*server);
    client.ftp.SetPassive(passive);
    client.ftp.Connect();
    client.ftp.SetTransferType(1);
    client.ftp.AppendUpload(dir.filePath("first.dat").toStdString(), "/ranking/cocktail/50.log");
    client.ftp.AppendUpload(dir.filePath("second.dat").toStdString(), "/ranking/cocktail/50.log");
    client.ftp.SetTransferType(2);
    client.ftp.AppendUpload(dir.filePath("big.bin").toStdString(), "/ranking/cocktail/big.bin");
    EXPECT_EQ(client.events, (std::vector<int>{-1, CtOther, CtAppe, CtAppe, CtOther, CtAppe}));
    client.ftp.Disconnect();
    EXPECT_FALSE(client.ftp.Connected());
    EXPECT_EQ(std::count(client.trace.begin(), client.trace.end(), "QUIT"), 1);
    EXPECT_EQ(client.trace.back().substr(0, 3), "221");

    std::string log = ReadFileBytes(server->Home() + "/ranking/cocktail/50.log");
    std::string expected = AsStored(kind, true, first + second);
    EXPECT_EQ(log.size(), expected.size());
    EXPECT_EQ(log, expected);
    std::string stored = ReadFileBytes(server->Home() + "/ranking/cocktail/big.bin");
    EXPECT_EQ(stored.size(), big.size());
    EXPECT_TRUE(stored == big);
}

// Greetings and log-in replies of one or several lines leave the session in step.
TEST_P(FtpLogInTest, MultiLineGreetingsAndLogInReplies) {
    Server kind = GetParam();
    FtpServerOptions options;
    options.Banner =
        "Welcome to the bartendam test server, where every cocktail has a name "
        "and every name has a cocktail.";
    options.LoginMessage =
        "You are logged in. Remember: ranking uploads are appended, never "
        "replaced, so mind what you send.";
    options.BannerFileLines = "Welcome to the bartendam test server.\nSecond line.\n";
    auto server = Start(kind, options);
    START_OR_SKIP(server);
    Client client(*server);
    client.ftp.Connect();
    client.ftp.SetTransferType(1);
    EXPECT_EQ(client.ftp.ReplyNumber(), 200);
    EXPECT_EQ(client.events, (std::vector<int>{-1, CtOther}));
    size_t continued = std::count_if(client.trace.begin(), client.trace.end(),
                                     [](const std::string& l) { return l.substr(3, 1) == "-"; });
    EXPECT_GE(continued, kind == Server::Pyftpdlib ? 2u : 1u);
}

// A send after the server ended the idle session (a 421 and a close while the dialog sat open)
// logs in again and appends without an error; sends within a session log in only once.
TEST_P(FtpLogInTest, SendAfterTheServerEndedAnIdleSession) {
    Server kind = GetParam();
    FtpServerOptions options;
    options.IdleSeconds = 1;
    auto server = Start(kind, options);
    START_OR_SKIP(server);
    QTemporaryDir folder;
    const TGameFolder appFolder = FolderAt(folder.path());
    const TRankingEndpoints endpoints{"127.0.0.1", server->Port(), server->User(),
                                      server->Password(), "web.example"};
    TFtpClient client;
    SetUpRankingClient(client);
    int logIns = 0;
    client.OnConnect = [&](QObject*) { ++logIns; };
    const std::string remote = RankingRemotePath("50");
    UploadRankingEntry(client, endpoints, appFolder, remote, "first\r\n");
    UploadRankingEntry(client, endpoints, appFolder, remote, "second\r\n");
    EXPECT_EQ(logIns, 1);
    QTest::qWait(2500);
    UploadRankingEntry(client, endpoints, appFolder, remote, "third\r\n");
    EXPECT_EQ(logIns, 2);
    EXPECT_EQ(ReadFileBytes(server->Home() + "/ranking/cocktail/50.log"),
              AsStored(kind, true, "first\r\nsecond\r\nthird\r\n"));
}

// A wrong password fails the log-in with the server's 530, after "QUIT" and "Disconnected".
TEST_P(FtpLogInTest, RefusedLogIn) {
    Server kind = GetParam();
    auto server = Start(kind);
    START_OR_SKIP(server);
    Client client(*server);
    client.ftp.SetPassword("not-the-password");
    int failures = 0;
    client.ftp.OnConnectionFailed = [&](QObject*) { ++failures; };
    try {
        client.ftp.Connect();
        ADD_FAILURE() << "log-in accepted";
    } catch (const FTPException& error) {
        EXPECT_EQ(std::string(error.what()).substr(0, 4), "530 ");
        EXPECT_EQ(std::string(error.what()).substr(std::string(error.what()).size() - 2), "\r\n");
    }
    EXPECT_EQ(failures, 1);
    EXPECT_FALSE(client.ftp.Connected());
    EXPECT_EQ(client.trace.back(), "Disconnected");
    EXPECT_NE(std::find(client.trace.begin(), client.trace.end(), "QUIT"), client.trace.end());
    for (const std::string& line : client.trace)
        EXPECT_EQ(line.find("not-the-password"), std::string::npos);
}

// A client destroyed while logged in resets its connection, and the server takes the next one.
TEST_P(FtpServerTest, DestroyedClientLeavesTheServerUsable) {
    auto [kind, passive] = GetParam();
    auto server = Start(kind);
    START_OR_SKIP(server);
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath("_temp.dat"), "after a reset\r\n");
    {
        Client gone(*server);
        gone.ftp.Connect();
    }
    Client client(*server);
    client.ftp.SetPassive(passive);
    client.ftp.Connect();
    client.ftp.AppendUpload(dir.filePath("_temp.dat").toStdString(), "");
    EXPECT_EQ(client.events, (std::vector<int>{-1, CtAppe}));
    EXPECT_EQ(ReadFileBytes(server->Home() + "/_temp.dat"),
              AsStored(kind, true, "after a reset\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Servers, FtpServerTest,
                         ::testing::Combine(::testing::Values(Server::Pyftpdlib, Server::Vsftpd),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return Name(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "Passive" : "Active");
                         });

INSTANTIATE_TEST_SUITE_P(Servers, FtpLogInTest,
                         ::testing::Values(Server::Pyftpdlib, Server::Vsftpd),
                         [](const auto& info) { return Name(info.param); });

// A port nobody listens on refuses the connect.
TEST(FtpServerless, ClosedPortIsRefused) {
    TFtpClient ftp;
    ftp.SetHost("127.0.0.1");
    ftp.SetPort(FreePort());
    ftp.SetTimeOut(3000);
    try {
        ftp.Connect();
        ADD_FAILURE() << "connected";
    } catch (const ESockError& error) {
        std::string text = error.what();
        EXPECT_TRUE(text == "Connection Failed" || text == "10061:Connection refused") << text;
    }
    EXPECT_FALSE(ftp.Connected());
}

// A host name that does not resolve, and a server that never takes the connection, end the
// log-in before any command with the socket layer's texts. The look-up has no time-out, so that
// however slowly its thread runs, only its answer can end it.
TEST(FtpServerless, UnresolvableHostAndUnansweredConnect) {
    TFtpClient ftp;
    ftp.SetTimeOut(0);
    ftp.SetHost(std::string(70, 'x') + ".invalid");
    try {
        ftp.Connect();
        ADD_FAILURE() << "connected";
    } catch (const ESockError& error) {
        EXPECT_STREQ(error.what(), "Null Remote Address");
    }
    EXPECT_EQ(ftp.LastErrorNo(), 11001);
    FullListener silent;
    ftp.SetTimeOut(100);
    ftp.SetHost("127.0.0.1");
    ftp.SetPort(silent.Port());
    try {
        ftp.Connect();
        ADD_FAILURE() << "connected";
    } catch (const ESockError& error) {
        EXPECT_STREQ(error.what(), "Connection Timed out");
    }
    EXPECT_FALSE(ftp.Connected());
}
