// Socket notifications: Qt socket notifiers watch each registered socket and post the events a
// Windows socket would post to its window, each at most once until the socket is used again.
#include <sys/socket.h>

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <map>
#include <memory>

#include "platform/sockwatch.h"
#include "platform/winsock.h"

namespace {

enum class WatchState { Idle, Connecting, Connected, Listening, Closed };

class SockWatch {
  public:
    SockWatch(uint16_t s, QObject* receiver, int message, int mask)
        : socket_(s),
          receiver_(receiver),
          message_(message),
          mask_(mask),
          serial_(NextSockSerial()),
          readable_(s, QSocketNotifier::Read),
          writable_(s, QSocketNotifier::Write) {
        QObject::connect(&readable_, &QSocketNotifier::activated, [this] { OnReadable(); });
        QObject::connect(&writable_, &QSocketNotifier::activated, [this] { OnWritable(); });
        sockaddr_storage peer{};
        socklen_t length = sizeof peer;
        int listening = 0;
        socklen_t optionLength = sizeof listening;
        if (getpeername(s, reinterpret_cast<sockaddr*>(&peer), &length) == 0)
            state_ = WatchState::Connected;
        else if (getsockopt(s, SOL_SOCKET, SO_ACCEPTCONN, &listening, &optionLength) == 0 &&
                 listening)
            state_ = WatchState::Listening;
        Arm();
    }

    uint64_t Serial() const { return serial_; }
    QObject* Receiver() const { return receiver_; }

    void SetState(WatchState state) {
        state_ = state;
        Arm();
    }

    // Wakes the read watch again after the socket was read or accepted from.
    void Rearm() {
        if (state_ == WatchState::Connected || state_ == WatchState::Listening) Arm();
    }

  private:
    void Arm() {
        bool reads = state_ == WatchState::Connected || state_ == WatchState::Listening;
        readable_.setEnabled(reads);
        writable_.setEnabled(state_ == WatchState::Connecting);
    }

    void Post(int event, int error) {
        if (!(mask_ & event) || !receiver_) return;
        QCoreApplication::postEvent(
            receiver_, new TSockMessage(message_, socket_,
                                        MakeLong(uint16_t(event), uint16_t(error)), serial_));
    }

    void OnReadable() {
        // Level-triggered readiness would fire on every pass; one notice until the next read.
        readable_.setEnabled(false);
        if (state_ == WatchState::Listening) {
            Post(FdAccept, 0);
            return;
        }
        char byte;
        ssize_t n = recv(socket_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
        if (n > 0) {
            Post(FdRead, 0);
        } else if (n == 0) {
            state_ = WatchState::Closed;
            Post(FdClose, 0);
        } else if (errno == EAGAIN) {
            readable_.setEnabled(true);
        } else {
            state_ = WatchState::Closed;
            Post(FdClose, WsaErrorFromErrno(errno));
        }
    }

    void OnWritable() {
        int error = 0;
        socklen_t length = sizeof error;
        getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length);
        SetState(error == 0 ? WatchState::Connected : WatchState::Closed);
        Post(FdConnect, WsaErrorFromErrno(error));
    }

    uint16_t socket_;
    QPointer<QObject> receiver_;
    int message_;
    int mask_;
    uint64_t serial_;
    WatchState state_ = WatchState::Idle;
    QSocketNotifier readable_;
    QSocketNotifier writable_;
};

std::map<uint16_t, std::unique_ptr<SockWatch>>& Watches() {
    static std::map<uint16_t, std::unique_ptr<SockWatch>> watches;
    return watches;
}

SockWatch* Find(uint16_t s) {
    auto found = Watches().find(s);
    return found == Watches().end() ? nullptr : found->second.get();
}

}  // namespace

uint64_t NextSockSerial() {
    static uint64_t next = 1;
    return next++;
}

int WsaAsyncSelect(uint16_t s, QObject* receiver, int message, int mask) {
    Watches().erase(s);
    if (mask != 0) Watches()[s] = std::make_unique<SockWatch>(s, receiver, message, mask);
    return 0;
}

void WatchConnecting(uint16_t s) {
    if (SockWatch* watch = Find(s)) watch->SetState(WatchState::Connecting);
}

void WatchListening(uint16_t s) {
    if (SockWatch* watch = Find(s)) watch->SetState(WatchState::Listening);
}

void WatchRearm(uint16_t s) {
    if (SockWatch* watch = Find(s)) watch->Rearm();
}

void WatchDrop(uint16_t s) { Watches().erase(s); }

bool SocketRegistrationCurrent(uint16_t s, uint64_t serial) {
    SockWatch* watch = Find(s);
    return watch && watch->Serial() == serial;
}

void ForgetSocketReceiver(QObject* receiver) {
    for (auto it = Watches().begin(); it != Watches().end();)
        it = it->second->Receiver() == receiver ? Watches().erase(it) : std::next(it);
}
