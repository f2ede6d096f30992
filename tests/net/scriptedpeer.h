// A scripted TCP peer on its own thread, for server behaviour that real FTP servers do not show.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One accepted connection of the peer; every wait is bounded.
class PeerConnection {
  public:
    PeerConnection(int fd, std::atomic<bool>& stop, std::mutex& lock,
                   std::vector<std::string>& received);
    ~PeerConnection();
    // Sends the bytes as one segment.
    void Send(const std::string& bytes);
    // The next line without its CR LF; empty when the client closed or nothing came in time.
    std::string ReadLine(int timeoutMs = 5000);
    // Everything up to the client's close.
    std::string ReadAll(int timeoutMs = 5000);
    void Close();
    void Pause(int ms);
    bool Stopping() const { return stop_; }

    // A data listener on 127.0.0.1; its port for a "PASV" reply.
    int ListenData();
    // Accepts the data connection on the listener and reads it to its end, or, given
    // `resetAfter`, only that many bytes before it resets the connection.
    std::string AcceptData(int timeoutMs = 5000, size_t resetAfter = 0);
    // Connects to the client's "PORT " address and reads the data as AcceptData does.
    std::string ConnectData(const std::string& portArgument, int timeoutMs = 5000,
                            size_t resetAfter = 0);

  private:
    int fd_;
    int dataListener_ = -1;
    std::string pending_;
    std::atomic<bool>& stop_;
    std::mutex& lock_;
    std::vector<std::string>& received_;
};

class ScriptedPeer {
  public:
    using Script = std::function<void(PeerConnection&)>;
    // Listens on 127.0.0.1 at a free port and runs the script for the first connection.
    explicit ScriptedPeer(Script script);
    ~ScriptedPeer();
    int Port() const { return port_; }
    // The lines the peer read, in order.
    std::vector<std::string> Received();
    // Waits for the script to end (at most timeoutMs).
    bool Finish(int timeoutMs = 5000);

  private:
    int listener_;
    int port_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::mutex lock_;
    std::vector<std::string> received_;
    std::thread thread_;
};

// The usual opening of a scripted FTP server: greeting, "USER ", "PASS ", 230.
void PeerLogIn(PeerConnection& peer);

// A listener whose accept queue is full: connects to it hang until their time-out.
class FullListener {
  public:
    FullListener();
    ~FullListener();
    int Port() const { return port_; }

  private:
    int listener_;
    int filler_;
    int port_;
};

// A port on 127.0.0.1 that nothing listens on (just released).
int FreePort();

// While it lives, the calling thread's new sockets belong to a network of their own, where every
// port is free. Needs root; Entered() tells whether it worked.
class OwnNetwork {
  public:
    OwnNetwork();
    ~OwnNetwork();
    OwnNetwork(const OwnNetwork&) = delete;
    OwnNetwork& operator=(const OwnNetwork&) = delete;
    bool Entered() const { return entered_; }

  private:
    int original_;
    bool entered_ = false;
};
