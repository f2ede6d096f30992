// What the ranking tests share: a program folder of their own with a hand-made score log, the
// connection-state answers, and a local FTP server process.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "files/gamefolder.h"
#include "platform/internet.h"

// A temporary program folder.
class TestAppFolder {
  public:
    TestAppFolder();
    // The folder as the program holds it.
    TGameFolder AppFolder() const;
    QString Path(const QString& name) const;
    // log.dat made of `lines`, each ended by CR LF.
    void WriteLog(const std::vector<std::string>& lines) const;

  private:
    QTemporaryDir dir_;
};

// `covered` (a record up to and including its last comma) followed by its true checksum.
std::string Signed(const std::string& covered);

// The platform answers "connected" (or as told) for as long as it lives.
class ScriptedInternet {
  public:
    explicit ScriptedInternet(bool connected = true, bool offline = false, int attempt = 0);
    ~ScriptedInternet();
    ScriptedInternet(const ScriptedInternet&) = delete;
    ScriptedInternet& operator=(const ScriptedInternet&) = delete;
    int Attempts() const { return attempts_; }

  private:
    int attempts_ = 0;
};

// The pyftpdlib server of ftpserver.py on 127.0.0.1, with a home folder that holds
// ranking/cocktail/. Stopped when the object goes.
class TestFtpServer {
  public:
    TestFtpServer(const QString& user, const QString& password);
    ~TestFtpServer();
    TestFtpServer(const TestFtpServer&) = delete;
    TestFtpServer& operator=(const TestFtpServer&) = delete;

    bool Started() const { return port_ > 0; }
    int Port() const { return port_; }
    // A file below the server's home, such as "ranking/cocktail/10.log".
    QString Path(const QString& name) const;
    // Every line the server has reported so far ("LOGIN master", "COMMAND APPE", "DISCONNECT").
    QStringList Events();
    // Waits (at most `ms`) until the server has reported `line`.
    bool WaitFor(const QString& line, int ms = 5000);

  private:
    void ReadEvents();

    QTemporaryDir home_;
    QProcess process_;
    QStringList events_;
    QByteArray pending_;
    int port_ = 0;
};

// A port on 127.0.0.1 that nothing listens on.
int DeadPort();
