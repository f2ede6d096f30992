// Real FTP servers for the tests, started on 127.0.0.1 at free ports and stopped afterwards.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

struct FtpServerOptions {
    // A text longer than 75 characters makes pyftpdlib send a multi-line reply.
    std::string Banner = "bartendam test server ready";
    std::string LoginMessage = "Login successful.";
    // vsftpd sends each line of this file as a continuation of its greeting.
    std::string BannerFileLines;
    // A session idle this long is ended by the server with a 421 and a close; 0 keeps the default.
    int IdleSeconds = 0;
    // pyftpdlib times each session from its accept to each completion reply (NextSessionMs).
    bool TimeSessions = false;
};

class FtpTestServer {
  public:
    virtual ~FtpTestServer() = default;
    // Empty when the server runs; otherwise why it could not be started.
    const std::string& Problem() const { return problem_; }
    int Port() const { return port_; }
    const std::string& User() const { return user_; }
    const std::string& Password() const { return password_; }
    // The user's home (the server's root for the user), holding ranking/cocktail/.
    QString Home() const { return home_; }

  protected:
    std::string problem_;
    int port_ = 0;
    std::string user_;
    std::string password_ = "cocktail-pw";
    QString home_;
};

class PyFtpdServer : public FtpTestServer {
  public:
    explicit PyFtpdServer(const FtpServerOptions& options = {});
    ~PyFtpdServer() override;
    // With TimeSessions: milliseconds from the accept of the next timed session to its completion
    // reply, as the server measured them; a negative number when none came within 10 s.
    double NextSessionMs();

  private:
    QTemporaryDir root_;
    QProcess process_;
};

// Needs root: it runs vsftpd itself and creates (and removes) a dedicated local user.
class VsftpdServer : public FtpTestServer {
  public:
    explicit VsftpdServer(const FtpServerOptions& options = {});
    ~VsftpdServer() override;

  private:
    std::string Config(const FtpServerOptions& options) const;

    bool userCreated_ = false;
    QTemporaryDir root_;
    QProcess process_;
};
