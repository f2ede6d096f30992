// The socket layer under the socket component: POSIX non-blocking TCP sockets dressed as the
// asynchronous Windows Sockets 1.1 calls the component is built around.
#pragma once

#include <netinet/in.h>

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <string>

// Socket handles are 16 bits wide; this one means "no socket".
constexpr uint16_t InvalidSocket = 0xFFFF;
constexpr int SocketError = -1;

// Event codes of the notifications, as bits of a registration mask.
constexpr int FdRead = 1;
constexpr int FdWrite = 2;
constexpr int FdOob = 4;
constexpr int FdAccept = 8;
constexpr int FdConnect = 16;
constexpr int FdClose = 32;

// Error numbers of the socket layer that the component tests for by number.
constexpr int WsaEWouldBlock = 10035;
constexpr int WsaENotConn = 10057;

// The private notifications, numbered from Qt's first user event type.
constexpr int SockEventMessage = QEvent::User + 101;
constexpr int SockDoneMessage = QEvent::User + 102;

inline uint16_t LowWord(uint32_t value) { return static_cast<uint16_t>(value & 0xFFFF); }
inline uint16_t HighWord(uint32_t value) { return static_cast<uint16_t>(value >> 16); }
inline uint32_t MakeLong(uint16_t low, uint16_t high) { return low | (uint32_t(high) << 16); }

// One notification as the receiver sees it: the socket (or look-up request) and a long
// parameter with the event code in its low word and the error number in its high word.
class TSockMessage : public QEvent {
  public:
    TSockMessage(int message, uint16_t wParam, uint32_t lParam, uint64_t serial)
        : QEvent(static_cast<QEvent::Type>(message)),
          WParam(wParam),
          LParam(lParam),
          Serial(serial) {}
    uint16_t WParam;
    uint32_t LParam;
    // Which registration or request sent it, so that notices of a closed socket are dropped.
    uint64_t Serial;
};

// True while the registration or look-up request that posted the message still stands.
bool SockMessageCurrent(const TSockMessage& message);

// What the start-up of the socket layer tells about it.
struct TWsaData {
    uint16_t Version = 0;
    uint16_t HighVersion = 0;
    std::string Description;
    std::string SystemStatus;
    int MaxSockets = 0;
    int MaxUdpDg = 0;
};

int WsaStartup(uint16_t requested, TWsaData& data);
int WsaCleanup();
// The error number of the last failed call on this thread, in the Windows Sockets numbering.
int WsaGetLastError();
// Linux error numbers in the Windows Sockets numbering; unknown ones land at 10100 + errno.
int WsaErrorFromErrno(int errnoValue);

// A new TCP stream socket, or InvalidSocket (also when the descriptor does not fit 16 bits).
uint16_t SockCreate();
int SockSetLinger(uint16_t s, bool on, int seconds);
// Posts `message` to `receiver` for the events of `mask`; replaces an earlier registration.
int WsaAsyncSelect(uint16_t s, QObject* receiver, int message, int mask);
// Non-blocking: a connect under way fails with would-block, as on Windows.
int SockConnect(uint16_t s, const sockaddr_in& address);
int SockBind(uint16_t s, const sockaddr_in& address);
int SockListen(uint16_t s, int backlog);
// The new socket, or InvalidSocket; the pending-connection notice is re-armed.
uint16_t SockAccept(uint16_t s, sockaddr_in* peer);
int SockSend(uint16_t s, const char* buffer, int length);
// Every receive, peeks included, re-arms the data notice, as on Windows.
int SockRecv(uint16_t s, char* buffer, int length, bool peek);
int SockClose(uint16_t s);
int SockGetSockName(uint16_t s, sockaddr_in* address);
// True when the peer has closed its side or the connection broke, also while data the peer sent
// before its close is still unread.
bool SockPeerClosed(uint16_t s);
// Waits at most `ms` for the socket to become readable (or writable), or `alsoReadable` readable;
// a short sleep that ends early when a socket is ready.
void SockWaitReady(uint16_t s, bool forWrite, int ms, uint16_t alsoReadable = InvalidSocket);

// Starts looking `name` up on a helper thread; the answer arrives at `receiver` as `message`
// with the error number in the high word, and its addresses are then in `hostEntry` (a count
// and IPv4 addresses in network order, as many as fit). A newer request of the same receiver
// replaces an older one.
void WsaAsyncGetHostByName(QObject* receiver, int message, const std::string& name, char* hostEntry,
                           int size);
// Forgets the registrations and look-up requests of a receiver that goes away.
void WsaForgetReceiver(QObject* receiver);
