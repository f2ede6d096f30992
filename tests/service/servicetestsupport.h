// What the ranking service's tests share: a data folder of ranking files and the lines in them.
#pragma once

#include <QTemporaryDir>
#include <string>

// One ranking line as the game appends it, ended by CR LF.
std::string EntryLine(const std::string& score, const std::string& handle,
                      const std::string& time = "01:00`00", const std::string& homePage = "0",
                      const std::string& comment = "c", const std::string& mail = "0");

// A temporary data folder holding ranking/cocktail/.
class RankingData {
  public:
    RankingData();
    std::string Folder() const;
    std::string File(int count) const;
    void Write(int count, const std::string& bytes) const;

  private:
    QTemporaryDir dir_;
};
