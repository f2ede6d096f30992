// The ranking menu command: the score log's checks at opening and the modal run.
#include "ranking/openranking.h"

#include <sys/stat.h>

#include <QLineEdit>

#include "platform/cp932.h"
#include "platform/modal.h"
#include "platform/msgbox.h"
#include "ranking/ranking.h"
#include "ranking/rankinglog.h"

bool FillRanking(TRanking& ranking, const TGameFolder& folder, const std::string& handleName,
                 const std::string& mail, const std::string& url) {
    ranking.SetIdentity(handleName, mail, url);
    const std::string logFile = folder.ScoreLog();
    struct stat info {};
    if (::stat(logFile.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        ShowMessage(Cp932Text("データが見つかりませんでした。"));
        return false;
    }
    // Every line gives a count, so a log without counts has no lines.
    const std::vector<std::string> counts = QuestionCounts(logFile);
    if (counts.empty()) ShowMessage(Cp932Text("データがありませんでした。"));
    ranking.ShowCounts(counts);
    return true;
}

std::unique_ptr<TRanking> PrepareRanking(const TGameFolder& folder, const std::string& handleName,
                                         const std::string& mail, const std::string& url,
                                         std::function<void(int)> helper, QWidget* parent,
                                         const TRankingEndpoints& endpoints) {
    auto ranking = std::make_unique<TRanking>(folder, std::move(helper), endpoints, parent);
    if (!FillRanking(*ranking, folder, handleName, mail, url)) return nullptr;
    return ranking;
}

void OpenRanking(const TGameFolder& folder, const std::string& handleName, const std::string& mail,
                 const std::string& url, std::function<void(int)> helper, QWidget* parent) {
    std::unique_ptr<TRanking> ranking =
        PrepareRanking(folder, handleName, mail, url, std::move(helper), parent);
    if (ranking) ExecModal(*ranking);
}
