// The internet connection state as the ranking's send command asks for it: connected, working
// offline, and the attempt to go online. Tests replace all three, so no test depends on the
// network.
#pragma once

#include <cstdint>
#include <functional>

// The global connection-state bits: online, and "the user chose to work offline".
constexpr uint32_t INTERNET_STATE_CONNECTED = 0x01;
constexpr uint32_t INTERNET_STATE_DISCONNECTED_BY_USER = 0x10;

// True when an interface other than loopback is up and carries an address.
bool InternetGetConnectedState();
// Fills `state` with the global connection-state bits and reports whether that worked. This
// platform has no work-offline setting, so the bits never include the offline one.
bool InternetQueryConnectedState(uint32_t& state);
// Tries to go online: 0 on success. Here there is nothing to dial, so it succeeds when connected.
int InternetAttemptConnect();

struct InternetPlatform {
    std::function<bool()> GetConnectedState;
    std::function<bool(uint32_t&)> QueryConnectedState;
    std::function<int()> AttemptConnect;
};
// Tests put their answers here; empty members keep this platform's own query.
void SetInternetPlatform(InternetPlatform platform);
