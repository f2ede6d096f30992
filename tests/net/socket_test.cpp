// The socket component against scripted peers: look-up, connect, time-outs, line reads, sends,
// listen and accept, error texts and the status trace.
#include <gtest/gtest.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cerrno>

#include "net/socket.h"
#include "platform/timer.h"
#include "platform/winsock.h"
#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {

void ConnectTo(TSocket& socket, int port) {
    socket.SetHost("127.0.0.1");
    socket.SetPort(port);
    socket.SetTimeOut(3000);
    socket.Connect();
}

// A name that cannot exist (a label longer than 63 characters): the resolver refuses it at once,
// without asking a name server that a test machine may not reach.
const std::string NoSuchHost = std::string(70, 'x') + ".invalid";
const std::string NoSuchOtherHost = std::string(70, 'y') + ".invalid";

}  // namespace

// The error texts are the table's, found through the Linux error numbers they stand for.
TEST(SocketErrors, LinuxErrorsReadAsTheSocketLayerTexts) {
    struct Case {
        int Errno;
        const char* Text;
    };
    const Case cases[] = {
        {ECONNREFUSED, "10061:Connection refused"},
        {ETIMEDOUT, "10060:Connection timed out"},
        {ECONNRESET, "10054:Connection reset by peer"},
        {ENOTCONN, "10057:Socket is not connected"},
        {EAGAIN, "10035:Operation would block"},
        {EADDRINUSE, "10048:Address already in use"},
        {EHOSTUNREACH, "10065:No route to Host"},
        {ENETUNREACH, "10051:Network is unreachable"},
        {EMFILE, "10024:Too many open files"},
        {EPIPE, "10054:Connection reset by peer"},
        {ENOMEM, "10055:No buffer space available"},
        {EPERM, "10013:Permission denied"},
        {ENOKEY, "Unknown Error No. 10226"},
    };
    TSocket socket;
    for (const Case& c : cases)
        EXPECT_EQ(socket.LookupErrorMessage(WsaErrorFromErrno(c.Errno)), c.Text) << c.Errno;
}

// Numbers of the look-up and of the table's edges keep their texts; others say they are unknown.
TEST(SocketErrors, TableEdgesAndUnknownNumbers) {
    TSocket socket;
    EXPECT_EQ(socket.LookupErrorMessage(0), "");
    EXPECT_EQ(socket.LookupErrorMessage(10004), "10004:Interrupted system call");
    EXPECT_EQ(socket.LookupErrorMessage(10093), "10093:Successful WSAStartup not yet performed");
    EXPECT_EQ(socket.LookupErrorMessage(11001), "11001:Host not found");
    EXPECT_EQ(socket.LookupErrorMessage(11003),
              "11003:Non-Recoverable error: FORMERR, REFUSED, NOTIMP");
    EXPECT_EQ(socket.LookupErrorMessage(11004),
              "11004:Valid name, no data record of requested type");
    EXPECT_EQ(socket.LookupErrorMessage(10107), "Unknown Error No. 10107");
    EXPECT_EQ(socket.LookupErrorMessage(10072), "Unknown Error No. 10072");
}

// A failing socket call fires OnError with the number and text, then raises that text.
TEST(SocketErrors, FailingCallFiresOnErrorThenRaises) {
    TSocket socket;
    int seen = 0;
    std::string seenText;
    socket.OnError = [&](QObject*, uint16_t number, const std::string& text) {
        seen = number;
        seenText = text;
    };
    EXPECT_EQ(ErrorOf([&] { socket.Read(0); }), "10057:Socket is not connected");
    EXPECT_EQ(seen, 10057);
    EXPECT_EQ(seenText, "10057:Socket is not connected");
    EXPECT_EQ(socket.LastErrorNo(), 10057);
}

// The first component starts the socket layer and describes it; a second one only counts.
TEST(SocketLife, FirstComponentDescribesTheSocketLayer) {
    int before = TSocket::WinsockUsers();
    auto first = std::make_unique<TSocket>();
    TSocket second;
    EXPECT_EQ(TSocket::WinsockUsers(), before + 2);
    if (before == 0) {
        ASSERT_EQ(first->WinsockInfo().size(), 6u);
        EXPECT_EQ(first->WinsockInfo()[0], "Version= 1.1");
        EXPECT_EQ(first->WinsockInfo()[1], "High Version= 1.1");
        EXPECT_EQ(first->WinsockInfo()[2].rfind("Description= POSIX sockets, Linux", 0), 0u);
        EXPECT_EQ(first->WinsockInfo()[3], "System= Running");
        EXPECT_GT(std::stoi(first->WinsockInfo()[4].substr(13)), 0);
        EXPECT_EQ(first->WinsockInfo()[5], "Max Udp pack size= 65507");
    }
    EXPECT_TRUE(second.WinsockInfo().empty());
    first.reset();
    EXPECT_EQ(TSocket::WinsockUsers(), before + 1);
}

// A dotted address connects without a look-up; a name is looked up and reported first.
TEST(SocketConnect, DottedAddressSkipsTheLookUpAndNamesAreResolved) {
    for (const char* host : {"127.0.0.1", "localhost"}) {
        ScriptedPeer peer([](PeerConnection& c) { c.ReadAll(); });
        TSocket socket;
        int resolved = 0, connected = 0;
        socket.OnHostResolved = [&](QObject*) { ++resolved; };
        socket.OnConnect = [&](QObject*) { ++connected; };
        socket.SetHost(host);
        socket.SetPort(peer.Port());
        socket.SetTimeOut(3000);
        socket.Connect();
        EXPECT_TRUE(socket.Connected()) << host;
        EXPECT_EQ(connected, 1) << host;
        EXPECT_EQ(resolved, std::string(host) == "localhost" ? 1 : 0) << host;
        EXPECT_EQ(socket.RemoteAddress().sin_addr.s_addr, htonl(INADDR_LOOPBACK)) << host;
        EXPECT_EQ(ErrorOf([&] { socket.Connect(); }), "Already connected");
    }
}

// A refused connect fails after OnConnectionFailed with the connect notice's error kept.
TEST(SocketConnect, ClosedPortFails) {
    TSocket socket;
    int failed = 0;
    socket.OnConnectionFailed = [&](QObject*) { ++failed; };
    std::string error = ErrorOf([&] { ConnectTo(socket, FreePort()); });
    if (error == "Connection Failed") {
        EXPECT_EQ(failed, 1);
        EXPECT_EQ(socket.LastErrorNo(), 10061);
    } else {
        EXPECT_EQ(error, "10061:Connection refused");
    }
    EXPECT_FALSE(socket.Connected());
}

// A connect nobody answers ends after TimeOut, preceded by OnConnectionFailed.
TEST(SocketConnect, UnansweredConnectTimesOut) {
    FullListener silent;
    TSocket socket;
    int failed = 0;
    socket.OnConnectionFailed = [&](QObject*) { ++failed; };
    socket.SetHost("127.0.0.1");
    socket.SetPort(silent.Port());
    socket.SetTimeOut(50);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(ErrorOf([&] { socket.Connect(); }), "Connection Timed out");
    EXPECT_GE(clock.elapsed(), 45);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(failed, 1);
    EXPECT_TRUE(socket.TimedOut());
}

// Cancel from an event handler ends a waiting connect, even one without a time-out.
TEST(SocketConnect, CancelFromAnEventEndsTheWait) {
    FullListener silent;
    TSocket socket;
    socket.SetHost("127.0.0.1");
    socket.SetPort(silent.Port());
    QTimer::singleShot(50, [&] { socket.Cancel(); });
    EXPECT_EQ(ErrorOf([&] { socket.Connect(); }), "Connection Canceled");
}

// A host without an address gives "Null Remote Address" and keeps the look-up's error number;
// OnInvalidHost gets one chance to name another host.
TEST(SocketConnect, UnresolvableHostAndOneRetry) {
    ScriptedPeer peer([](PeerConnection& c) { c.ReadAll(); });
    TSocket socket;
    socket.SetHost(NoSuchHost);
    socket.SetPort(peer.Port());
    socket.SetTimeOut(10000);
    EXPECT_EQ(ErrorOf([&] { socket.Connect(); }), "Null Remote Address");
    EXPECT_EQ(socket.LastErrorNo(), 11001);
    EXPECT_EQ(socket.LookupErrorMessage(socket.LastErrorNo()), "11001:Host not found");

    int calls = 0;
    socket.OnInvalidHost = [&](bool& handled) {
        ++calls;
        socket.SetHost(calls == 1 ? NoSuchOtherHost : "127.0.0.1");
        handled = true;
    };
    EXPECT_EQ(ErrorOf([&] { socket.Connect(); }), "Null Remote Address");
    EXPECT_EQ(calls, 1);
    calls = 1;
    socket.SetHost(NoSuchHost);
    socket.OnInvalidHost = [&](bool& handled) {
        socket.SetHost("127.0.0.1");
        handled = true;
    };
    socket.Connect();
    EXPECT_TRUE(socket.Connected());

    // A retried look-up that is canceled ends Connect with its own text.
    TSocket canceled;
    canceled.SetHost(NoSuchHost);
    canceled.OnInvalidHost = [&](bool& handled) {
        canceled.Cancel();
        handled = true;
    };
    EXPECT_EQ(ErrorOf([&] { canceled.Connect(); }), "Host Lookup Canceled");
}

// With a proxy the connect goes to the proxy, and the host is not looked up at all.
TEST(SocketConnect, ProxyTakesThePlaceOfTheHost) {
    ScriptedPeer proxy([](PeerConnection& c) { c.ReadAll(); });
    TSocket socket;
    int resolved = 0;
    socket.OnHostResolved = [&](QObject*) { ++resolved; };
    socket.SetHost(NoSuchHost);
    socket.SetPort(1);
    socket.SetProxy("127.0.0.1");
    socket.SetProxyPort(proxy.Port());
    socket.SetTimeOut(3000);
    socket.Connect();
    EXPECT_TRUE(socket.Connected());
    EXPECT_EQ(resolved, 0);
}

// After Disconnect, and after the peer's close, the component has a fresh socket and connects
// again.
TEST(SocketConnect, ReconnectsAfterEitherSideCloses) {
    ScriptedPeer first([](PeerConnection& c) { c.ReadAll(); });
    TSocket socket;
    int disconnects = 0;
    socket.OnDisconnect = [&](QObject*) { ++disconnects; };
    ConnectTo(socket, first.Port());
    socket.Disconnect();
    EXPECT_FALSE(socket.Connected());
    EXPECT_EQ(disconnects, 1);
    EXPECT_NE(socket.SocketHandle(), InvalidSocket);

    ScriptedPeer second([](PeerConnection& c) { c.Close(); });
    ConnectTo(socket, second.Port());
    QElapsedTimer clock;
    clock.start();
    while (socket.Connected() && clock.elapsed() < 3000) QCoreApplication::processEvents();
    EXPECT_FALSE(socket.Connected());
    EXPECT_EQ(disconnects, 2);

    ScriptedPeer third([](PeerConnection& c) { c.ReadAll(); });
    ConnectTo(socket, third.Port());
    EXPECT_TRUE(socket.Connected());
}

// Destroying a connected component resets the connection without OnDisconnect or OnStatus.
TEST(SocketLife, DestructionResetsSilently) {
    std::string seen = "none";
    ScriptedPeer peer([&](PeerConnection& c) {
        c.ReadLine(3000);
        seen = c.ReadAll(3000);
    });
    int events = 0;
    {
        TSocket socket;
        ConnectTo(socket, peer.Port());
        socket.Writeln("hello");
        socket.SetReportLevel(8);
        socket.OnDisconnect = [&](QObject*) { ++events; };
        socket.OnStatus = [&](QObject*, const std::string&) { ++events; };
    }
    EXPECT_TRUE(peer.Finish());
    EXPECT_EQ(events, 0);
    EXPECT_EQ(peer.Received(), std::vector<std::string>{"hello"});
}

// The time-out timer repeats until switched off, also while the game's window timers are manual,
// and a failure in its handler reaches the application's error box instead of ending the program.
TEST(ThreadTimer, RepeatsAndHandsFailuresToTheApplication) {
    ScriptedBoxes boxes;
    TTimer::SetManual(true);
    struct Automatic {
        ~Automatic() { TTimer::SetManual(false); }
    } automatic;
    TThreadTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    int ticks = 0;
    timer.SetInterval(10);
    timer.SetOnTimer([&](QObject* sender) {
        EXPECT_EQ(sender, &timer);
        if (++ticks == 3) throw Exception("timer handler failed");
    });
    QElapsedTimer clock;
    clock.start();
    while (ticks < 4 && clock.elapsed() < 3000) QCoreApplication::processEvents();
    timer.SetEnabled(false);
    int seen = ticks;
    clock.restart();
    while (clock.elapsed() < 50) QCoreApplication::processEvents();
    EXPECT_EQ(ticks, seen);
    EXPECT_GE(ticks, 4);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Text, "timer handler failed");
}
