// The connection-state queries on this platform's network interface list.
#include "platform/internet.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <sys/socket.h>

namespace {
InternetPlatform& Replacement() {
    static InternetPlatform platform;
    return platform;
}

// What a failed attempt to go online answers: the platform's "cannot connect" error number.
constexpr int ERROR_INTERNET_CANNOT_CONNECT = 12029;

bool AnyOutwardInterface() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool found = false;
    for (const ifaddrs* entry = list; entry && !found; entry = entry->ifa_next) {
        if (!entry->ifa_addr) continue;
        const int family = entry->ifa_addr->sa_family;
        found = (entry->ifa_flags & IFF_UP) && !(entry->ifa_flags & IFF_LOOPBACK) &&
                (family == AF_INET || family == AF_INET6);
    }
    freeifaddrs(list);
    return found;
}
}  // namespace

bool InternetGetConnectedState() {
    if (Replacement().GetConnectedState) return Replacement().GetConnectedState();
    return AnyOutwardInterface();
}

bool InternetQueryConnectedState(uint32_t& state) {
    if (Replacement().QueryConnectedState) return Replacement().QueryConnectedState(state);
    state = InternetGetConnectedState() ? INTERNET_STATE_CONNECTED : 0;
    return true;
}

int InternetAttemptConnect() {
    if (Replacement().AttemptConnect) return Replacement().AttemptConnect();
    return InternetGetConnectedState() ? 0 : ERROR_INTERNET_CANNOT_CONNECT;
}

void SetInternetPlatform(InternetPlatform platform) { Replacement() = std::move(platform); }
