// The socket calls and the error numbering of the socket layer, on POSIX sockets.
#include "platform/winsock.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <map>

#include "platform/sockwatch.h"

namespace {
thread_local int lastError = 0;

int Fail(int errnoValue) {
    lastError = WsaErrorFromErrno(errnoValue);
    return SocketError;
}

int Result(int rc) { return rc < 0 ? Fail(errno) : rc; }
}  // namespace

int WsaErrorFromErrno(int errnoValue) {
    static const std::map<int, int> table = {
        {EINTR, 10004},
        {EBADF, 10009},
        {EACCES, 10013},
        {EPERM, 10013},
        {EFAULT, 10014},
        {EINVAL, 10022},
        {EMFILE, 10024},
        {ENFILE, 10024},
        {EAGAIN, WsaEWouldBlock},
        {EINPROGRESS, 10036},
        {EALREADY, 10037},
        {ENOTSOCK, 10038},
        {EDESTADDRREQ, 10039},
        {EMSGSIZE, 10040},
        {EPROTOTYPE, 10041},
        {ENOPROTOOPT, 10042},
        {EPROTONOSUPPORT, 10043},
        {ESOCKTNOSUPPORT, 10044},
        {EOPNOTSUPP, 10045},
        {EPFNOSUPPORT, 10046},
        {EAFNOSUPPORT, 10047},
        {EADDRINUSE, 10048},
        {EADDRNOTAVAIL, 10049},
        {ENETDOWN, 10050},
        {ENETUNREACH, 10051},
        {ENETRESET, 10052},
        {ECONNABORTED, 10053},
        {ECONNRESET, 10054},
        {ENOBUFS, 10055},
        {ENOMEM, 10055},
        {EISCONN, 10056},
        {ENOTCONN, WsaENotConn},
        {ESHUTDOWN, 10058},
        {ETOOMANYREFS, 10059},
        {ETIMEDOUT, 10060},
        {ECONNREFUSED, 10061},
        {ELOOP, 10062},
        {ENAMETOOLONG, 10063},
        {EHOSTDOWN, 10064},
        {EHOSTUNREACH, 10065},
        {ENOTEMPTY, 10066},
        {EUSERS, 10068},
        {EDQUOT, 10069},
        {ESTALE, 10070},
        {EREMOTE, 10071},
        // Nothing here shuts its own sending side, so a broken pipe is the peer's reset.
        {EPIPE, 10054},
    };
    if (errnoValue == 0) return 0;
    auto found = table.find(errnoValue);
    return found != table.end() ? found->second : 10100 + errnoValue;
}

int WsaGetLastError() { return lastError; }

int WsaStartup(uint16_t requested, TWsaData& data) {
    data.Version = requested;
    data.HighVersion = 0x0101;
    utsname host{};
    uname(&host);
    data.Description = std::string("POSIX sockets, ") + host.sysname + " " + host.release;
    data.SystemStatus = "Running";
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    // Handles are 16 bits wide, so no more sockets than that can be told apart.
    data.MaxSockets = files.rlim_cur < 0xFFFF ? int(files.rlim_cur) : 0xFFFF;
    data.MaxUdpDg = 65507;
    return 0;
}

int WsaCleanup() { return 0; }

namespace {
// A new descriptor as a socket number; one beyond the numbers a socket can have is given back.
uint16_t AsSocket(int fd) {
    if (fd < 0) return Fail(errno), InvalidSocket;
    if (fd >= InvalidSocket) {
        close(fd);
        Fail(EMFILE);
        return InvalidSocket;
    }
    return static_cast<uint16_t>(fd);
}
}  // namespace

uint16_t SockCreate() {
    return AsSocket(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP));
}

int SockSetLinger(uint16_t s, bool on, int seconds) {
    linger option{on ? 1 : 0, seconds};
    return Result(setsockopt(s, SOL_SOCKET, SO_LINGER, &option, sizeof option));
}

int SockConnect(uint16_t s, const sockaddr_in& address) {
    int rc = connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (rc == 0 || errno == EINPROGRESS) WatchConnecting(s);
    if (rc < 0 && errno == EINPROGRESS) return Fail(EAGAIN);
    return Result(rc);
}

int SockBind(uint16_t s, const sockaddr_in& address) {
    return Result(bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address));
}

int SockListen(uint16_t s, int backlog) {
    int rc = listen(s, backlog);
    if (rc == 0) WatchListening(s);
    return Result(rc);
}

uint16_t SockAccept(uint16_t s, sockaddr_in* peer) {
    socklen_t length = sizeof *peer;
    int fd = accept4(s, reinterpret_cast<sockaddr*>(peer), &length, SOCK_NONBLOCK | SOCK_CLOEXEC);
    WatchRearm(s);
    return AsSocket(fd);
}

int SockSend(uint16_t s, const char* buffer, int length) {
    return Result(int(send(s, buffer, size_t(length), MSG_NOSIGNAL)));
}

int SockRecv(uint16_t s, char* buffer, int length, bool peek) {
    int rc = int(recv(s, buffer, size_t(length), MSG_DONTWAIT | (peek ? MSG_PEEK : 0)));
    int saved = errno;
    WatchRearm(s);
    return rc < 0 ? Fail(saved) : rc;
}

int SockClose(uint16_t s) {
    WatchDrop(s);
    return Result(close(s));
}

int SockGetSockName(uint16_t s, sockaddr_in* address) {
    socklen_t length = sizeof *address;
    return Result(getsockname(s, reinterpret_cast<sockaddr*>(address), &length));
}

bool SockPeerClosed(uint16_t s) {
    pollfd entry{s, POLLRDHUP, 0};
    return poll(&entry, 1, 0) > 0 && (entry.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

void SockWaitReady(uint16_t s, bool forWrite, int ms, uint16_t alsoReadable) {
    if (s == InvalidSocket) {
        usleep(useconds_t(ms) * 1000);
        return;
    }
    pollfd entries[] = {{s, short(forWrite ? POLLOUT : POLLIN), 0}, {alsoReadable, POLLIN, 0}};
    poll(entries, alsoReadable == InvalidSocket ? 1 : 2, ms);
}
