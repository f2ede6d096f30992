// The socket component's data operations against scripted peers: lines, blocks, sends, files,
// listen and accept, and the trace by report level.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <set>
#include <thread>

#include "net/socket.h"
#include "platform/winsock.h"
#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {

void ConnectTo(TSocket& socket, int port, int timeOut = 3000) {
    socket.SetHost("127.0.0.1");
    socket.SetPort(port);
    socket.SetTimeOut(timeOut);
    socket.Connect();
}

std::string Text(size_t size, char first = 'a') {
    std::string text(size, ' ');
    for (size_t i = 0; i < size; ++i) text[i] = char(first + i % 26);
    return text;
}

}  // namespace

// A line comes out whole however the peer cuts it, and bytes after its LF wait for the next read.
TEST(SocketReadLn, LinesAcrossAndWithinSegments) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.Send("220 hel");
        c.Pause(60);
        c.Send("lo\r\n331 next\r\nonly lf\n");
        c.Pause(60);
        c.Send("no end");
        c.Pause(60);
        c.Close();
    });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    EXPECT_EQ(socket.ReadLn(), "220 hello\r\n");
    EXPECT_EQ(socket.ReadLn(), "331 next\r\n");
    EXPECT_EQ(socket.ReadLn(), "only lf\n");
    // The peer closes with a line unfinished: no line, and the time-out is off again.
    EXPECT_EQ(socket.ReadLn(), "");
    EXPECT_FALSE(socket.TimeoutTimer().Enabled());
}

// A line that does not fit the work buffer is an error, not an overflow.
TEST(SocketReadLn, OverlongLineIsAnError) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.Send(Text(70 * 1024) + "\r\n");
        c.ReadAll(3000);
    });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    EXPECT_EQ(ErrorOf([&] { socket.ReadLn(); }), "Reply Line Too Long");
}

// A line of just under the buffer size still arrives whole.
TEST(SocketReadLn, LineFillingTheBufferArrives) {
    std::string line = Text(65534) + "\r\n";
    ScriptedPeer peer([&](PeerConnection& c) {
        c.Send(line);
        c.ReadAll(3000);
    });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    EXPECT_EQ(socket.ReadLn(), line);
}

// The time-out and Cancel end a line wait as "aborted" and leave Canceled clear again.
TEST(SocketReadLn, TimeOutAndCancelAbortTheWait) {
    ScriptedPeer peer([](PeerConnection& c) { c.ReadAll(5000); });
    TSocket socket;
    ConnectTo(socket, peer.Port(), 100);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ErrorOf([&] { socket.ReadLn(); }), "Socket readln aborted");
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_TRUE(socket.TimedOut());
    EXPECT_FALSE(socket.Canceled());

    socket.SetTimeOut(0);
    QTimer::singleShot(50, [&] { socket.Cancel(); });
    EXPECT_EQ(ErrorOf([&] { socket.ReadLn(); }), "Socket readln aborted");
    EXPECT_FALSE(socket.Canceled());
}

// A transaction takes the reply's leading number when it fits 16 bits, and traces the line.
TEST(SocketTransaction, ReplyNumbers) {
    struct Case {
        const char* Reply;
        int Number;
    };
    const Case cases[] = {{"331 Password required\r\n", 331},
                          {"Hello 200\r\n", 0},
                          {"250\r\n", 250},
                          {"99999 too big\r\n", 0},
                          {"032767 x\r\n", 32767}};
    ScriptedPeer peer([&](PeerConnection& c) {
        for (const Case& k : cases) {
            c.ReadLine();
            c.Send(k.Reply);
        }
        c.ReadAll();
    });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    socket.SetReportLevel(1);
    std::vector<std::string> trace;
    socket.OnStatus = [&](QObject*, const std::string& text) { trace.push_back(text); };
    for (const Case& k : cases) {
        EXPECT_EQ(socket.Transaction("CMD"), k.Reply);
        EXPECT_EQ(socket.ReplyNumber(), k.Number) << k.Reply;
        EXPECT_EQ(socket.TransactionReply(), k.Reply);
        EXPECT_EQ(trace.back(), k.Reply);
    }
}

// Write sends the text up to its first zero byte, long texts included, byte for byte.
TEST(SocketWrite, SendsUpToTheFirstZeroByteAndLongTextsWhole) {
    std::string big = Text(200 * 1024, 'A');
    std::string got;
    ScriptedPeer peer([&](PeerConnection& c) { got = c.ReadAll(); });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    socket.Write(std::string("ab\0cd", 5));
    socket.Write(big);
    socket.Writeln("end");
    // The first socket resets on close; a graceful close lets every byte arrive.
    SockSetLinger(socket.SocketHandle(), false, 0);
    socket.Disconnect();
    ASSERT_TRUE(peer.Finish());
    EXPECT_EQ(got.size(), 2 + big.size() + 5);
    EXPECT_TRUE(got == "ab" + big + "end\r\n");
}

// Read(0) takes what is pending; Read(n) waits for n bytes; a closed peer gives nothing.
TEST(SocketRead, CountedAndPendingBlocks) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.Send("abc");
        c.ReadLine();
        c.Send("def");
        c.Pause(80);
        c.Send("gh");
        c.ReadLine();
        c.Close();
    });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    QElapsedTimer clock;
    clock.start();
    while (!socket.DataAvailable() && clock.elapsed() < 3000) QCoreApplication::processEvents();
    EXPECT_EQ(socket.Read(0), "abc");
    socket.Writeln("more");
    EXPECT_EQ(socket.Read(5), "defgh");
    socket.Writeln("close");
    EXPECT_EQ(socket.Read(4), "");
}

// SendFile sends a file's every byte, counts them and reports each packet; an empty file sends
// nothing; a missing one fails before anything is sent.
TEST(SocketSendFile, WholeFilesEmptyFilesAndMissingOnes) {
    QTemporaryDir dir;
    std::string bytes;
    for (int i = 0; i < 300000; ++i) bytes += char(i * 7 % 256);
    WriteFileBytes(dir.filePath("data.bin"), bytes);
    WriteFileBytes(dir.filePath("empty.bin"), "");
    std::string got;
    ScriptedPeer peer([&](PeerConnection& c) { got = c.ReadAll(); });
    TSocket socket;
    ConnectTo(socket, peer.Port());
    int packets = 0;
    socket.OnPacketSent = [&](QObject* sender) {
        EXPECT_EQ(sender, &socket);
        ++packets;
    };
    socket.SendFile(dir.filePath("empty.bin").toStdString());
    EXPECT_EQ(socket.BytesSent(), 0);
    socket.SendFile(dir.filePath("data.bin").toStdString());
    EXPECT_THROW(socket.SendFile(dir.filePath("missing.bin").toStdString()), EInOutError);
    SockSetLinger(socket.SocketHandle(), false, 0);
    socket.Disconnect();
    ASSERT_TRUE(peer.Finish());
    EXPECT_EQ(socket.BytesSent(), int64_t(bytes.size()));
    EXPECT_GE(packets, 5);
    EXPECT_EQ(got.size(), bytes.size());
    EXPECT_TRUE(got == bytes);
}

// A send the peer never takes ends after TimeOut without progress instead of hanging.
TEST(SocketSendFile, StalledSendEndsAfterTheTimeOut) {
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath("big.bin"), std::string(32 << 20, 'x'));
    ScriptedPeer peer([](PeerConnection& c) { c.Pause(8000); });
    TSocket socket;
    ConnectTo(socket, peer.Port(), 300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ErrorOf([&] { socket.SendFile(dir.filePath("big.bin").toStdString()); }),
              "Socket send timed out");
    EXPECT_LT(clock.elapsed(), 4000);
    EXPECT_GT(socket.BytesSent(), 0);
}

// Listen with the done signal, then Accept hands over the caller's connection and its address.
TEST(SocketListen, AcceptsAConnectionAndTellsItsAddress) {
    TSocket listener;
    listener.SetTimeOut(3000);
    listener.Listen(true);
    std::string port = listener.LocalPortText();
    int p1 = 0, p2 = 0;
    ASSERT_EQ(std::sscanf(port.c_str(), ",%d,%d", &p1, &p2), 2);
    TSocket caller;
    ConnectTo(caller, p1 * 256 + p2);
    uint16_t accepted = listener.Accept();
    ASSERT_NE(accepted, InvalidSocket);
    EXPECT_EQ(listener.RemoteAddress().sin_addr.s_addr, htonl(INADDR_LOOPBACK));
    EXPECT_EQ(caller.LocalAddressText(), "127,0,0,1");
    caller.Writeln("over");
    char buffer[16] = {};
    QElapsedTimer clock;
    clock.start();
    int n = -1;
    while (n < 0 && clock.elapsed() < 3000) n = SockRecv(accepted, buffer, 6, false);
    EXPECT_EQ(std::string(buffer, 6), "over\r\n");
    SockClose(accepted);
}

// The local port reads as its high byte, then its low byte, as "PORT " wants it; in a network
// of the test's own every one of these ports is free.
TEST(SocketListen, PortTextIsHighByteThenLowByte) {
    OwnNetwork network;
    if (!network.Entered()) GTEST_SKIP() << "a network namespace of its own needs root";
    struct Case {
        int Port;
        const char* Text;
    };
    for (const Case& k :
         {Case{21, ",0,21"}, Case{256, ",1,0"}, Case{5001, ",19,137"}, Case{65535, ",255,255"}}) {
        TSocket listener;
        listener.SetPort(k.Port);
        listener.Listen(false);
        EXPECT_EQ(listener.LocalPortText(), k.Text);
    }
}

// An Accept that nobody connects to ends after TimeOut, and Cancel ends it at once.
TEST(SocketListen, AcceptWaitsAreBounded) {
    TSocket listener;
    listener.SetTimeOut(100);
    listener.Listen(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ErrorOf([&] { listener.Accept(); }), "Accepting Timed Out");
    EXPECT_LT(clock.elapsed(), 1000);
    listener.SetTimeOut(0);
    QTimer::singleShot(30, [&] { listener.Cancel(); });
    EXPECT_EQ(ErrorOf([&] { listener.Accept(); }), "Accepting Canceled");
}

// Each report level passes exactly the texts up to its level: 0 nothing, 1 reply lines, 4 socket
// steps, 8 everything.
TEST(SocketTrace, LevelsFilterTheTexts) {
    const std::set<std::string> level4 = {"Sending Buffer", "Request Close Socket"};
    const std::set<std::string> level8 = {"Connecting", "Transaction",   "Writeln",
                                          "Write",      "ReadLn",        "Timer On",
                                          "Timer Off",  "Disconnecting", "Resolve Host"};
    for (int level : {0, 1, 4, 8}) {
        ScriptedPeer peer([](PeerConnection& c) {
            c.ReadLine();
            c.Send("200 fine\r\n");
            c.ReadAll();
        });
        TSocket socket;
        socket.SetReportLevel(level);
        std::vector<std::string> trace;
        socket.OnStatus = [&](QObject*, const std::string& text) { trace.push_back(text); };
        ConnectTo(socket, peer.Port());
        socket.Transaction("NOOP");
        socket.Disconnect();
        std::set<std::string> seen(trace.begin(), trace.end());
        EXPECT_EQ(seen.count("200 fine\r\n"), level >= 1 ? 1u : 0u) << level;
        for (const std::string& text : level4) EXPECT_EQ(seen.count(text), level >= 4 ? 1u : 0u);
        for (const std::string& text : level8) EXPECT_EQ(seen.count(text), level >= 8 ? 1u : 0u);
        size_t known = 0;
        for (const std::string& text : seen)
            known += text == "200 fine\r\n" || level4.count(text) || level8.count(text);
        EXPECT_EQ(known, seen.size()) << level;
        if (level > 0) {
            EXPECT_EQ(socket.LastStatus(), trace.back());
        }
    }
}

// A trace handler that throws does not disturb the operation it traces.
TEST(SocketTrace, FailingHandlerIsIgnored) {
    ScriptedPeer peer([](PeerConnection& c) { c.ReadAll(); });
    TSocket socket;
    socket.SetReportLevel(8);
    socket.OnStatus = [](QObject*, const std::string&) { throw std::runtime_error("trace"); };
    ConnectTo(socket, peer.Port());
    EXPECT_TRUE(socket.Connected());
}
