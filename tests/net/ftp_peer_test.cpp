// The FTP client against a scripted server: log-in variants, proxy styles, command outcomes,
// uploads with odd replies, and servers that misbehave.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "net/ftpclient.h"
#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {

using Lines = std::vector<std::string>;

// A client for the scripted peer, with every event recorded in order.
struct Client {
    explicit Client(int port, int timeOut = 3000) {
        ftp.SetHost("127.0.0.1");
        ftp.SetPort(port);
        ftp.SetTimeOut(timeOut);
        ftp.SetUserID("guest");
        ftp.SetPassword("secret-pw");
        ftp.SetReportLevel(8);
        ftp.OnStatus = [this](QObject*, const std::string& text) { trace.push_back(text); };
        ftp.OnConnect = [this](QObject*) { events.push_back("connect"); };
        ftp.OnConnectionFailed = [this](QObject*) { events.push_back("connection failed"); };
        ftp.OnSuccess = [this](TCmdType kind) { events.push_back("success " + Kind(kind)); };
        ftp.OnUnSupportedFunction = [this](TCmdType kind) {
            events.push_back("unsupported " + Kind(kind));
        };
        ftp.OnTransactionStart = [this](QObject*) { events.push_back("start"); };
        ftp.OnTransactionStop = [this](QObject*) { events.push_back("stop"); };
    }
    static std::string Kind(TCmdType kind) { return std::to_string(int(kind)); }
    TFtpClient ftp;
    Lines events;
    Lines trace;
};

std::string Field(const std::string& line, int n) { return TFtpClient::NthField(line, ' ', n); }

// A "PASV" reply's address and port, such as (127,0,0,1,19,137).
std::string PasvTuple(int port, const std::string& address = "127,0,0,1") {
    return "(" + address + "," + std::to_string(port / 256) + "," + std::to_string(port % 256) +
           ")";
}

// The scripted side of an upload: "PORT " (connect back after "APPE ") or "PASV".
std::string PeerUpload(PeerConnection& c, const std::string& afterData, bool passive,
                       const std::string& pasvAddress = "127,0,0,1") {
    std::string data;
    std::string command = c.ReadLine();
    if (passive) {
        int port = c.ListenData();
        c.Send("227 Entering Passive Mode " + PasvTuple(port, pasvAddress) + "\r\n");
        c.ReadLine();
        c.Send("150 go ahead\r\n");
        data = c.AcceptData();
    } else {
        std::string argument = Field(command, 2);
        c.Send("200 PORT ok\r\n");
        c.ReadLine();
        c.Send("150 go ahead\r\n");
        data = c.ConnectData(argument);
    }
    c.Send(afterData);
    c.ReadAll();
    return data;
}

QString WriteUploadFile(QTemporaryDir& dir, const std::string& bytes) {
    QString path = dir.filePath("_temp.dat");
    WriteFileBytes(path, bytes);
    return path;
}

}  // namespace

// Greetings of one or many lines are read whole before "USER "; "PASS " follows 331 only.
TEST(FtpLogIn, GreetingsAndUserReplies) {
    struct Case {
        const char* Greeting;
        const char* UserReply;
        Lines Expected;
    };
    const Case cases[] = {
        {"220 ready\r\n", "331 pw\r\n", {"USER guest", "PASS secret-pw"}},
        {"220-first\r\n second line\r\n220-third\r\n220 ready\r\n",
         "331 pw\r\n",
         {"USER guest", "PASS secret-pw"}},
        {"220 ready\r\n", "230 no password needed\r\n", {"USER guest"}},
        {"220 ready\r\n", "230-welcome\r\n and more\r\n230 in\r\n", {"USER guest"}},
    };
    for (const Case& k : cases) {
        ScriptedPeer peer([&](PeerConnection& c) {
            c.Send(k.Greeting);
            c.ReadLine();
            c.Send(k.UserReply);
            if (std::string(k.UserReply).rfind("331", 0) == 0) {
                c.ReadLine();
                c.Send("230 in\r\n");
            }
            c.ReadLine();
            c.Send("200 type set\r\n");
            c.ReadAll();
        });
        Client client(peer.Port());
        client.ftp.Connect();
        client.ftp.SetTransferType(1);
        EXPECT_EQ(client.ftp.ReplyNumber(), 200) << k.Greeting;
        EXPECT_EQ(client.events, (Lines{"connect", "success 14"})) << k.Greeting;
        client.ftp.Connect();
        EXPECT_EQ(client.events.size(), 2u);
        Lines expected = k.Expected;
        expected.push_back("TYPE A");
        client.ftp.CloseSocket();
        peer.Finish();
        EXPECT_EQ(peer.Received(), expected) << k.Greeting;
    }
}

// Missing credentials are asked for before "USER "; an operation without a connection gets one
// chance to connect through OnConnectionRequired.
TEST(FtpLogIn, CredentialsAndConnectionOnDemand) {
    ScriptedPeer peer([](PeerConnection& c) {
        PeerLogIn(c);
        c.ReadLine();
        c.Send("200 fine\r\n");
        c.ReadAll();
    });
    Client client(peer.Port());
    client.ftp.SetUserID("");
    client.ftp.OnAuthenticationNeeded = [&](bool&) {
        client.ftp.SetUserID("asked");
        client.ftp.SetPassword("asked-pw");
    };
    int requests = 0;
    client.ftp.OnConnectionRequired = [&](bool& handled) {
        ++requests;
        client.ftp.Connect();
        handled = true;
    };
    client.ftp.RunCommand("NOOP");
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(client.events, (Lines{"connect", "success 14"}));
    client.ftp.CloseSocket();
    peer.Finish();
    EXPECT_EQ(peer.Received(), (Lines{"USER asked", "PASS asked-pw", "NOOP"}));
    client.ftp.OnConnectionRequired = [&](bool& handled) {
        ++requests;
        handled = false;
    };
    EXPECT_EQ(ErrorOf([&] { client.ftp.RunCommand("NOOP"); }), "Not Connected");
    EXPECT_EQ(requests, 2);
}

// Every reply-code rule on both sides of each of its boundaries: a failing reply ends its step
// with the reply line as the error (a log-in after OnConnectionFailed, "QUIT" and
// "Disconnected"), a passing one lets the step succeed. Each session starts on a socket that
// resets when closed, and a stray reply left after the log-in is discarded before each step.
TEST(FtpReplyCodes, BothSidesOfEveryBoundary) {
    enum Step { Greeting, User, Pass, Command, Pasv, Port, Appe, Quit };
    struct Case {
        Step At;
        int Code;
        bool Fails;
    };
    const Case cases[] = {
        {Greeting, 400, false}, {Greeting, 401, true}, {User, 530, true},     {Pass, 400, false},
        {Pass, 401, true},      {Pass, 599, true},     {Pass, 600, false},    {Command, 399, false},
        {Command, 400, true},   {Command, 599, true},  {Command, 600, false}, {Pasv, 499, false},
        {Pasv, 500, true},      {Port, 300, false},    {Port, 301, true},     {Port, 599, true},
        {Port, 600, false},     {Appe, 300, false},    {Appe, 301, true},     {Appe, 599, true},
        {Appe, 600, false},     {Quit, 300, false},    {Quit, 301, true},
    };
    QTemporaryDir dir;
    const std::string local = WriteUploadFile(dir, "line\r\n").toStdString();
    for (const Case& k : cases) {
        const std::string scripted = std::to_string(k.Code) + " scripted";
        auto reply = [&](Step step, const std::string& usual, const std::string& rest = "") {
            return k.At == step ? scripted + rest + "\r\n" : usual;
        };
        ScriptedPeer peer([&](PeerConnection& c) {
            c.Send(reply(Greeting, "220 ready\r\n"));
            std::string port;
            for (std::string line; !(line = c.ReadLine(2000)).empty();) {
                std::string word = Field(line, 1);
                if (word == "USER") {
                    c.Send(reply(User, "331 pw\r\n"));
                } else if (word == "PASS") {
                    c.Send(reply(Pass, "230 in\r\n451 stray\r\n"));
                } else if (word == "NOOP") {
                    c.Send(reply(Command, "200 ok\r\n"));
                } else if (word == "PASV") {
                    std::string tuple = " " + PasvTuple(c.ListenData());
                    c.Send(reply(Pasv, "227 passive" + tuple + "\r\n", tuple));
                } else if (word == "PORT") {
                    port = Field(line, 2);
                    c.Send(reply(Port, "200 ok\r\n"));
                } else if (word == "APPE") {
                    c.Send(reply(Appe, "150 go\r\n"));
                    std::string data = port.empty() ? c.AcceptData(500) : c.ConnectData(port, 500);
                    if (data == "line\r\n") c.Send("226 stored\r\n");
                } else if (word == "QUIT") {
                    c.Send(reply(Quit, "221 bye\r\n"));
                }
            }
        });
        Client client(peer.Port());
        linger option{};
        socklen_t size = sizeof option;
        getsockopt(client.ftp.SocketHandle(), SOL_SOCKET, SO_LINGER, &option, &size);
        EXPECT_TRUE(option.l_onoff == 1 && option.l_linger == 0);
        client.ftp.SetPassive(k.At == Pasv);
        std::string error = ErrorOf([&] {
            client.ftp.Connect();
            if (k.At == Command) client.ftp.RunCommand("NOOP");
            if (k.At >= Pasv && k.At <= Appe) client.ftp.AppendUpload(local, "x.log");
            if (k.At == Quit) client.ftp.Disconnect();
        });
        const std::string at = std::to_string(k.At) + " " + scripted;
        EXPECT_EQ(error.substr(0, scripted.size()), k.Fails ? scripted : "") << at;
        const char* success = k.At <= Pass      ? "connect"
                              : k.At == Command ? "success 14"
                              : k.At == Quit    ? "connect"
                                                : "success 10";
        EXPECT_EQ(std::count(client.events.begin(), client.events.end(), success),
                  k.Fails && k.At != Quit ? 0 : 1)
            << at;
        if (k.Fails && k.At <= Pass) {
            EXPECT_EQ(client.events, Lines{"connection failed"}) << at;
            EXPECT_EQ(client.trace.back(), "Disconnected") << at;
            EXPECT_FALSE(client.ftp.Connected()) << at;
            peer.Finish();
            EXPECT_EQ(peer.Received().back(), "QUIT") << at;
        }
    }
}

// Through a proxy the real host goes into "USER ", "OPEN " or "SITE "; the firewall's own
// log-in comes first when asked for.
TEST(FtpLogIn, ProxyStylesAndFirewallLogIn) {
    struct Case {
        TFirewallType Type;
        bool Authenticate;
        Lines Expected;
    };
    const Case cases[] = {
        {FTUser, false, {"USER guest@ftp.example.jp", "PASS secret-pw"}},
        {FtOpen, false, {"OPEN ftp.example.jp", "USER guest", "PASS secret-pw"}},
        {FtSite, false, {"SITE ftp.example.jp", "USER guest", "PASS secret-pw"}},
        {FtSite,
         true,
         {"USER fwuser", "PASS fw-pw", "SITE ftp.example.jp", "USER guest", "PASS secret-pw"}},
    };
    for (const Case& k : cases) {
        ScriptedPeer peer([&](PeerConnection& c) {
            c.Send("220 proxy ready\r\n");
            for (;;) {
                std::string line = c.ReadLine();
                if (line.empty()) break;
                // The host commands get a reply that a strict client would take for a failure.
                if (line.rfind("USER", 0) == 0)
                    c.Send("331 pw\r\n");
                else if (line.rfind("PASS", 0) == 0)
                    c.Send("230 in\r\n");
                else
                    c.Send("500 ignored by the client\r\n");
            }
        });
        Client client(0);
        client.ftp.SetHost("ftp.example.jp");
        client.ftp.SetProxy("127.0.0.1");
        client.ftp.SetProxyPort(peer.Port());
        client.ftp.SetFirewallType(k.Type);
        client.ftp.SetFWAuthenticate(k.Authenticate);
        client.ftp.SetFWUserID("fwuser");
        client.ftp.SetFWPassword("fw-pw");
        client.ftp.Connect();
        EXPECT_EQ(client.events, Lines{"connect"});
        client.ftp.Cancel();
        client.ftp.CloseSocket();
        peer.Finish();
        EXPECT_EQ(peer.Received(), k.Expected) << int(k.Type);
    }
}

// No trace at any level holds a password; level 1 shows the commands and the reply lines.
TEST(FtpLogIn, TraceNeverShowsThePassword) {
    for (int level : {0, 1, 4, 8}) {
        ScriptedPeer peer([](PeerConnection& c) {
            c.Send("220 ready\r\n");
            c.ReadLine();
            c.Send("331 pw\r\n");
            c.ReadLine();
            c.Send("331 firewall pw\r\n");
            c.ReadLine();
            c.Send("331 user pw\r\n");
            c.ReadLine();
            c.Send("230 in\r\n");
            c.ReadAll();
        });
        Client client(peer.Port());
        client.ftp.SetReportLevel(level);
        client.ftp.SetFWAuthenticate(true);
        client.ftp.SetFWUserID("fwuser");
        client.ftp.SetFWPassword("fw-secret");
        client.ftp.Connect();
        for (const std::string& line : client.trace) {
            EXPECT_EQ(line.find("secret"), std::string::npos) << line;
            EXPECT_EQ(line.find("fw-secret"), std::string::npos) << line;
        }
        if (level == 0) {
            EXPECT_TRUE(client.trace.empty());
        }
        if (level == 1) {
            EXPECT_EQ(client.trace,
                      (Lines{"220 ready\r\n", "331 pw\r\n", "PASS ", "331 firewall pw\r\n",
                             "USER guest", "331 user pw\r\n", "PASS ", "230 in\r\n"}));
        }
    }
}

// Replies cut into pieces, or arriving together with the next, are read one reply at a time.
TEST(FtpReplies, SplitAndJoinedSegments) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.Send("22");
        c.Pause(30);
        c.Send("0 rea");
        c.Pause(30);
        c.Send("dy\r\n");
        c.ReadLine();
        c.Send("331 pw\r");
        c.Pause(30);
        c.Send("\n");
        c.ReadLine();
        c.Send("230-in\r\n");
        c.Pause(30);
        c.Send("230 really\r\n");
        c.ReadLine();
        c.Send("257 \"/\" is current\r\n250 a stray second reply\r\n");
        c.ReadLine();
        c.Send("200 type\r\n");
        c.ReadAll();
    });
    Client client(peer.Port());
    client.ftp.Connect();
    client.ftp.RunCommand("PWD");
    EXPECT_EQ(client.ftp.TransactionReply(), "257 \"/\" is current\r\n");
    // The stray reply is stale input when the next command goes out, and is dropped.
    client.ftp.SetTransferType(1);
    EXPECT_EQ(client.ftp.ReplyNumber(), 200);
    EXPECT_EQ(client.events, (Lines{"connect", "success 15", "success 14"}));
}

// Commands are classified by their first word; 400 to 599 fail, 500 to 502 are also unsupported,
// and OnFailure may take the failure over.
TEST(FtpCommands, ClassificationAndOutcomes) {
    struct Case {
        const char* Command;
        const char* Reply;
        bool Handle;
        Lines Events;
        const char* Error;
    };
    const Case cases[] = {
        {"CWD /x", "550 no such folder\r\n", true, {"failure 0"}, ""},
        {"CWD /x", "550 no such folder\r\n", false, {"failure 0"}, "550 no such folder\r\n"},
        {"XYZ", "500 what\r\n", true, {"unsupported 14", "failure 14"}, ""},
        {"MKD new", "257 made\r\n", false, {"success 1"}, ""},
        {"DELE old", "250 gone\r\n", false, {"success 2"}, ""},
        {"RMD old", "502 not here\r\n", true, {"unsupported 3", "failure 3"}, ""},
        {"PWD", "257 \"/\"\r\n", false, {"success 15"}, ""},
        {"PWD ", "257 \"/\"\r\n", false, {"success 14"}, ""},
        {"cwd /x", "250 ok\r\n", false, {"success 14"}, ""},
        {"STAT", "503 bad sequence\r\n", true, {"failure 14"}, ""},
    };
    ScriptedPeer peer([&](PeerConnection& c) {
        PeerLogIn(c);
        for (const Case& k : cases) {
            c.ReadLine();
            c.Send(k.Reply);
        }
        c.ReadAll();
    });
    Client client(peer.Port());
    client.ftp.Connect();
    for (const Case& k : cases) {
        client.events.clear();
        client.ftp.OnFailure = [&](bool& handled, TCmdType kind) {
            client.events.push_back("failure " + Client::Kind(kind));
            handled = k.Handle;
        };
        EXPECT_EQ(ErrorOf([&] { client.ftp.RunCommand(k.Command); }), k.Error) << k.Command;
        EXPECT_EQ(client.events, k.Events) << k.Command;
    }
    peer.Finish(100);
    Lines received = peer.Received();
    ASSERT_EQ(received.size(), 2 + std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(received[2 + i], cases[i].Command);
}

// Without an OnFailure handler a failing command raises its reply; a transfer type outside 1 to
// 3 sends nothing; commands need a connection.
TEST(FtpCommands, FailureWithoutHandlerAndUnknownTypes) {
    ScriptedPeer peer([](PeerConnection& c) {
        PeerLogIn(c);
        c.ReadLine();
        c.Send("504 no such type\r\n");
        c.ReadLine();
        c.Send("200 binary\r\n");
        c.ReadLine();
        c.Send("200 local\r\n");
        c.ReadAll();
    });
    Client client(peer.Port());
    EXPECT_EQ(ErrorOf([&] { client.ftp.RunCommand("NOOP"); }), "Not Connected");
    client.ftp.Connect();
    EXPECT_EQ(ErrorOf([&] { client.ftp.SetTransferType(1); }), "504 no such type\r\n");
    client.ftp.SetTransferType(4);
    client.ftp.SetTransferType(2);
    client.ftp.SetTransferType(3);
    client.ftp.Cancel();
    client.ftp.CloseSocket();
    peer.Finish();
    EXPECT_EQ(peer.Received(),
              (Lines{"USER guest", "PASS secret-pw", "TYPE A", "TYPE I", "TYPE L 8"}));
}

// "QUIT" goes out only when connected; a failing reply to it is raised after the socket closed.
TEST(FtpCommands, DisconnectSendsQuit) {
    for (const char* reply : {"221 bye\r\n", "500 no quitting\r\n"}) {
        ScriptedPeer peer([&](PeerConnection& c) {
            PeerLogIn(c);
            c.ReadLine();
            c.Send(reply);
            c.ReadAll();
        });
        Client client(peer.Port());
        int disconnects = 0;
        client.ftp.OnDisconnect = [&](QObject*) { ++disconnects; };
        client.ftp.Connect();
        client.ftp.SetVendor(7);
        std::string error = ErrorOf([&] { client.ftp.Disconnect(); });
        EXPECT_EQ(error, reply[0] == '5' ? reply : "");
        EXPECT_FALSE(client.ftp.Connected());
        EXPECT_EQ(disconnects, 1);
        EXPECT_EQ(client.ftp.Vendor(), 2411);
        client.ftp.Disconnect();
        peer.Finish();
        EXPECT_EQ(peer.Received(), (Lines{"USER guest", "PASS secret-pw", "QUIT"}));
    }
}

// A server that goes away, one that never answers and one whose reply never ends all end the
// step with an error, never with a success.
TEST(FtpReplies, ServersThatDoNotAnswerProperly) {
    struct Case {
        const char* Name;
        std::function<void(PeerConnection&)> Answer;
        int TimeOut;
        std::vector<std::string> Errors;
    };
    const Case cases[] = {
        {"421 and close",
         [](PeerConnection& c) { c.Send("421 shutting down\r\n"); },
         3000,
         {"421 shutting down\r\n"}},
        {"close",
         [](PeerConnection& c) { c.Close(); },
         3000,
         {"Connection Closed By Server", "10054:Connection reset by peer"}},
        {"silence", [](PeerConnection& c) { c.Pause(5000); }, 300, {"Socket readln timed out"}},
        {"endless",
         [](PeerConnection& c) {
             std::string line = "200-" + std::string(200, 'x') + "\r\n";
             while (!c.Stopping()) c.Send(line);
         },
         0,
         {"Reply Too Long"}},
        {"slow endless",
         [](PeerConnection& c) {
             while (!c.Stopping()) {
                 c.Send("200-still going\r\n");
                 c.Pause(20);
             }
         },
         300,
         {"Reply Timed Out"}},
        {"70 KiB line",
         [](PeerConnection& c) { c.Send("200 " + std::string(70 * 1024, 'y') + "\r\n"); },
         3000,
         {"Reply Line Too Long"}},
    };
    for (const Case& k : cases) {
        ScriptedPeer peer([&](PeerConnection& c) {
            PeerLogIn(c);
            c.ReadLine();
            k.Answer(c);
            c.ReadAll(1000);
        });
        Client client(peer.Port(), k.TimeOut);
        client.ftp.Connect();
        client.events.clear();
        QElapsedTimer clock;
        clock.start();
        std::string error = ErrorOf([&] { client.ftp.RunCommand("NOOP"); });
        EXPECT_NE(std::find(k.Errors.begin(), k.Errors.end(), error), k.Errors.end())
            << k.Name << ": " << error.substr(0, 80);
        EXPECT_TRUE(client.events.empty()) << k.Name;
        EXPECT_LT(clock.elapsed(), 3000) << k.Name;
    }
}

// A reply holding a zero byte is kept whole and judged by its number.
TEST(FtpReplies, ZeroByteInAReply) {
    std::string reply("550 bad\0name\r\n", 14);
    ScriptedPeer peer([&](PeerConnection& c) {
        PeerLogIn(c);
        c.ReadLine();
        c.Send(reply);
        c.ReadAll();
    });
    Client client(peer.Port());
    client.ftp.Connect();
    EXPECT_EQ(ErrorOf([&] { client.ftp.RunCommand("DELE x"); }), "550 bad");
    EXPECT_EQ(client.ftp.TransactionReply(), reply);
    EXPECT_EQ(client.ftp.ReplyNumber(), 550);
}

// A greeting that never comes ends the log-in after one time-out, without a "QUIT" that would
// wait again, and the client is left closed.
TEST(FtpReplies, MissingGreetingTimesOut) {
    ScriptedPeer peer([](PeerConnection& c) { c.ReadLine(3000); });
    Client client(peer.Port(), 300);
    client.ftp.SetReportLevel(1);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ErrorOf([&] { client.ftp.Connect(); }), "Socket readln timed out");
    EXPECT_LT(clock.elapsed(), 1500);
    EXPECT_FALSE(client.ftp.Connected());
    EXPECT_EQ(client.trace, Lines{"Disconnected"});
    peer.Finish();
    EXPECT_TRUE(peer.Received().empty());
}

// An active upload listens before "PORT ", names the file, sends its bytes once the server
// connects, and ends in one OnSuccess after the completion reply; an empty remote name sends the
// local file's own name.
TEST(FtpUpload, ActiveUploadSequence) {
    QTemporaryDir dir;
    std::string bytes = Cp932Text("ハンドル\tカクテル\r\n") + std::string(100000, 'z') + "\r\n";
    QString local = WriteUploadFile(dir, bytes);
    for (const std::string remote : {"/ranking/cocktail/50.log", ""}) {
        std::string data;
        ScriptedPeer peer([&](PeerConnection& c) {
            PeerLogIn(c);
            data = PeerUpload(c, "226 stored\r\n", false);
        });
        Client client(peer.Port());
        client.ftp.Connect();
        int packets = 0;
        client.ftp.OnPacketSent = [&](QObject* sender) {
            EXPECT_NE(sender, &client.ftp);
            ++packets;
        };
        client.events.clear();
        client.ftp.AppendUpload(local.toStdString(), remote);
        EXPECT_EQ(client.events, (Lines{"start", "stop", "success 10"}));
        EXPECT_EQ(client.ftp.DataConnection(), nullptr);
        EXPECT_GE(packets, 1);
        EXPECT_EQ(client.ftp.BytesTotal(), int64_t(bytes.size()));
        std::string address = client.ftp.LocalAddressText();
        EXPECT_EQ(address, "127,0,0,1");
        client.ftp.CloseSocket();
        peer.Finish();
        Lines received = peer.Received();
        ASSERT_EQ(received.size(), 4u);
        EXPECT_EQ(received[2].rfind("PORT " + address + ",", 0), 0u);
        EXPECT_EQ(received[3], "APPE " + (remote.empty() ? std::string("_temp.dat") : remote));
        EXPECT_EQ(data.size(), bytes.size());
        EXPECT_TRUE(data == bytes);
    }
}

// A passive upload connects to the logged-in host at the reply's port, whatever address the
// reply names; a malformed reply or one out of range ends the upload before any connect.
TEST(FtpUpload, PassiveRepliesGoodAndBad) {
    QTemporaryDir dir;
    std::string bytes = Cp932Text("パッシブ\r\n");
    QString local = WriteUploadFile(dir, bytes);
    for (const char* address : {"127,0,0,1", "10,9,8,7"}) {
        std::string data;
        ScriptedPeer peer([&](PeerConnection& c) {
            PeerLogIn(c);
            data = PeerUpload(c, "226 stored\r\n", true, address);
        });
        Client client(peer.Port());
        client.ftp.SetPassive(true);
        client.ftp.Connect();
        client.ftp.AppendUpload(local.toStdString(), "/ranking/cocktail/10.log");
        EXPECT_EQ(client.events, (Lines{"connect", "start", "stop", "success 10"})) << address;
        client.ftp.CloseSocket();
        peer.Finish();
        EXPECT_TRUE(data == bytes) << address;
        EXPECT_EQ(peer.Received()[2], "PASV");
    }
    for (const char* reply : {"227 Entering Passive Mode (garbage)\r\n",
                              "227 Entering Passive Mode (127,0,0,1,300,1)\r\n",
                              "227 Entering Passive Mode (127,0,0,1,4,-1)\r\n",
                              "227 Entering Passive Mode (127,0,0,1,0,0)\r\n"}) {
        ScriptedPeer peer([&](PeerConnection& c) {
            PeerLogIn(c);
            c.ReadLine();
            c.Send(reply);
            c.ReadAll();
        });
        Client client(peer.Port());
        client.ftp.SetPassive(true);
        client.ftp.Connect();
        std::string error = ErrorOf([&] { client.ftp.AppendUpload(local.toStdString(), "x.log"); });
        EXPECT_EQ(error.rfind("Invalid Passive Mode Reply", 0), 0u) << reply;
        EXPECT_EQ(client.ftp.DataConnection(), nullptr);
        EXPECT_EQ(client.events, Lines{"connect"}) << reply;
    }
}

// Failing replies around the data, a refused "PORT ", "APPE " or "PASV", a 425 or 426 instead
// of the data connection, a failing completion, never end in OnSuccess.
TEST(FtpUpload, FailingRepliesNeverSucceed) {
    QTemporaryDir dir;
    QString local = WriteUploadFile(dir, "line\r\n");
    struct Case {
        const char* Name;
        bool Passive;
        std::function<void(PeerConnection&)> Script;
        std::string Error;
        Lines Events;
    };
    const Case cases[] = {
        {"552 after the data",
         false,
         [](PeerConnection& c) { PeerUpload(c, "552 quota exceeded\r\n", false); },
         "552 quota exceeded\r\n",
         {"start", "stop", "failure 10"}},
        {"451 completion",
         true,
         [](PeerConnection& c) { PeerUpload(c, "451 local error\r\n", true); },
         "451 local error\r\n",
         {"start", "stop", "failure 10"}},
        {"150 then 425",
         false,
         [](PeerConnection& c) {
             c.ReadLine();
             c.Send("200 PORT ok\r\n");
             c.ReadLine();
             c.Send("150 opening\r\n");
             c.Pause(50);
             c.Send("425 cannot open data connection\r\n");
             c.ReadAll();
         },
         "425 cannot open data connection\r\n",
         {"failure 10"}},
        {"150 then 426",
         false,
         [](PeerConnection& c) {
             c.ReadLine();
             c.Send("200 PORT ok\r\n");
             c.ReadLine();
             c.Send("150 opening\r\n426 aborted\r\n");
             c.ReadAll();
         },
         "426 aborted\r\n",
         {"failure 10"}},
        {"PORT refused",
         false,
         [](PeerConnection& c) {
             c.ReadLine();
             c.Send("501 bad port\r\n");
             c.ReadAll();
         },
         "501 bad port\r\n",
         {"failure 10"}},
        {"APPE unsupported",
         false,
         [](PeerConnection& c) {
             c.ReadLine();
             c.Send("200 PORT ok\r\n");
             c.ReadLine();
             c.Send("502 no appending\r\n");
             c.ReadAll();
         },
         "502 no appending\r\n",
         {"unsupported 10", "failure 10"}},
        {"PASV refused",
         true,
         [](PeerConnection& c) {
             c.ReadLine();
             c.Send("500 no passive\r\n");
             c.ReadAll();
         },
         "500 no passive\r\n",
         {"failure 10"}},
        {"no data connection",
         false,
         [](PeerConnection& c) {
             c.ReadLine();
             c.Send("200 PORT ok\r\n");
             c.ReadLine();
             c.Send("150 opening\r\n");
             c.ReadAll();
         },
         "Accepting Timed Out",
         {}},
    };
    for (const Case& k : cases) {
        for (bool handle : {false, true}) {
            ScriptedPeer peer([&](PeerConnection& c) {
                PeerLogIn(c);
                k.Script(c);
            });
            Client client(peer.Port(), 400);
            client.ftp.SetPassive(k.Passive);
            client.ftp.OnFailure = [&](bool& handled, TCmdType kind) {
                client.events.push_back("failure " + Client::Kind(kind));
                handled = handle;
            };
            client.ftp.Connect();
            client.events.clear();
            QElapsedTimer clock;
            clock.start();
            std::string error =
                ErrorOf([&] { client.ftp.AppendUpload(local.toStdString(), "x.log"); });
            bool handledFailure = handle && !k.Events.empty();
            EXPECT_EQ(error, handledFailure ? "" : k.Error) << k.Name;
            EXPECT_EQ(client.events, k.Events) << k.Name;
            EXPECT_EQ(client.ftp.DataConnection(), nullptr);
            EXPECT_LT(clock.elapsed(), 2000) << k.Name;
        }
    }
}

// A Cancel just before the file data ends the upload as canceled, with nothing sent and no
// success reported.
TEST(FtpUpload, CancelBeforeTheDataIsNoSuccess) {
    QTemporaryDir dir;
    QString local = WriteUploadFile(dir, "never sent\r\n");
    std::string data = "untouched";
    ScriptedPeer peer([&](PeerConnection& c) {
        PeerLogIn(c);
        data = PeerUpload(c, "226 stored\r\n", true);
    });
    Client client(peer.Port());
    client.ftp.SetPassive(true);
    client.ftp.Connect();
    client.ftp.OnTransactionStart = [&](QObject*) { client.ftp.Cancel(); };
    EXPECT_EQ(ErrorOf([&] { client.ftp.AppendUpload(local.toStdString(), "x.log"); }),
              "Upload Canceled");
    EXPECT_EQ(client.events, Lines{"connect"});
    EXPECT_FALSE(client.ftp.Canceled());
    client.ftp.CloseSocket();
    peer.Finish();
    EXPECT_EQ(data, "");
}

// Abort from an event stops a running data transfer; the control connection stays usable.
TEST(FtpUpload, AbortStopsTheDataTransfer) {
    QTemporaryDir dir;
    QString local = WriteUploadFile(dir, std::string(32 << 20, 'q'));
    ScriptedPeer peer([](PeerConnection& c) {
        PeerLogIn(c);
        c.ReadLine();
        c.Send("227 Entering Passive Mode " + PasvTuple(c.ListenData()) + "\r\n");
        c.ReadLine();
        c.Send("150 go ahead\r\n");
        c.Pause(3000);
    });
    Client client(peer.Port(), 0);
    client.ftp.SetPassive(true);
    client.ftp.Connect();
    client.ftp.OnTransactionStart = [&](QObject*) {
        QTimer::singleShot(100, [&] { client.ftp.Abort(); });
    };
    EXPECT_EQ(ErrorOf([&] { client.ftp.AppendUpload(local.toStdString(), "big.log"); }),
              "Socket send aborted");
    EXPECT_TRUE(client.ftp.Connected());
    EXPECT_EQ(client.ftp.DataConnection(), nullptr);
}

// A server that resets the data connection mid-transfer is reported as a reset, in either mode.
TEST(FtpUpload, ResetMidTransferReadsAsAReset) {
    QTemporaryDir dir;
    QString local = WriteUploadFile(dir, std::string(32 << 20, 'r'));
    for (bool passive : {true, false}) {
        ScriptedPeer peer([&](PeerConnection& c) {
            PeerLogIn(c);
            std::string command = c.ReadLine();
            if (passive) {
                c.Send("227 Entering Passive Mode " + PasvTuple(c.ListenData()) + "\r\n");
            } else {
                c.Send("200 PORT ok\r\n");
            }
            c.ReadLine();
            c.Send("150 go ahead\r\n");
            if (passive)
                c.AcceptData(5000, 1 << 20);
            else
                c.ConnectData(Field(command, 2), 5000, 1 << 20);
            c.ReadAll();
        });
        Client client(peer.Port());
        client.ftp.SetPassive(passive);
        client.ftp.Connect();
        EXPECT_EQ(ErrorOf([&] { client.ftp.AppendUpload(local.toStdString(), "x.log"); }),
                  "10054:Connection reset by peer")
            << passive;
        EXPECT_EQ(client.events, (Lines{"connect", "start"}));
    }
}

// Fields are counted from 1 between delimiters; a missing field is empty.
TEST(FtpFields, NthField) {
    const std::string pasv = "227 Entering Passive Mode (10,0,0,1,19,137)";
    EXPECT_EQ(TFtpClient::NthField("USER x", ' ', 1), "USER");
    EXPECT_EQ(TFtpClient::NthField("USER x", ' ', 2), "x");
    EXPECT_EQ(TFtpClient::NthField("USER x", ' ', 3), "");
    EXPECT_EQ(TFtpClient::NthField(pasv, ',', 6), "137)");
    EXPECT_EQ(TFtpClient::NthField(pasv, ',', 5), "19");
    EXPECT_EQ(TFtpClient::NthField(pasv, ',', 1), "227 Entering Passive Mode (10");
    EXPECT_EQ(TFtpClient::NthField("", ',', 1), "");
    EXPECT_EQ(TFtpClient::NthField("a,,b", ',', 2), "");
    EXPECT_EQ(TFtpClient::NthField("a,,b", ',', 3), "b");
}
