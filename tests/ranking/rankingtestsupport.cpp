// The ranking tests' folder, connection-state and FTP-server helpers.
#include "tests/ranking/rankingtestsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/cp932.h"
#include "records/checksum.h"
#include "tests/support/testsupport.h"

TestAppFolder::TestAppFolder() = default;

TGameFolder TestAppFolder::AppFolder() const { return FolderAt(dir_.path()); }

QString TestAppFolder::Path(const QString& name) const { return dir_.filePath(name); }

void TestAppFolder::WriteLog(const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    WriteFileBytes(Path(QStringLiteral("log.dat")), text);
}

std::string Signed(const std::string& covered) {
    return covered + std::to_string(Checksum(covered));
}

ScriptedInternet::ScriptedInternet(bool connected, bool offline, int attempt) {
    SetInternetPlatform({[connected] { return connected; },
                         [offline](uint32_t& state) {
                             state = offline ? INTERNET_STATE_DISCONNECTED_BY_USER : 0;
                             return true;
                         },
                         [this, attempt] {
                             ++attempts_;
                             return attempt;
                         }});
}

ScriptedInternet::~ScriptedInternet() { SetInternetPlatform({}); }

TestFtpServer::TestFtpServer(const QString& user, const QString& password) {
    QDir(home_.path()).mkpath(QStringLiteral("ranking/cocktail"));
    process_.setProgram(QStringLiteral("/usr/bin/python3"));
    process_.setArguments({SourceDir() + QStringLiteral("/tests/ranking/ftpserver.py"),
                           home_.path(), user, password});
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.setStandardErrorFile(QProcess::nullDevice());
    process_.start();
    if (!process_.waitForStarted(5000)) return;
    QElapsedTimer clock;
    clock.start();
    while (port_ == 0 && clock.elapsed() < 10000 && process_.state() == QProcess::Running) {
        process_.waitForReadyRead(200);
        ReadEvents();
        for (const QString& event : events_) {
            if (event.startsWith(QStringLiteral("PORT "))) port_ = event.mid(5).toInt();
        }
    }
    events_.clear();
}

TestFtpServer::~TestFtpServer() {
    process_.kill();
    process_.waitForFinished(5000);
}

QString TestFtpServer::Path(const QString& name) const { return home_.filePath(name); }

void TestFtpServer::ReadEvents() {
    pending_ += process_.readAllStandardOutput();
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        events_ << QString::fromUtf8(pending_.left(end)).trimmed();
        pending_.remove(0, end + 1);
    }
}

QStringList TestFtpServer::Events() {
    process_.waitForReadyRead(50);
    ReadEvents();
    return events_;
}

bool TestFtpServer::WaitFor(const QString& line, int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
        process_.waitForReadyRead(20);
        ReadEvents();
        if (events_.contains(line)) return true;
        QCoreApplication::processEvents();
    } while (clock.elapsed() < ms);
    return false;
}

int DeadPort() {
    // A port the system has just handed out and taken back is free, and nobody listens on it.
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
}
