// The socket component's life, host look-up, connect and close, tracing and time-out.
#include "net/socket.h"

#include <arpa/inet.h>

#include <QCoreApplication>
#include <cstring>

#include "net/sockwindow.h"
#include "platform/winsock.h"

int TSocket::winsockUsers_ = 0;

namespace {
std::string VersionText(uint16_t version) {
    return std::to_string(version >> 8) + "." + std::to_string(version & 0xFF);
}
}  // namespace

TSockWindow::~TSockWindow() { WsaForgetReceiver(this); }

bool TSockWindow::event(QEvent* event) {
    auto* message = dynamic_cast<TSockMessage*>(event);
    if (!message) return QObject::event(event);
    if (SockMessageCurrent(*message)) owner_->HandleSocketMessage(message->type(), message->LParam);
    return true;
}

TSocket::TSocket(QObject* owner)
    : QObject(owner), workBuffer_(WorkBufferSize + 4), socketHandle_(InvalidSocket) {
    ReportStatus(ReportCalls, "Create");
    notifyWindow_ = std::make_unique<TSockWindow>(this);
    lookupBuffer_.assign(LookupBufferSize, 0);
    timeoutTimer_ = std::make_unique<TThreadTimer>();
    timeoutTimer_->SetEnabled(false);
    timeoutTimer_->SetOnTimer([this](QObject* sender) { TimerTriggered(sender); });
    InitializeWinsock();
}

TSocket::~TSocket() {
    destroying_ = true;
    ReportStatus(ReportCalls, "Destroy");
    TSocket::Abort();
    Cancel();
    winsockInfo_.clear();
    timeoutTimer_.reset();
    notifyWindow_.reset();
    finalClose_ = true;
    CloseSocket();
    if (--winsockUsers_ == 0) WsaCleanup();
}

void TSocket::InitializeWinsock() {
    ReportStatus(ReportCalls, "Initializing Winsock");
    if (++winsockUsers_ == 1) {
        TWsaData data;
        WsaStartup(0x0101, data);
        winsockInfo_.push_back("Version= " + VersionText(data.Version));
        winsockInfo_.push_back("High Version= " + VersionText(data.HighVersion));
        winsockInfo_.push_back("Description= " + data.Description);
        winsockInfo_.push_back("System= " + data.SystemStatus);
        winsockInfo_.push_back("Max Sockets= " + std::to_string(data.MaxSockets));
        winsockInfo_.push_back("Max Udp pack size= " + std::to_string(data.MaxUdpDg));
    }
    socketHandle_ = SockCreate();
    if (socketHandle_ == InvalidSocket) {
        if (--winsockUsers_ == 0) WsaCleanup();
        throw ESockError("Initializaton of windows sockets failed");
    }
    // Closing this socket resets the connection instead of lingering.
    SockSetLinger(socketHandle_, true, 0);
    RegisterSocket(socketHandle_);
}

void TSocket::RegisterSocket(uint16_t s) {
    WsaAsyncSelect(s, notifyWindow_.get(), SockEventMessage, NoticeMask);
}

void TSocket::WaitPass(TWaitFor what, uint16_t alsoReadable) {
    if (what == TWaitFor::Time)
        SockWaitReady(InvalidSocket, false, 2);
    else
        SockWaitReady(socketHandle_, what == TWaitFor::Writable, 2, alsoReadable);
    QCoreApplication::processEvents();
}

bool TSocket::InputWaiting() {
    char byte;
    return SockRecv(socketHandle_, &byte, 1, true) >= 0 || WsaGetLastError() != WsaEWouldBlock;
}

void TSocket::ReportStatus(TReportLevel Level, const std::string& Status) {
    if (Level > reportLevel_) return;
    try {
        lastStatus_ = Status;
        if (!destroying_ && OnStatus) OnStatus(this, lastStatus_);
    } catch (...) {
        // A faulty trace handler must not break the operation it watches.
    }
}

void TSocket::ResolveHost() {
    ReportStatus(ReportCalls, "Resolve Host");
    const std::string& given = proxy_.empty() ? host_ : proxy_;
    size_t length = std::min(given.size(), size_t(WorkBufferSize - 1));
    std::memcpy(workBuffer_.data(), given.data(), length);
    workBuffer_[length] = 0;
    std::string name(workBuffer_.data());
    in_addr_t dotted = inet_addr(name.c_str());
    if (dotted != INADDR_NONE) {
        remoteAddress_.sin_addr.s_addr = dotted;
        return;
    }
    remoteAddress_.sin_addr.s_addr = 0;
    TimerOn();
    waitDone_ = false;
    WsaAsyncGetHostByName(notifyWindow_.get(), SockDoneMessage, name, lookupBuffer_.data(),
                          LookupBufferSize);
    while (!waitDone_ && !timedOut_ && !canceled_) WaitPass(TWaitFor::Time);
    TimerOff();
    if (timedOut_) throw ELookupInterrupted("Host Lookup Timed Out");
    if (canceled_) throw ELookupInterrupted("Host Lookup Canceled");
    uint32_t count = 0;
    std::memcpy(&count, lookupBuffer_.data(), 4);
    if (!lastEventOk_ || count == 0) {
        lastErrorNo_ = lastEventError_;
        throw ESockError("Host Lookup Failed");
    }
    std::memcpy(&remoteAddress_.sin_addr.s_addr, lookupBuffer_.data() + 4, 4);
    if (OnHostResolved) OnHostResolved(this);
}

void TSocket::Connect() {
    ReportStatus(ReportCalls, "Connecting");
    canceled_ = false;
    if (connected_) throw ESockError("Already connected");
    for (bool retried = false;; retried = true) {
        try {
            ResolveHost();
        } catch (const ELookupInterrupted&) {
            throw;
        } catch (const ESockError&) {
            // An answer without an address: the address stays 0.
        }
        if (remoteAddress_.sin_addr.s_addr != 0) break;
        bool handled = false;
        if (!retried && OnInvalidHost) OnInvalidHost(handled);
        if (!handled) throw ESockError("Null Remote Address");
    }
    remoteAddress_.sin_family = AF_INET;
    remoteAddress_.sin_port = htons(uint16_t(proxy_.empty() ? port_ : proxyPort_));
    waitDone_ = false;
    lastEventOk_ = true;
    if (SockConnect(socketHandle_, remoteAddress_) == SocketError) CheckSocketError(WsaEWouldBlock);
    TimerOn();
    while (!connected_ && !timedOut_ && !canceled_ && lastEventOk_) WaitPass(TWaitFor::Writable);
    TimerOff();
    if (!timedOut_ && !canceled_ && lastEventOk_) return;
    if (OnConnectionFailed) OnConnectionFailed(this);
    if (timedOut_) throw ESockError("Connection Timed out");
    if (canceled_) throw ESockError("Connection Canceled");
    lastErrorNo_ = lastEventError_;
    throw ESockError("Connection Failed");
}

void TSocket::Disconnect() {
    ReportStatus(ReportCalls, "Disconnecting");
    CloseSocket();
}

void TSocket::Abort() {
    ReportStatus(ReportCalls, "Abort");
    Cancel();
}

void TSocket::Cancel() {
    ReportStatus(ReportCalls, "Canceling");
    canceled_ = true;
}

void TSocket::CheckConnection() {
    ReportStatus(ReportCalls, "Checking Connection");
    for (bool second = false; !connected_; second = true) {
        bool handled = false;
        if (second || !OnConnectionRequired) throw Exception("Not Connected");
        OnConnectionRequired(handled);
        if (!handled) throw Exception("Not Connected");
    }
}

bool TSocket::DataAvailable() {
    ReportStatus(ReportCalls, "Data Available");
    char byte;
    return SockRecv(socketHandle_, &byte, 1, true) >= 1;
}

void TSocket::ClearInput() {
    ReportStatus(ReportCalls, "Clearing Input");
    std::vector<char> scratch(WorkBufferSize);
    SockRecv(socketHandle_, scratch.data(), WorkBufferSize, false);
}

void TSocket::CloseSocket() {
    ReportStatus(ReportEvents, "Request Close Socket");
    connected_ = false;
    if (socketHandle_ == InvalidSocket) return;
    if (SockClose(socketHandle_) == SocketError) {
        CheckSocketError(WsaEWouldBlock);
        return;
    }
    socketHandle_ = InvalidSocket;
    if (OnDisconnect && !destroying_) OnDisconnect(this);
    if (finalClose_) return;
    // A fresh socket, so that the component can connect again.
    socketHandle_ = SockCreate();
    if (socketHandle_ != InvalidSocket) RegisterSocket(socketHandle_);
}

void TSocket::TimerOn() {
    ReportStatus(ReportCalls, "Timer On");
    timedOut_ = false;
    timeoutTimer_->SetInterval(uint32_t(timeOut_));
    timeoutTimer_->SetEnabled(true);
}

void TSocket::TimerOff() {
    ReportStatus(ReportCalls, "Timer Off");
    timeoutTimer_->SetEnabled(false);
}

void TSocket::TimerTriggered(QObject*) {
    ReportStatus(ReportCalls, "Timer Triggered");
    TimerOff();
    timedOut_ = true;
    waitDone_ = true;
    Abort();
}

void TSocket::HandleSocketMessage(int Message, uint32_t LParam) {
    try {
        lastEventError_ = HighWord(LParam);
        lastEventOk_ = lastEventError_ == 0;
        if (Message == SockEventMessage) {
            switch (LowWord(LParam)) {
                case FdRead:
                    try {
                        if (dataArrivalHandler_) dataArrivalHandler_(this);
                    } catch (...) {
                        // The read handler's failure stays with the notification.
                    }
                    break;
                case FdAccept:
                    connected_ = true;
                    if (acceptHandler_) acceptHandler_(this);
                    break;
                case FdConnect:
                    if (lastEventOk_) {
                        connected_ = true;
                        if (OnConnect) OnConnect(this);
                    }
                    break;
                case FdClose:
                    // A close notice while unread data is pending leaves that data readable.
                    if (!DataAvailable()) CloseSocket();
                    break;
                default:
                    break;
            }
        } else if (Message == SockDoneMessage) {
            waitDone_ = true;
            if (LowWord(LParam) == FdAccept) connected_ = true;
        }
    } catch (...) {
        // Notifications arrive from the event loop, where nobody could handle a failure.
    }
}
