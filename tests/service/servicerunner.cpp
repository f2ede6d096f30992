// service/run is the one program that starts the servers, so the test starts it as an operator
// would and stops it with SIGTERM, which it passes on to both servers.
#include "tests/service/servicerunner.h"

#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QFile>
#include <csignal>

#include "tests/net/scriptedpeer.h"
#include "tests/support/testsupport.h"

namespace {
const QByteArray Running = "The ranking service runs";
}

RankingService::RankingService() {
    if (geteuid() != 0) {
        problem_ = "the ranking service needs root";
        return;
    }
    // The web server's account must be able to walk into the data folder.
    QFile::setPermissions(root_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                            QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                            QFile::ExeOther);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("BARTENDAM_BUILD_DIR", BARTENDAM_BUILD);
    process_.setProcessEnvironment(environment);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    // A free port may be taken by a parallel test before a server binds it; then try others.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ftpPort_ = FreePort();
        httpPort_ = FreePort();
        process_.start(SourceDir() + "/service/run",
                       {"--data", root_.filePath("data"), "--password", ServicePassword,
                        "--address", "127.0.0.1", "--ftp-port", QString::number(ftpPort_),
                        "--http-port", QString::number(httpPort_)});
        QByteArray output;
        const QDeadlineTimer deadline(60000);
        while (!output.contains(Running) && process_.state() != QProcess::NotRunning &&
               !deadline.hasExpired()) {
            process_.waitForReadyRead(100);
            output += process_.readAll();
        }
        if (output.contains(Running)) {
            problem_.clear();
            return;
        }
        problem_ = "service/run did not start: " + output.toStdString();
        Stop();
    }
}

RankingService::~RankingService() { Stop(); }

void RankingService::Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(15000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

TRankingEndpoints RankingService::Endpoints() const {
    return {"127.0.0.1", ftpPort_, "master", ServicePassword,
            "127.0.0.1:" + std::to_string(httpPort_)};
}

QString RankingService::LogFile(int count) const {
    return root_.filePath(QString("data/ftp/ranking/cocktail/%1.log").arg(count));
}

QString RankingService::Page(const QString& query) const {
    const QString page = QString::fromStdString(RankingPageAddress(Endpoints()));
    return query.isEmpty() ? page : page + "?" + query;
}

HttpAnswer HttpGet(const QString& url) {
    QTemporaryDir dir;
    QProcess curl;
    curl.start("curl", {"-sS", "--max-time", "30", "-D", dir.filePath("headers"), url});
    curl.waitForFinished(40000);
    return {ReadFileBytes(dir.filePath("headers")), curl.readAllStandardOutput().toStdString()};
}
