// The socket component's data operations: sends, line and block reads, transactions, file
// sends, and listening for and accepting a connection.
#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <cstring>

#include "net/socket.h"
#include "net/sockwindow.h"
#include "net/steadyclock.h"
#include "platform/cp932.h"
#include "platform/winsock.h"

namespace {

// Runs a step's closing action however the step ends.
template <typename F>
class Finally {
  public:
    explicit Finally(F action) : action_(action) {}
    ~Finally() { action_(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

  private:
    F action_;
};

}  // namespace

void TSocket::SendBuffer(const char* Buffer, uint16_t Count) {
    ReportStatus(4, "Sending Buffer");
    TimerOn();
    Finally off([this] { TimerOff(); });
    size_t remaining = 0;
    if (!Canceled) {
        remaining = Count != 0 ? Count : strnlen(Buffer, 0xFFFF);
        while (remaining > 0 && !Canceled && !TimedOut) {
            int sent = SockSend(SocketHandle, Buffer, int(remaining));
            if (sent == 0) break;
            if (sent < 0) {
                CheckSocketError(WsaEWouldBlock);
                // The send buffer is full: wait for room while the time-out can still fire.
                WaitPass(TWaitFor::Writable);
                continue;
            }
            Buffer += sent;
            remaining -= size_t(sent);
        }
    }
    if (Canceled) {
        Canceled = false;
        throw EAbortError("Socket send aborted");
    }
    if (remaining > 0 && TimedOut) throw ESockError("Socket send timed out");
}

void TSocket::Write(const std::string& Text) {
    ReportStatus(8, "Write");
    size_t length = std::min(Text.find('\0'), Text.size());
    if (length == 0) {
        WorkBuffer[0] = 0;
        SendBuffer(WorkBuffer.data(), 0);
        return;
    }
    // A text longer than the work buffer goes out in pieces that each fit a send count.
    for (size_t offset = 0; offset < length;) {
        size_t piece = std::min(length - offset, size_t(0xFFFF));
        std::memcpy(WorkBuffer.data(), Text.data() + offset, piece);
        WorkBuffer[piece] = 0;
        SendBuffer(WorkBuffer.data(), uint16_t(piece));
        offset += piece;
    }
}

void TSocket::Writeln(const std::string& Text) {
    ReportStatus(8, "Writeln");
    Write(Text + "\r\n");
}

std::string TSocket::ReadLn() {
    ReportStatus(8, "ReadLn");
    TimerOn();
    Finally off([this] { TimerOff(); });
    std::string line;
    int taken = 0;
    int lineEnd = -1;
    for (;;) {
        if (taken >= WorkBufferSize) throw ESockError("Reply Line Too Long");
        char* free = WorkBuffer.data() + taken;
        int peeked = SockRecv(SocketHandle, free, WorkBufferSize - taken, true);
        if (peeked == 0) return "";
        if (peeked < 0) {
            LastErrorNo = WsaGetLastError();
            if (LastErrorNo == WsaENotConn) break;
            CheckSocketError(WsaEWouldBlock);
        } else {
            // Bytes before `taken` were searched on earlier passes.
            if (auto* lf = static_cast<char*>(std::memchr(free, '\n', size_t(peeked)))) {
                lineEnd = int(lf - WorkBuffer.data());
                break;
            }
            int got = SockRecv(SocketHandle, free, peeked, false);
            if (got > 0) {
                line.append(free, size_t(got));
                taken += got;
            }
        }
        if (Canceled || TimedOut) break;
        WaitPass(TWaitFor::Readable);
        if (Canceled || TimedOut) break;
    }
    if (Canceled) {
        Canceled = false;
        throw EAbortError("Socket readln aborted");
    }
    if (lineEnd < 0) {
        if (TimedOut) throw ESockError("Socket readln timed out");
        return line;
    }
    char* rest = WorkBuffer.data() + taken;
    int got = SockRecv(SocketHandle, rest, lineEnd + 1 - taken, false);
    if (got > 0) line.append(rest, size_t(got));
    return line;
}

std::string TSocket::Read(uint16_t Count) {
    ReportStatus(8, "Read( " + std::to_string(Count) + " )");
    int count = Count;
    if (count > 0) {
        for (;;) {
            int pending = SockRecv(SocketHandle, WorkBuffer.data(), WorkBufferSize, true);
            if (pending >= count) break;
            if (pending == 0) return "";
            if (pending < 0) CheckSocketError(WsaEWouldBlock);
            WaitPass(pending < 0 ? TWaitFor::Readable : TWaitFor::Time);
            if (Canceled) break;
        }
    } else {
        int pending = SockRecv(SocketHandle, WorkBuffer.data(), WorkBufferSize, true);
        if (pending < 0) {
            CheckSocketError(WsaEWouldBlock);
            return "";
        }
        count = pending;
    }
    if (Canceled) {
        Canceled = false;
        throw EAbortError("Socket send aborted");
    }
    std::string bytes(size_t(count), '\0');
    int got = count > 0 ? SockRecv(SocketHandle, bytes.data(), count, false) : 0;
    bytes.resize(size_t(std::max(got, 0)));
    return bytes;
}

int16_t TSocket::ReplyCode(const std::string& Line) {
    size_t digits = 0;
    while (digits < Line.size() && digits < 10 && Line[digits] >= '0' && Line[digits] <= '9')
        ++digits;
    if (digits == 0) return 0;
    long long value = std::stoll(Line.substr(0, digits));
    return value <= 32767 ? int16_t(value) : 0;
}

std::string TSocket::Transaction(const std::string& Command) {
    ReportStatus(8, "Transaction");
    ReplyNumber = 0;
    Writeln(Command);
    TransactionReply = ReadLn();
    if (!TransactionReply.empty()) {
        ReportStatus(1, TransactionReply);
        ReplyNumber = ReplyCode(TransactionReply);
    }
    return TransactionReply;
}

void TSocket::SendFile(const std::string& FileName) {
    ReportStatus(8, "SendFile");
    int file = open(QFile::encodeName(FromCp932(FileName)).constData(), O_RDONLY | O_CLOEXEC);
    if (file < 0) throw IoError("open", FileName, errno);
    Finally closing([file] { close(file); });
    struct stat info {};
    fstat(file, &info);
    int64_t position = 0;
    // A send that makes no progress for TimeOut ends the transfer instead of waiting for ever.
    int64_t lastProgress = SteadyMs();
    while (position < info.st_size && !Canceled) {
        ssize_t chunk = read(file, WorkBuffer.data(), WorkBufferSize);
        if (chunk < 0) throw IoError("read", FileName, errno);
        if (chunk == 0) break;
        position += chunk;
        const char* next = WorkBuffer.data();
        int remaining = int(chunk);
        while (remaining > 0 && !Canceled) {
            int sent = SockSend(SocketHandle, next, remaining);
            if (sent == 0) break;
            if (sent < 0) {
                CheckSocketError(WsaEWouldBlock);
                if (timeOut_ > 0 && SteadyMs() - lastProgress >= timeOut_)
                    throw ESockError("Socket send timed out");
                WaitPass(TWaitFor::Writable);
                continue;
            }
            BytesSent += sent;
            remaining -= sent;
            next += sent;
            lastProgress = SteadyMs();
            if (OnPacketSent) OnPacketSent(this);
            QCoreApplication::processEvents();
        }
    }
    if (Canceled) {
        Canceled = false;
        throw EAbortError("Socket send aborted");
    }
}

void TSocket::Listen(bool UseDoneSignal) {
    ReportStatus(8, "Listening");
    RemoteAddress = sockaddr_in{};
    RemoteAddress.sin_family = AF_INET;
    RemoteAddress.sin_port = htons(uint16_t(port_));
    RemoteAddress.sin_addr.s_addr = htonl(INADDR_ANY);
    WaitDone = false;
    SockBind(SocketHandle, RemoteAddress);
    WsaAsyncSelect(SocketHandle, NotifyWindow.get(),
                   UseDoneSignal ? SockDoneMessage : SockEventMessage, FdAccept);
    SockListen(SocketHandle, 1);
}

uint16_t TSocket::Accept() {
    ReportStatus(4, "Accepting");
    // Bounded by TimeOut, so that a server that never connects does not hold the wait for ever.
    TimerOn();
    Finally off([this] { TimerOff(); });
    while (!WaitDone && !Canceled) WaitPass(TWaitFor::Readable);
    if (TimedOut) {
        // The time-out set these, not a connection.
        Canceled = false;
        WaitDone = false;
        throw ESockError("Accepting Timed Out");
    }
    if (Canceled) throw ESockError("Accepting Canceled");
    if (!LastEventOk) throw ESockError("Error creating Data Connection");
    sockaddr_in peer{};
    uint16_t accepted = SockAccept(SocketHandle, &peer);
    if (accepted == InvalidSocket) {
        CheckSocketError(WsaEWouldBlock);
        throw ESockError("Error creating Data Connection");
    }
    RegisterSocket(accepted);
    RemoteAddress = peer;
    if (Canceled) {
        Canceled = false;
        SockClose(accepted);
        throw EAbortError("Socket send aborted");
    }
    return accepted;
}

void TSocket::InstallAccepted(uint16_t Accepted) {
    SockClose(SocketHandle);
    SocketHandle = Accepted;
}

std::string TSocket::LocalAddressText() {
    sockaddr_in local{};
    SockGetSockName(SocketHandle, &local);
    std::string text = inet_ntoa(local.sin_addr);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

std::string TSocket::LocalPortText() {
    sockaddr_in local{};
    SockGetSockName(SocketHandle, &local);
    uint16_t port = ntohs(local.sin_port);
    return "," + std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
}
