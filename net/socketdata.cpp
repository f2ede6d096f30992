// The socket component's data operations: sends, line and block reads, transactions, file
// sends, and listening for and accepting a connection.
#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstring>

#include "net/socket.h"
#include "net/sockwindow.h"
#include "net/steadyclock.h"
#include "platform/scopeguard.h"
#include "platform/winsock.h"

void TSocket::SendBuffer(const char* Buffer, uint16_t Count) {
    ReportStatus(ReportEvents, "Sending Buffer");
    TimerOn();
    const ScopeGuard off([this] { TimerOff(); });
    size_t remaining = 0;
    if (!canceled_) {
        remaining = Count != 0 ? Count : strnlen(Buffer, 0xFFFF);
        while (remaining > 0 && !canceled_ && !timedOut_) {
            int sent = SockSend(socketHandle_, Buffer, int(remaining));
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
    if (canceled_) {
        canceled_ = false;
        throw EAbortError("Socket send aborted");
    }
    if (remaining > 0 && timedOut_) throw ESockError("Socket send timed out");
}

void TSocket::Write(const std::string& Text) {
    ReportStatus(ReportCalls, "Write");
    size_t length = std::min(Text.find('\0'), Text.size());
    if (length == 0) {
        workBuffer_[0] = 0;
        SendBuffer(workBuffer_.data(), 0);
        return;
    }
    // A text longer than the work buffer goes out in pieces that each fit a send count.
    for (size_t offset = 0; offset < length;) {
        size_t piece = std::min(length - offset, size_t(0xFFFF));
        std::memcpy(workBuffer_.data(), Text.data() + offset, piece);
        workBuffer_[piece] = 0;
        SendBuffer(workBuffer_.data(), uint16_t(piece));
        offset += piece;
    }
}

void TSocket::Writeln(const std::string& Text) {
    ReportStatus(ReportCalls, "Writeln");
    Write(Text + "\r\n");
}

std::string TSocket::ReadLn() {
    ReportStatus(ReportCalls, "ReadLn");
    TimerOn();
    const ScopeGuard off([this] { TimerOff(); });
    std::string line;
    int taken = 0;
    int lineEnd = -1;
    for (;;) {
        if (taken >= WorkBufferSize) throw ESockError("Reply Line Too Long");
        char* free = workBuffer_.data() + taken;
        int peeked = SockRecv(socketHandle_, free, WorkBufferSize - taken, true);
        if (peeked == 0) return "";
        if (peeked < 0) {
            lastErrorNo_ = WsaGetLastError();
            if (lastErrorNo_ == WsaENotConn) break;
            CheckSocketError(WsaEWouldBlock);
        } else {
            // Bytes before `taken` were searched on earlier passes.
            if (auto* lf = static_cast<char*>(std::memchr(free, '\n', size_t(peeked)))) {
                lineEnd = int(lf - workBuffer_.data());
                break;
            }
            int got = SockRecv(socketHandle_, free, peeked, false);
            if (got > 0) {
                line.append(free, size_t(got));
                taken += got;
            }
        }
        if (canceled_ || timedOut_) break;
        WaitPass(TWaitFor::Readable);
        if (canceled_ || timedOut_) break;
    }
    if (canceled_) {
        canceled_ = false;
        throw EAbortError("Socket readln aborted");
    }
    if (lineEnd < 0) {
        if (timedOut_) throw ESockError("Socket readln timed out");
        return line;
    }
    char* rest = workBuffer_.data() + taken;
    int got = SockRecv(socketHandle_, rest, lineEnd + 1 - taken, false);
    if (got > 0) line.append(rest, size_t(got));
    return line;
}

std::string TSocket::Read(uint16_t Count) {
    ReportStatus(ReportCalls, "Read( " + std::to_string(Count) + " )");
    int count = Count;
    if (count > 0) {
        for (;;) {
            int pending = SockRecv(socketHandle_, workBuffer_.data(), WorkBufferSize, true);
            if (pending >= count) break;
            if (pending == 0) return "";
            if (pending < 0) CheckSocketError(WsaEWouldBlock);
            WaitPass(pending < 0 ? TWaitFor::Readable : TWaitFor::Time);
            if (canceled_) break;
        }
    } else {
        int pending = SockRecv(socketHandle_, workBuffer_.data(), WorkBufferSize, true);
        if (pending < 0) {
            CheckSocketError(WsaEWouldBlock);
            return "";
        }
        count = pending;
    }
    if (canceled_) {
        canceled_ = false;
        throw EAbortError("Socket send aborted");
    }
    std::string bytes(size_t(count), '\0');
    int got = count > 0 ? SockRecv(socketHandle_, bytes.data(), count, false) : 0;
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
    ReportStatus(ReportCalls, "Transaction");
    replyNumber_ = 0;
    Writeln(Command);
    transactionReply_ = ReadLn();
    if (!transactionReply_.empty()) {
        ReportStatus(ReportProtocol, transactionReply_);
        replyNumber_ = ReplyCode(transactionReply_);
    }
    return transactionReply_;
}

void TSocket::SendFile(const std::string& FileName) {
    ReportStatus(ReportCalls, "SendFile");
    int file = open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) throw IoError("open", FileName, errno);
    const ScopeGuard closing([file] { close(file); });
    struct stat info {};
    fstat(file, &info);
    int64_t position = 0;
    // A send that makes no progress for TimeOut ends the transfer instead of waiting for ever.
    int64_t lastProgress = SteadyMs();
    while (position < info.st_size && !canceled_) {
        ssize_t chunk = read(file, workBuffer_.data(), WorkBufferSize);
        if (chunk < 0) throw IoError("read", FileName, errno);
        if (chunk == 0) break;
        position += chunk;
        const char* next = workBuffer_.data();
        int remaining = int(chunk);
        while (remaining > 0 && !canceled_) {
            int sent = SockSend(socketHandle_, next, remaining);
            if (sent == 0) break;
            if (sent < 0) {
                CheckSocketError(WsaEWouldBlock);
                if (timeOut_ > 0 && SteadyMs() - lastProgress >= timeOut_)
                    throw ESockError("Socket send timed out");
                WaitPass(TWaitFor::Writable);
                continue;
            }
            bytesSent_ += sent;
            remaining -= sent;
            next += sent;
            lastProgress = SteadyMs();
            if (OnPacketSent) OnPacketSent(this);
            QCoreApplication::processEvents();
        }
    }
    if (canceled_) {
        canceled_ = false;
        throw EAbortError("Socket send aborted");
    }
}

void TSocket::Listen(bool UseDoneSignal) {
    ReportStatus(ReportCalls, "Listening");
    remoteAddress_ = sockaddr_in{};
    remoteAddress_.sin_family = AF_INET;
    remoteAddress_.sin_port = htons(uint16_t(port_));
    remoteAddress_.sin_addr.s_addr = htonl(INADDR_ANY);
    waitDone_ = false;
    SockBind(socketHandle_, remoteAddress_);
    WsaAsyncSelect(socketHandle_, notifyWindow_.get(),
                   UseDoneSignal ? SockDoneMessage : SockEventMessage, FdAccept);
    SockListen(socketHandle_, 1);
}

uint16_t TSocket::Accept() {
    ReportStatus(ReportEvents, "Accepting");
    // Bounded by TimeOut, so that a server that never connects does not hold the wait for ever.
    TimerOn();
    const ScopeGuard off([this] { TimerOff(); });
    while (!waitDone_ && !canceled_) WaitPass(TWaitFor::Readable);
    if (timedOut_) {
        // The time-out set these, not a connection.
        canceled_ = false;
        waitDone_ = false;
        throw ESockError("Accepting Timed Out");
    }
    if (canceled_) throw ESockError("Accepting Canceled");
    if (!lastEventOk_) throw ESockError("Error creating Data Connection");
    sockaddr_in peer{};
    uint16_t accepted = SockAccept(socketHandle_, &peer);
    if (accepted == InvalidSocket) {
        CheckSocketError(WsaEWouldBlock);
        throw ESockError("Error creating Data Connection");
    }
    RegisterSocket(accepted);
    remoteAddress_ = peer;
    if (canceled_) {
        canceled_ = false;
        SockClose(accepted);
        throw EAbortError("Socket send aborted");
    }
    return accepted;
}

void TSocket::InstallAccepted(uint16_t Accepted) {
    SockClose(socketHandle_);
    socketHandle_ = Accepted;
}

std::string TSocket::LocalAddressText() {
    sockaddr_in local{};
    SockGetSockName(socketHandle_, &local);
    std::string text = inet_ntoa(local.sin_addr);
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

std::string TSocket::LocalPortText() {
    sockaddr_in local{};
    SockGetSockName(socketHandle_, &local);
    uint16_t port = ntohs(local.sin_port);
    return "," + std::to_string(port >> 8) + "," + std::to_string(port & 0xFF);
}
