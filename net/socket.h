// The event-driven TCP socket component: blocking-style look-up, connect, send, read and listen
// operations that keep the user interface running while they wait, with a level-filtered trace.
#pragma once

#include <netinet/in.h>

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/threadtimer.h"
#include "platform/exception.h"
#include "platform/winsock.h"

// A failure of the socket layer or of a socket operation.
class ESockError : public Exception {
  public:
    using Exception::Exception;
};

// A socket operation ended by Cancel (or by the time-out through Abort).
class EAbortError : public ESockError {
  public:
    using ESockError::ESockError;
};

// A host look-up ended by the time-out or by Cancel before any answer came; Connect passes it on,
// while it drops a look-up's other failures in favour of "Null Remote Address".
class ELookupInterrupted : public ESockError {
  public:
    using ESockError::ESockError;
};

// The trace's levels: a text is reported when its level is at most the component's report level.
enum TReportLevel : uint8_t {
    ReportNothing = 0,   // as a report level: no trace at all
    ReportProtocol = 1,  // the commands sent and the replies read
    ReportEvents = 4,    // the socket's own events: sending, accepting, closing
    ReportCalls = 8,     // every operation as it is called
};

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TOnErrorEvent =
    std::function<void(QObject* Sender, uint16_t Errno, const std::string& Errmsg)>;
using TOnHostResolved = std::function<void(QObject* Sender)>;
using TOnStatus = std::function<void(QObject* Sender, const std::string& Status)>;
using THandlerEvent = std::function<void(bool& Handled)>;

class TSockWindow;

class TSocket : public QObject {
  public:
    // Size of WorkBuffer without its spare bytes: the longest line, send and peek at once.
    static constexpr int WorkBufferSize = 65536;
    static constexpr int LookupBufferSize = 1024;

    explicit TSocket(QObject* owner = nullptr);
    ~TSocket() override;
    TSocket(const TSocket&) = delete;
    TSocket& operator=(const TSocket&) = delete;

    const std::string& Host() const { return host_; }
    void SetHost(const std::string& value) { host_ = value; }
    int Port() const { return port_; }
    void SetPort(int value) { port_ = value; }
    int TimeOut() const { return timeOut_; }
    // A negative time-out counts as none.
    void SetTimeOut(int value) { timeOut_ = value < 0 ? 0 : value; }
    int ReportLevel() const { return reportLevel_; }
    void SetReportLevel(int value) { reportLevel_ = value; }
    const std::string& Proxy() const { return proxy_; }
    void SetProxy(const std::string& value) { proxy_ = value; }
    int ProxyPort() const { return proxyPort_; }
    void SetProxyPort(int value) { proxyPort_ = value; }

    TNotifyEvent OnDisconnect;
    TNotifyEvent OnConnect;
    THandlerEvent OnInvalidHost;
    TOnHostResolved OnHostResolved;
    TOnStatus OnStatus;
    TNotifyEvent OnConnectionFailed;
    TOnErrorEvent OnError;
    THandlerEvent OnConnectionRequired;
    TNotifyEvent OnPacketRecvd;
    TNotifyEvent OnPacketSent;

    // The operations descendants override come first, as in the component's design.
    virtual uint16_t Accept();
    virtual void Connect();
    virtual void Disconnect();
    virtual std::string Transaction(const std::string& Command);
    virtual void Abort();
    void ResolveHost();
    void Cancel();
    void CheckConnection();
    bool DataAvailable();
    void ClearInput();
    void CloseSocket();

    // Tracing, errors and the time-out.
    void ReportStatus(TReportLevel Level, const std::string& Status);
    std::string CheckSocketError(int Expected);
    std::string LookupErrorMessage(int ErrorNo);
    void TimerOn();
    void TimerOff();
    void TimerTriggered(QObject* Sender);

    // Data: counts of 0 mean "up to the first zero byte" (SendBuffer) and "what is pending"
    // (Read).
    void SendBuffer(const char* Buffer, uint16_t Count);
    void Write(const std::string& Text);
    void Writeln(const std::string& Text);
    std::string ReadLn();
    std::string Read(uint16_t Count);
    void SendFile(const std::string& FileName);
    void Listen(bool UseDoneSignal);
    std::string LocalAddressText();
    std::string LocalPortText();
    // Closes the listening socket and goes on with `Accepted`, a connection that Accept returned.
    void InstallAccepted(uint16_t Accepted);

    // The private notifications of the socket layer, on the user-interface thread.
    void HandleSocketMessage(int Message, uint32_t LParam);

    // The number made of a reply line's leading digits (at most 10); 0 when there is none or
    // it does not fit 16 bits.
    static int16_t ReplyCode(const std::string& Line);

    // Components of the process that have started the socket layer.
    static int WinsockUsers() { return winsockUsers_; }
    // The socket layer's start-up description; filled only by the process's first component.
    const std::vector<std::string>& WinsockInfo() const { return winsockInfo_; }

    // The component's state, as its operations and notifications leave it.
    uint16_t SocketHandle() const { return socketHandle_; }
    const TThreadTimer& TimeoutTimer() const { return *timeoutTimer_; }
    const sockaddr_in& RemoteAddress() const { return remoteAddress_; }
    bool Connected() const { return connected_; }
    bool Canceled() const { return canceled_; }
    bool TimedOut() const { return timedOut_; }
    bool LastEventOk() const { return lastEventOk_; }
    bool WaitDone() const { return waitDone_; }
    int LastErrorNo() const { return lastErrorNo_; }
    const std::string& LastStatus() const { return lastStatus_; }
    int16_t ReplyNumber() const { return replyNumber_; }
    const std::string& TransactionReply() const { return transactionReply_; }
    int64_t BytesSent() const { return bytesSent_; }
    int64_t BytesTotal() const { return bytesTotal_; }

  protected:
    // One pass of a cooperative wait: at most 2 ms asleep (less when the socket, or the other
    // socket given, becomes ready), then the application's pending events.
    enum class TWaitFor { Time, Readable, Writable };
    void WaitPass(TWaitFor what, uint16_t alsoReadable = InvalidSocket);
    // A one-byte peek without a trace: true when data, the peer's close or an error waits.
    bool InputWaiting();

    void SetCanceled(bool value) { canceled_ = value; }
    void SetBytesTotal(int64_t value) { bytesTotal_ = value; }
    void SetDataArrivalHandler(TNotifyEvent handler) { dataArrivalHandler_ = std::move(handler); }
    // From here on no event fires: the component is being destroyed.
    void BeginDestruction() { destroying_ = true; }

  private:
    // Read, out-of-band, accept, connect and close; a component never asks for write notices.
    static constexpr int NoticeMask = FdRead | FdOob | FdAccept | FdConnect | FdClose;

    void InitializeWinsock();
    void RegisterSocket(uint16_t s);

    static int winsockUsers_;
    std::vector<std::string> winsockInfo_;
    std::vector<char> workBuffer_;
    std::vector<char> lookupBuffer_;
    uint16_t socketHandle_;
    std::unique_ptr<TSockWindow> notifyWindow_;
    std::unique_ptr<TThreadTimer> timeoutTimer_;
    sockaddr_in remoteAddress_{};
    bool connected_ = false;
    bool canceled_ = false;
    bool timedOut_ = false;
    bool lastEventOk_ = false;
    bool waitDone_ = false;
    bool finalClose_ = false;
    bool destroying_ = false;
    int lastErrorNo_ = 0;
    // The error number the last notification carried (a failed look-up's, for instance).
    int lastEventError_ = 0;
    std::string lastStatus_;
    int16_t replyNumber_ = 0;
    std::string transactionReply_;
    int64_t bytesSent_ = 0;
    int64_t bytesTotal_ = 0;
    TNotifyEvent dataArrivalHandler_;
    // Called on the accept notice of a socket that listens without the done signal.
    TNotifyEvent acceptHandler_;

    std::string host_;
    int port_ = 0;
    int timeOut_ = 0;
    int reportLevel_ = 0;
    std::string proxy_;
    int proxyPort_ = 0;
};
