// The socket component's life, host look-up, connect and close, tracing and time-out.
#include "net/socket.h"

#include <arpa/inet.h>

#include <QCoreApplication>
#include <cstring>

#include "net/sockwindow.h"
#include "platform/winsock.h"

int TSocket::WinsockUsers = 0;

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
    : QObject(owner), WorkBuffer(WorkBufferSize + 4), SocketHandle(InvalidSocket) {
    ReportStatus(8, "Create");
    NotifyWindow = std::make_unique<TSockWindow>(this);
    LookupBuffer.assign(LookupBufferSize, 0);
    TimeoutTimer = std::make_unique<TThreadTimer>();
    TimeoutTimer->SetEnabled(false);
    TimeoutTimer->SetOnTimer([this](QObject* sender) { TimerTriggered(sender); });
    InitializeWinsock();
}

TSocket::~TSocket() {
    Destroying = true;
    ReportStatus(8, "Destroy");
    TSocket::Abort();
    Cancel();
    WinsockInfo.clear();
    TimeoutTimer.reset();
    NotifyWindow.reset();
    FinalClose = true;
    CloseSocket();
    if (--WinsockUsers == 0) WsaCleanup();
}

void TSocket::InitializeWinsock() {
    ReportStatus(8, "Initializing Winsock");
    if (++WinsockUsers == 1) {
        TWsaData data;
        WsaStartup(0x0101, data);
        WinsockInfo.push_back("Version= " + VersionText(data.Version));
        WinsockInfo.push_back("High Version= " + VersionText(data.HighVersion));
        WinsockInfo.push_back("Description= " + data.Description);
        WinsockInfo.push_back("System= " + data.SystemStatus);
        WinsockInfo.push_back("Max Sockets= " + std::to_string(data.MaxSockets));
        WinsockInfo.push_back("Max Udp pack size= " + std::to_string(data.MaxUdpDg));
    }
    SocketHandle = SockCreate();
    if (SocketHandle == InvalidSocket) {
        if (--WinsockUsers == 0) WsaCleanup();
        throw ESockError("Initializaton of windows sockets failed");
    }
    // Closing this socket resets the connection instead of lingering.
    SockSetLinger(SocketHandle, true, 0);
    RegisterSocket(SocketHandle);
}

void TSocket::RegisterSocket(uint16_t s) {
    WsaAsyncSelect(s, NotifyWindow.get(), SockEventMessage, NoticeMask);
}

void TSocket::WaitPass(TWaitFor what, uint16_t alsoReadable) {
    if (what == TWaitFor::Time)
        SockWaitReady(InvalidSocket, false, 2);
    else
        SockWaitReady(SocketHandle, what == TWaitFor::Writable, 2, alsoReadable);
    QCoreApplication::processEvents();
}

bool TSocket::InputWaiting() {
    char byte;
    return SockRecv(SocketHandle, &byte, 1, true) >= 0 || WsaGetLastError() != WsaEWouldBlock;
}

void TSocket::ReportStatus(uint8_t Level, const std::string& Status) {
    if (Level > reportLevel_) return;
    try {
        LastStatus = Status;
        if (!Destroying && OnStatus) OnStatus(this, LastStatus);
    } catch (...) {
        // A faulty trace handler must not break the operation it watches.
    }
}

void TSocket::ResolveHost() {
    ReportStatus(8, "Resolve Host");
    const std::string& given = proxy_.empty() ? host_ : proxy_;
    size_t length = std::min(given.size(), size_t(WorkBufferSize - 1));
    std::memcpy(WorkBuffer.data(), given.data(), length);
    WorkBuffer[length] = 0;
    std::string name(WorkBuffer.data());
    in_addr_t dotted = inet_addr(name.c_str());
    if (dotted != INADDR_NONE) {
        RemoteAddress.sin_addr.s_addr = dotted;
        return;
    }
    RemoteAddress.sin_addr.s_addr = 0;
    TimerOn();
    WaitDone = false;
    WsaAsyncGetHostByName(NotifyWindow.get(), SockDoneMessage, name, LookupBuffer.data(),
                          LookupBufferSize);
    while (!WaitDone && !TimedOut && !Canceled) WaitPass(TWaitFor::Time);
    TimerOff();
    if (TimedOut) throw ELookupInterrupted("Host Lookup Timed Out");
    if (Canceled) throw ELookupInterrupted("Host Lookup Canceled");
    uint32_t count = 0;
    std::memcpy(&count, LookupBuffer.data(), 4);
    if (!LastEventOk || count == 0) {
        LastErrorNo = LastEventError;
        throw ESockError("Host Lookup Failed");
    }
    std::memcpy(&RemoteAddress.sin_addr.s_addr, LookupBuffer.data() + 4, 4);
    if (OnHostResolved) OnHostResolved(this);
}

void TSocket::Connect() {
    ReportStatus(8, "Connecting");
    Canceled = false;
    if (Connected) throw ESockError("Already connected");
    for (bool retried = false;; retried = true) {
        try {
            ResolveHost();
        } catch (const ELookupInterrupted&) {
            throw;
        } catch (const ESockError&) {
            // An answer without an address: the address stays 0.
        }
        if (RemoteAddress.sin_addr.s_addr != 0) break;
        bool handled = false;
        if (!retried && OnInvalidHost) OnInvalidHost(handled);
        if (!handled) throw ESockError("Null Remote Address");
    }
    RemoteAddress.sin_family = AF_INET;
    RemoteAddress.sin_port = htons(uint16_t(proxy_.empty() ? port_ : proxyPort_));
    WaitDone = false;
    LastEventOk = true;
    if (SockConnect(SocketHandle, RemoteAddress) == SocketError) CheckSocketError(WsaEWouldBlock);
    TimerOn();
    while (!Connected && !TimedOut && !Canceled && LastEventOk) WaitPass(TWaitFor::Writable);
    TimerOff();
    if (!TimedOut && !Canceled && LastEventOk) return;
    if (OnConnectionFailed) OnConnectionFailed(this);
    if (TimedOut) throw ESockError("Connection Timed out");
    if (Canceled) throw ESockError("Connection Canceled");
    LastErrorNo = LastEventError;
    throw ESockError("Connection Failed");
}

void TSocket::Disconnect() {
    ReportStatus(8, "Disconnecting");
    CloseSocket();
}

void TSocket::Abort() {
    ReportStatus(8, "Abort");
    Cancel();
}

void TSocket::Cancel() {
    ReportStatus(8, "Canceling");
    Canceled = true;
}

void TSocket::CheckConnection() {
    ReportStatus(8, "Checking Connection");
    for (bool second = false; !Connected; second = true) {
        bool handled = false;
        if (second || !OnConnectionRequired) throw Exception("Not Connected");
        OnConnectionRequired(handled);
        if (!handled) throw Exception("Not Connected");
    }
}

bool TSocket::DataAvailable() {
    ReportStatus(8, "Data Available");
    char byte;
    return SockRecv(SocketHandle, &byte, 1, true) >= 1;
}

void TSocket::ClearInput() {
    ReportStatus(8, "Clearing Input");
    std::vector<char> scratch(WorkBufferSize);
    SockRecv(SocketHandle, scratch.data(), WorkBufferSize, false);
}

void TSocket::CloseSocket() {
    ReportStatus(4, "Request Close Socket");
    Connected = false;
    if (SocketHandle == InvalidSocket) return;
    if (SockClose(SocketHandle) == SocketError) {
        CheckSocketError(WsaEWouldBlock);
        return;
    }
    SocketHandle = InvalidSocket;
    if (OnDisconnect && !Destroying) OnDisconnect(this);
    if (FinalClose) return;
    // A fresh socket, so that the component can connect again.
    SocketHandle = SockCreate();
    if (SocketHandle != InvalidSocket) RegisterSocket(SocketHandle);
}

void TSocket::TimerOn() {
    ReportStatus(8, "Timer On");
    TimedOut = false;
    TimeoutTimer->SetInterval(uint32_t(timeOut_));
    TimeoutTimer->SetEnabled(true);
}

void TSocket::TimerOff() {
    ReportStatus(8, "Timer Off");
    TimeoutTimer->SetEnabled(false);
}

void TSocket::TimerTriggered(QObject*) {
    ReportStatus(8, "Timer Triggered");
    TimerOff();
    TimedOut = true;
    WaitDone = true;
    Abort();
}

void TSocket::HandleSocketMessage(int Message, uint32_t LParam) {
    try {
        LastEventError = HighWord(LParam);
        LastEventOk = LastEventError == 0;
        if (Message == SockEventMessage) {
            switch (LowWord(LParam)) {
                case FdRead:
                    try {
                        if (DataArrivalHandler) DataArrivalHandler(this);
                    } catch (...) {
                        // The read handler's failure stays with the notification.
                    }
                    break;
                case FdAccept:
                    Connected = true;
                    if (AcceptHandler) AcceptHandler(this);
                    break;
                case FdConnect:
                    if (LastEventOk) {
                        Connected = true;
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
            WaitDone = true;
            if (LowWord(LParam) == FdAccept) Connected = true;
        }
    } catch (...) {
        // Notifications arrive from the event loop, where nobody could handle a failure.
    }
}
