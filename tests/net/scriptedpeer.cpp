// The scripted peer's sockets, blocking with poll-bounded waits, on the peer's own thread.
#include "tests/net/scriptedpeer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

int ListenOnFreePort(int& port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd, 4);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

// Waits in short slices so that a stopping peer notices it.
bool WaitReadable(int fd, int timeoutMs, const std::atomic<bool>& stop) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!stop && std::chrono::steady_clock::now() < end) {
        pollfd entry{fd, POLLIN, 0};
        if (poll(&entry, 1, 20) > 0) return true;
    }
    return false;
}

// Reads to the end, or only `resetAfter` bytes when it is not 0; then a reset instead of a close.
std::string ReadToEnd(int fd, int timeoutMs, const std::atomic<bool>& stop, size_t resetAfter = 0) {
    std::string data;
    char buffer[65536];
    size_t limit = resetAfter > 0 ? resetAfter : std::string::npos;
    while (data.size() < limit && WaitReadable(fd, timeoutMs, stop)) {
        ssize_t n = recv(fd, buffer, std::min(sizeof buffer, limit - data.size()), 0);
        if (n <= 0) break;
        data.append(buffer, size_t(n));
    }
    if (resetAfter > 0) {
        linger reset{1, 0};
        setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    return data;
}

}  // namespace

PeerConnection::PeerConnection(int fd, std::atomic<bool>& stop, std::mutex& lock,
                               std::vector<std::string>& received)
    : fd_(fd), stop_(stop), lock_(lock), received_(received) {}

PeerConnection::~PeerConnection() {
    Close();
    if (dataListener_ >= 0) close(dataListener_);
}

void PeerConnection::Send(const std::string& bytes) {
    if (fd_ >= 0) send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
}

std::string PeerConnection::ReadLine(int timeoutMs) {
    char buffer[4096];
    for (;;) {
        size_t lf = pending_.find('\n');
        if (lf != std::string::npos) {
            std::string line = pending_.substr(0, lf);
            pending_.erase(0, lf + 1);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            std::lock_guard guard(lock_);
            received_.push_back(line);
            return line;
        }
        if (fd_ < 0 || !WaitReadable(fd_, timeoutMs, stop_)) return "";
        ssize_t n = recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0) return "";
        pending_.append(buffer, size_t(n));
    }
}

std::string PeerConnection::ReadAll(int timeoutMs) {
    return fd_ < 0 ? "" : ReadToEnd(fd_, timeoutMs, stop_);
}

void PeerConnection::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

void PeerConnection::Pause(int ms) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stop_ && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

int PeerConnection::ListenData() {
    int port = 0;
    dataListener_ = ListenOnFreePort(port);
    return port;
}

std::string PeerConnection::AcceptData(int timeoutMs, size_t resetAfter) {
    if (!WaitReadable(dataListener_, timeoutMs, stop_)) return "";
    int data = accept(dataListener_, nullptr, nullptr);
    std::string bytes = ReadToEnd(data, timeoutMs, stop_, resetAfter);
    close(data);
    return bytes;
}

std::string PeerConnection::ConnectData(const std::string& portArgument, int timeoutMs,
                                        size_t resetAfter) {
    unsigned a, b, c, d, p1, p2;
    if (std::sscanf(portArgument.c_str(), "%u,%u,%u,%u,%u,%u", &a, &b, &c, &d, &p1, &p2) != 6)
        return "";
    int data = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(p1 * 256 + p2));
    address.sin_addr.s_addr = htonl((a << 24) | (b << 16) | (c << 8) | d);
    std::string bytes;
    if (connect(data, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        bytes = ReadToEnd(data, timeoutMs, stop_, resetAfter);
    close(data);
    return bytes;
}

ScriptedPeer::ScriptedPeer(Script script) : listener_(ListenOnFreePort(port_)) {
    thread_ = std::thread([this, script] {
        if (WaitReadable(listener_, 10000, stop_)) {
            PeerConnection connection(accept(listener_, nullptr, nullptr), stop_, lock_, received_);
            script(connection);
        }
        done_ = true;
    });
}

ScriptedPeer::~ScriptedPeer() {
    stop_ = true;
    thread_.join();
    close(listener_);
}

std::vector<std::string> ScriptedPeer::Received() {
    std::lock_guard guard(lock_);
    return received_;
}

bool ScriptedPeer::Finish(int timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done_ && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done_;
}

void PeerLogIn(PeerConnection& peer) {
    peer.Send("220 scripted peer ready\r\n");
    peer.ReadLine();
    peer.Send("331 password please\r\n");
    peer.ReadLine();
    peer.Send("230 logged in\r\n");
}

FullListener::FullListener() {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    // A backlog of 0 holds one connection; the filler takes it, so later handshakes get no answer.
    listen(listener_, 0);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    filler_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof address);
}

FullListener::~FullListener() {
    close(filler_);
    close(listener_);
}

int FreePort() {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

OwnNetwork::OwnNetwork() : original_(open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC)) {
    entered_ = original_ >= 0 && unshare(CLONE_NEWNET) == 0;
}

OwnNetwork::~OwnNetwork() {
    if (entered_) setns(original_, CLONE_NEWNET);
    if (original_ >= 0) close(original_);
}
