// The FTP client's control connection: replies, log-in, commands and log-out.
#include "net/ftpclient.h"
#include "net/ftpreplyrules.h"
#include "net/steadyclock.h"
#include "platform/winsock.h"

namespace {
// A multi-line reply that grows beyond this is not going to end.
constexpr size_t MaxReplyBytes = 1 << 20;
}  // namespace

TFtpClient::TFtpClient(QObject* owner) : TSocket(owner) {
    SetPort(21);
    SetDataArrivalHandler([](QObject*) {});
}

TFtpClient::~TFtpClient() {
    // No "QUIT": the control socket lingers for 0 seconds, so the server sees a reset.
    BeginDestruction();
    Cancel();
    Abort();
}

std::string TFtpClient::NthField(const std::string& Text, char Delimiter, int N) {
    size_t start = 0;
    for (int field = 1; field < N; ++field) {
        size_t next = Text.find(Delimiter, start);
        if (next == std::string::npos) return "";
        start = next + 1;
    }
    if (N < 1 || start > Text.size()) return "";
    size_t end = Text.find(Delimiter, start);
    return Text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::vector<std::string> TFtpClient::ReadReplyLines(std::string Line) {
    std::vector<std::string> lines;
    size_t size = 0;
    int64_t start = SteadyMs();
    while (!Line.empty() && (Line[0] == ' ' || (Line.size() >= 4 && Line[3] == '-'))) {
        Line = ReadLn();
        if (!Line.empty()) ReportStatus(ReportProtocol, Line);
        lines.push_back(Line);
        size += Line.size();
        // Each line has its own time-out; these bound a server that keeps the reply going.
        if (size > MaxReplyBytes) throw ESockError("Reply Too Long");
        if (TimeOut() > 0 && SteadyMs() - start > TimeOut()) throw ESockError("Reply Timed Out");
    }
    return lines;
}

std::string TFtpClient::Transaction(const std::string& Command) {
    std::string first = TSocket::Transaction(Command);
    ReadReplyLines(first);
    return first;
}

std::string TFtpClient::Exchange(const std::string& command) {
    std::string reply = Transaction(command);
    // The server went away instead of answering; that is never a success.
    if (reply.empty()) throw ESockError("Connection Closed By Server");
    return reply;
}

void TFtpClient::CheckLogInReply(const std::string& reply) {
    if (!ReplyFails(TFtpStep::LogIn, ReplyNumber())) return;
    if (OnConnectionFailed) OnConnectionFailed(this);
    throw FTPException(reply);
}

void TFtpClient::Connect() {
    SetCanceled(false);
    if (Connected()) {
        // A server ends a session with a 421 and a close (vsftpd when it sat idle too long), and
        // the close goes unnoticed while that last reply waits unread: then log in afresh.
        if (!SockPeerClosed(SocketHandle())) return;
        TSocket::Disconnect();
    }
    ClearInput();
    TSocket::Connect();
    try {
        LogIn();
    } catch (const ESockError&) {
        // A server that stopped answering or went away would not answer "QUIT" either.
        TSocket::Disconnect();
        ReportStatus(ReportProtocol, "Disconnected");
        throw;
    } catch (...) {
        try {
            Disconnect();
        } catch (const ESockError&) {
            // The log-in's own failure tells more than a socket error of the clean-up.
        }
        ReportStatus(ReportProtocol, "Disconnected");
        throw;
    }
}

void TFtpClient::LogIn() {
    std::vector<std::string> greeting = ReadReplyLines(" ");
    if (greeting.empty() || greeting.front().empty())
        throw ESockError("Connection Closed By Server");
    if (ReplyFails(TFtpStep::Greeting, ReplyCode(greeting.front()))) {
        if (OnConnectionFailed) OnConnectionFailed(this);
        throw FTPException(greeting.front());
    }
    if (fwAuthenticate_) {
        CheckLogInReply(Exchange("USER " + fwUserId_));
        SendPasswordIfAsked(fwPassword_);
    }
    if ((userId_.empty() || password_.empty()) && OnAuthenticationNeeded) {
        bool handled = false;
        OnAuthenticationNeeded(handled);
    }
    if (!Proxy().empty()) {
        switch (firewallType_) {
            case FTUser:
                Exchange("USER " + userId_ + "@" + Host());
                break;
            case FtOpen:
                Exchange("OPEN " + Host());
                break;
            case FtSite:
                Exchange("SITE " + Host());
                break;
        }
    }
    if (Proxy().empty() || firewallType_ != FTUser) {
        ReportStatus(ReportProtocol, "USER " + userId_);
        CheckLogInReply(Exchange("USER " + userId_));
    }
    SendPasswordIfAsked(password_);
    if (OnConnect) OnConnect(this);
}

void TFtpClient::SendPasswordIfAsked(const std::string& password) {
    if (!ReplyAsksPassword(ReplyNumber())) return;
    // The password itself never goes into the trace.
    ReportStatus(ReportProtocol, "PASS ");
    CheckLogInReply(Exchange("PASS " + password));
}

void TFtpClient::Disconnect() {
    SetCanceled(false);
    if (!Connected()) return;
    ReportStatus(ReportProtocol, "QUIT");
    vendor_ = DefaultVendor;
    if (DataAvailable()) Read(0);
    std::string reply;
    try {
        reply = Transaction("QUIT");
    } catch (...) {
        TSocket::Disconnect();
        throw;
    }
    int16_t code = ReplyNumber();
    TSocket::Disconnect();
    if (ReplyFails(TFtpStep::Quit, code)) throw FTPException(reply);
}

void TFtpClient::Abort() {
    if (dataConnection_) dataConnection_->Cancel();
}

void TFtpClient::Fail(const std::string& reply, TCmdType kind) {
    bool handled = false;
    if (OnFailure) OnFailure(handled, kind);
    if (!handled) throw FTPException(reply);
}

void TFtpClient::RunCommand(const std::string& Command) {
    TCmdType kind = CtOther;
    std::string word = NthField(Command, ' ', 1) + " ";
    if (word == "CWD ")
        kind = CtCwd;
    else if (word == "DELE ")
        kind = CtDele;
    else if (word == "MKD ")
        kind = CtMkd;
    else if (word == "RMD ")
        kind = CtRmd;
    else if (Command == "PWD")
        kind = CtPwd;
    SetCanceled(false);
    CheckConnection();
    ReportStatus(ReportProtocol, Command);
    if (DataAvailable()) Read(0);
    std::string reply = Exchange(Command);
    if (ReplyFails(TFtpStep::Command, ReplyNumber())) {
        if (ReplyUnsupported(ReplyNumber()) && OnUnSupportedFunction) OnUnSupportedFunction(kind);
        Fail(reply, kind);
        return;
    }
    if (OnSuccess) OnSuccess(kind);
}

void TFtpClient::SetTransferType(int Kind) {
    switch (Kind) {
        case TransferAscii:
            RunCommand("TYPE A");
            break;
        case TransferImage:
            RunCommand("TYPE I");
            break;
        case TransferLocal8:
            RunCommand("TYPE L 8");
            break;
        default:
            break;
    }
}
