// Starting and stopping pyftpdlib and vsftpd for the tests, each with its own user and home.
#include "tests/net/ftpservers.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <chrono>
#include <thread>

#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {

bool Accepts(int port) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return ok;
}

bool Run(const QString& program, const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000)) return false;
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(10000) && process.exitCode() == 0;
}

// Parallel tests may hold the lock on the user database for a moment.
bool RunWithRetries(const QString& program, const QStringList& arguments) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Run(program, arguments)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

void MakeRankingFolder(const QString& home) { QDir(home).mkpath("ranking/cocktail"); }

}  // namespace

PyFtpdServer::PyFtpdServer(const FtpServerOptions& options) {
    user_ = "bartender";
    home_ = root_.path();
    MakeRankingFolder(home_);
    process_.setProgram("/usr/bin/python3");
    process_.setArguments({SourceDir() + "/tests/net/pyftpd_server.py", "--root", home_, "--user",
                           QString::fromStdString(user_), "--password",
                           QString::fromStdString(password_), "--banner",
                           QString::fromStdString(options.Banner), "--login-message",
                           QString::fromStdString(options.LoginMessage), "--idle-seconds",
                           QString::number(options.IdleSeconds)});
    if (options.TimeSessions) process_.setArguments(process_.arguments() << "--time-sessions");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
    if (!process_.waitForStarted(5000)) {
        problem_ = "/usr/bin/python3 did not start";
        return;
    }
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!process_.canReadLine() && std::chrono::steady_clock::now() < end &&
           process_.state() == QProcess::Running)
        process_.waitForReadyRead(100);
    port_ = process_.readLine().trimmed().toInt();
    if (port_ == 0)
        problem_ = "pyftpdlib did not report its port (is python3-pyftpdlib installed?)";
}

PyFtpdServer::~PyFtpdServer() { Stop(process_); }

double PyFtpdServer::NextSessionMs() {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!process_.canReadLine() && std::chrono::steady_clock::now() < end)
        process_.waitForReadyRead(100);
    QByteArray line = process_.readLine().trimmed();
    return line.startsWith("SESSION ") ? line.mid(8).toDouble() : -1;
}

VsftpdServer::VsftpdServer(const FtpServerOptions& options) {
    if (geteuid() != 0) {
        problem_ = "vsftpd needs root";
        return;
    }
    if (!QFile::exists("/usr/sbin/vsftpd")) {
        problem_ = "vsftpd is not installed";
        return;
    }
    // The session runs as the test user, who must be able to walk into its home.
    QFile::setPermissions(root_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                            QFile::ExeOther);
    user_ = "bdftp" + std::to_string(getpid());
    home_ = root_.path() + "/home";
    QDir().mkpath(home_);
    QDir().mkpath(root_.path() + "/empty");
    MakeRankingFolder(home_);
    QString user = QString::fromStdString(user_);
    if (!RunWithRetries("/usr/sbin/useradd", {"-M", "-d", home_, "-s", "/bin/bash", user})) {
        problem_ = "useradd failed";
        return;
    }
    userCreated_ = true;
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (Run("/usr/sbin/chpasswd", {},
                QByteArray::fromStdString(user_ + ":" + password_ + "\n")))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    passwd* account = getpwnam(user_.c_str());
    if (!account) {
        problem_ = "the test user is missing after useradd";
        return;
    }
    for (const QString& path : {home_, home_ + "/ranking", home_ + "/ranking/cocktail"})
        chown(QFile::encodeName(path).constData(), account->pw_uid, account->pw_gid);

    // A free port may be taken by a parallel test before vsftpd binds it; then try another.
    for (int attempt = 0; attempt < 3; ++attempt) {
        problem_.clear();
        port_ = FreePort();
        WriteFileBytes(root_.path() + "/vsftpd.conf", Config(options));
        process_.setProgram("/usr/sbin/vsftpd");
        process_.setArguments({root_.path() + "/vsftpd.conf"});
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.start();
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!Accepts(port_) && std::chrono::steady_clock::now() < end &&
               process_.state() != QProcess::NotRunning)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (process_.state() != QProcess::NotRunning) return;
        problem_ = "vsftpd ended at start";
    }
}

std::string VsftpdServer::Config(const FtpServerOptions& options) const {
    std::string root = root_.path().toStdString();
    std::string text = "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=" +
                       std::to_string(port_) +
                       "\nbackground=NO\nanonymous_enable=NO\nlocal_enable=YES\nwrite_enable=YES\n"
                       "local_umask=022\nchroot_local_user=YES\nallow_writeable_chroot=YES\n"
                       "seccomp_sandbox=NO\ndelay_failed_login=0\ndelay_successful_login=0\n"
                       "pasv_enable=YES\nport_enable=YES\nconnect_from_port_20=NO\n"
                       "xferlog_enable=NO\nuserlist_enable=NO\npam_service_name=vsftpd\n"
                       "secure_chroot_dir=" +
                       root + "/empty\nvsftpd_log_file=" + root + "/vsftpd.log\n";
    if (options.IdleSeconds > 0)
        text += "idle_session_timeout=" + std::to_string(options.IdleSeconds) + "\n";
    if (options.BannerFileLines.empty()) return text + "ftpd_banner=" + options.Banner + "\n";
    WriteFileBytes(root_.path() + "/banner.txt", options.BannerFileLines);
    return text + "banner_file=" + root + "/banner.txt\n";
}

VsftpdServer::~VsftpdServer() {
    Stop(process_);
    if (userCreated_) RunWithRetries("/usr/sbin/userdel", {"-f", QString::fromStdString(user_)});
}
