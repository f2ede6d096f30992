// The ranking service's test data.
#include "tests/service/servicetestsupport.h"

#include <QDir>

#include "service/rankingfile.h"
#include "tests/support/testsupport.h"

std::string EntryLine(const std::string& score, const std::string& handle, const std::string& time,
                      const std::string& homePage, const std::string& comment,
                      const std::string& mail) {
    return score + "*" + time + "\t10\t3\t" + handle + "\t" + mail + "\t" + homePage + "\t" +
           comment + "\r\n";
}

RankingData::RankingData() { QDir(dir_.path()).mkpath("ranking/cocktail"); }

std::string RankingData::Folder() const { return dir_.path().toStdString(); }

std::string RankingData::File(int count) const { return RankingFilePath(Folder(), count); }

void RankingData::Write(int count, const std::string& bytes) const {
    WriteFileBytes(QString::fromStdString(File(count)), bytes);
}
