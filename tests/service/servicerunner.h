// The whole ranking service, started by a test with service/run on 127.0.0.1 at free ports and
// stopped afterwards, and the page fetched from it over HTTP.
#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <string>

#include "ranking/endpoints.h"

// Needs root, as the service does. Stopped (servers included) when the object goes, and also
// when the test process dies.
class RankingService {
  public:
    RankingService();
    ~RankingService();
    RankingService(const RankingService&) = delete;
    RankingService& operator=(const RankingService&) = delete;

    // Empty when the service runs; otherwise why it does not.
    const std::string& Problem() const { return problem_; }
    // The game's settings for this service: FTP host and port, "master", the password, web host.
    TRankingEndpoints Endpoints() const;
    // The file the appends for `count` land in.
    QString LogFile(int count) const;
    // The page's address, with `query` after a "?" when given.
    QString Page(const QString& query = {}) const;

  private:
    // SIGTERM, which service/run passes on to both servers before it ends.
    void Stop();

    QTemporaryDir root_;
    QProcess process_;
    std::string problem_;
    int ftpPort_ = 0;
    int httpPort_ = 0;
};

// The password the tests' service runs with.
inline const char* const ServicePassword = "Shaken12345";

// An HTTP GET through curl: the header lines and the body.
struct HttpAnswer {
    std::string Headers;
    std::string Body;
};
HttpAnswer HttpGet(const QString& url);
