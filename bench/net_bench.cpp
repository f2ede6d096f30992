// Measures the FTP client's appends against curl on the same local pyftpdlib server, both timed
// by the server in the same way, and the processor time the client spends while it waits on a
// server that does not answer.
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

// One session as the ranking runs it, plus the "PWD" that curl sends, so that both clients send
// the same commands: log-in, "PWD", "TYPE I", "PORT "/"PASV", "APPE ", the data, the completion
// reply, "QUIT".
void ClientAppend(const FtpTestServer& server, bool passive, const QString& file) {
    TFtpClient ftp;
    ftp.SetHost("127.0.0.1");
    ftp.SetPort(server.Port());
    ftp.SetTimeOut(50000);
    ftp.SetUserID(server.User());
    ftp.SetPassword(server.Password());
    ftp.SetPassive(passive);
    ftp.Connect();
    ftp.RunCommand("PWD");
    ftp.SetTransferType(TransferImage);
    ftp.AppendUpload(file.toStdString(), "/ranking/cocktail/client.log");
    ftp.Disconnect();
}

void CurlAppend(const FtpTestServer& server, bool passive, const QString& file) {
    QString url =
        QString("ftp://%1:%2@127.0.0.1:%3/ranking/cocktail/curl.log")
            .arg(QString::fromStdString(server.User()), QString::fromStdString(server.Password()))
            .arg(server.Port());
    QStringList arguments = {"-s", "-S", "--append", "--ftp-method", "nocwd", "-T", file, url};
    arguments << (passive ? QStringList{"--disable-epsv"}
                          : QStringList{"-P", "127.0.0.1", "--disable-eprt"});
    QProcess curl;
    curl.start("curl", arguments);
    curl.waitForFinished(120000);
    if (curl.exitCode() != 0)
        std::fprintf(stderr, "curl failed: %s\n", curl.readAllStandardError().constData());
}

// The median with the lower and upper quartile, by nearest rank.
struct Spread {
    double Low, Median, High;
};

Spread SpreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return {values[(n - 1) / 4], values[n / 2], values[(3 * (n - 1) + 3) / 4]};
}

void Transfers(int runs) {
    FtpServerOptions options;
    options.TimeSessions = true;
    PyFtpdServer server(options);
    if (!server.Problem().empty()) {
        std::fprintf(stderr, "%s\n", server.Problem().c_str());
        return;
    }
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath("1 KB"), std::string(1 << 10, 'r'));
    WriteFileBytes(dir.filePath("50 MB"), std::string(50 << 20, 'r'));
    std::printf(
        "| File | Mode | Client ms: median (quartiles) | curl ms: median (quartiles) | Ratio of "
        "medians | Goal 1.10 |\n|---|---|---|---|---|---|\n");
    for (const char* name : {"1 KB", "50 MB"}) {
        for (bool passive : {false, true}) {
            std::vector<double> client, curl;
            // Alternating runs, so that a change in the machine's load meets both alike.
            for (int i = 0; i < runs; ++i) {
                ClientAppend(server, passive, dir.filePath(name));
                client.push_back(server.NextSessionMs());
                CurlAppend(server, passive, dir.filePath(name));
                curl.push_back(server.NextSessionMs());
            }
            Spread a = SpreadOf(client), b = SpreadOf(curl);
            double ratio = a.Median / b.Median;
            std::printf("| %s | %s | %.2f (%.2f–%.2f) | %.2f (%.2f–%.2f) | %.2f | %s |\n", name,
                        passive ? "passive" : "active", a.Median, a.Low, a.High, b.Median, b.Low,
                        b.High, ratio, ratio <= 1.10 ? "met" : "NOT met");
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
    std::string what = argc > 1 ? argv[1] : "21";
    if (what != "wait") Transfers(std::max(1, std::atoi(what.c_str())));
    SilentServerWait();
    return 0;
}
