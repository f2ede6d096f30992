// Measures the FTP client's appends against curl on the same local pyftpdlib server, and the
// processor time the client spends while it waits on a server that does not answer.
#include <sys/resource.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "net/ftpclient.h"
#include "tests/net/ftpservers.h"
#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One whole session, as the ranking runs it: log-in, type, append, log-out.
double ClientAppend(const FtpTestServer& server, bool passive, const QString& file) {
    QElapsedTimer clock;
    clock.start();
    TFtpClient ftp;
    ftp.SetHost("127.0.0.1");
    ftp.SetPort(server.Port());
    ftp.SetTimeOut(50000);
    ftp.SetUserID(server.User());
    ftp.SetPassword(server.Password());
    ftp.SetPassive(passive);
    ftp.Connect();
    ftp.SetTransferType(2);
    ftp.AppendUpload(file.toStdString(), "/ranking/cocktail/client.log");
    ftp.Disconnect();
    return clock.nsecsElapsed() / 1e6;
}

double CurlAppend(const FtpTestServer& server, bool passive, const QString& file) {
    QString url =
        QString("ftp://%1:%2@127.0.0.1:%3/ranking/cocktail/curl.log")
            .arg(QString::fromStdString(server.User()), QString::fromStdString(server.Password()))
            .arg(server.Port());
    QStringList arguments = {"-s", "-S", "--append", "-T", file, url};
    arguments << (passive ? QStringList{"--disable-epsv"}
                          : QStringList{"-P", "127.0.0.1", "--disable-eprt"});
    QElapsedTimer clock;
    clock.start();
    QProcess curl;
    curl.start("curl", arguments);
    curl.waitForFinished(120000);
    double ms = clock.nsecsElapsed() / 1e6;
    if (curl.exitCode() != 0)
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
    return ms;
}

void Transfers(int runs) {
    PyFtpdServer server;
    if (!server.Problem().empty()) {
        std::fprintf(stderr, "%s\n", server.Problem().c_str());
        return;
    }
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath("50MB.dat"), std::string(50 << 20, 'r'));
    WriteFileBytes(dir.filePath("1KB.dat"), std::string(1 << 10, 'r'));
    std::printf(
        "| File | Mode | Client median ms | curl median ms | Ratio |\n|---|---|---|---|---|\n");
    for (const char* name : {"50MB.dat", "1KB.dat"}) {
        for (bool passive : {false, true}) {
            std::vector<double> client, curl;
            for (int i = 0; i < runs; ++i) {
                client.push_back(ClientAppend(server, passive, dir.filePath(name)));
                curl.push_back(CurlAppend(server, passive, dir.filePath(name)));
            }
            double a = Median(client), b = Median(curl);
            std::printf("| %s | %s | %.1f | %.1f | %.2f |\n", name, passive ? "passive" : "active",
                        a, b, a / b);
        }
    }
}

double ThreadCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

void SilentServerWait() {
    ScriptedPeer silent([](PeerConnection& c) { c.ReadAll(15000); });
    TFtpClient ftp;
    ftp.SetHost("127.0.0.1");
    ftp.SetPort(silent.Port());
    ftp.SetTimeOut(10000);
    QElapsedTimer clock;
    clock.start();
    double before = ThreadCpuMs();
    std::string outcome;
    try {
        ftp.Connect();
    } catch (const std::exception& error) {
        outcome = error.what();
    }
    double cpu = ThreadCpuMs() - before;
    double wall = clock.nsecsElapsed() / 1e6;
    std::printf(
        "\nWaiting for a greeting that never comes: %.0f ms, ended with \"%s\"; "
        "processor time %.1f ms = %.2f %% of one core\n",
        wall, outcome.c_str(), cpu, 100 * cpu / wall);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // "net_bench [runs]" measures both; "net_bench wait" only the wait.
    std::string what = argc > 1 ? argv[1] : "7";
    if (what != "wait") Transfers(std::max(1, std::atoi(what.c_str())));
    SilentServerWait();
    return 0;
}
