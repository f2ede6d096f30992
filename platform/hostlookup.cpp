// The asynchronous host look-up: a helper thread makes the blocking call, and the answer is
// handed over on the user-interface thread like every other socket notification.
#include <netdb.h>

#include <QCoreApplication>
#include <cstring>
#include <map>
#include <thread>
#include <vector>

#include "platform/sockwatch.h"
#include "platform/winsock.h"

namespace {

struct Request {
    uint64_t Serial;
    int Message;
    char* HostEntry;
    int Size;
};

// Only the newest request of each receiver is answered.
std::map<QObject*, Request>& Requests() {
    static std::map<QObject*, Request> requests;
    return requests;
}

// Lives on the user-interface thread and takes the helper threads' answers; never freed, as a
// look-up may still be running when the program ends.
QObject* Dispatcher() {
    static QObject* dispatcher = new QObject;
    return dispatcher;
}

int LookupError(int code) {
    switch (code) {
        case EAI_NONAME:
            return 11001;
        case EAI_AGAIN:
            return 11002;
        case EAI_FAIL:
            return 11003;
        case EAI_NODATA:
        case EAI_ADDRFAMILY:
            return 11004;
        case EAI_SYSTEM:
            return WsaErrorFromErrno(errno);
        default:
            return 11003;
    }
}

void Deliver(QObject* receiver, uint64_t serial, int error, const std::vector<uint32_t>& found) {
    auto it = Requests().find(receiver);
    if (it == Requests().end() || it->second.Serial != serial) return;
    const Request& request = it->second;
    int room = (request.Size - 4) / 4;
    uint32_t count = uint32_t(std::min<size_t>(found.size(), size_t(room)));
    std::memcpy(request.HostEntry, &count, 4);
    // A failed look-up has no addresses, and an empty vector's data may be null.
    if (count > 0) std::memcpy(request.HostEntry + 4, found.data(), count * 4);
    QCoreApplication::postEvent(
        receiver, new TSockMessage(request.Message, 0, MakeLong(0, uint16_t(error)), serial));
}

}  // namespace

void WsaAsyncGetHostByName(QObject* receiver, int message, const std::string& name, char* hostEntry,
                           int size) {
    uint64_t serial = NextSockSerial();
    Requests()[receiver] = Request{serial, message, hostEntry, size};
    QObject* dispatcher = Dispatcher();
    std::thread([dispatcher, receiver, serial, name] {
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* list = nullptr;
        int rc = getaddrinfo(name.c_str(), nullptr, &hints, &list);
        int error = rc == 0 ? 0 : LookupError(rc);
        std::vector<uint32_t> found;
        for (addrinfo* entry = list; entry; entry = entry->ai_next)
            found.push_back(reinterpret_cast<sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr);
        if (list) freeaddrinfo(list);
        if (rc == 0 && found.empty()) error = 11004;
        QMetaObject::invokeMethod(
            dispatcher,
            [receiver, serial, error, found] { Deliver(receiver, serial, error, found); },
            Qt::QueuedConnection);
    }).detach();
}

bool SockMessageCurrent(const TSockMessage& message) {
    if (SocketRegistrationCurrent(message.WParam, message.Serial)) return true;
    for (const auto& [receiver, request] : Requests())
        if (request.Serial == message.Serial) return true;
    return false;
}

void WsaForgetReceiver(QObject* receiver) {
    Requests().erase(receiver);
    ForgetSocketReceiver(receiver);
}
