// The keeper's store: what it writes to a count's file, the budget, and the pages it keeps.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "service/rankingstore.h"
#include "tests/service/servicetestsupport.h"
#include "tests/support/testsupport.h"

namespace {

struct StoreFolders {
    RankingData data;
    QTemporaryDir pages;
    std::string Page(int count) const {
        return ReadFileBytes(pages.filePath(QString::number(count) + ".html"));
    }
    std::string File(int count) const {
        return ReadFileBytes(QString::fromStdString(data.File(count)));
    }
};

TVerdict Store(TRankingStore& store, int count, const std::string& upload) {
    std::string problem;
    const TVerdict verdict = store.Store(count, upload, problem);
    EXPECT_EQ(problem, "");
    return verdict;
}

}  // namespace

// Only a whole entry reaches the file, as sent and after the ones before; what is refused leaves
// the file as it was, so a partial line can never change the next player's entry. The count's
// page follows each entry.
TEST(RankingStore, StoresWholeEntriesOnly) {
    StoreFolders folders;
    TRankingStore store(folders.data.Folder(), folders.pages.path().toStdString(), 1 << 20);
    EXPECT_EQ(Store(store, 30, "-"), TVerdict::Malformed);
    EXPECT_EQ(Store(store, 30, std::string(3000, 'x')), TVerdict::Malformed);
    EXPECT_EQ(Store(store, 30, EntryLine("1000", "good")), TVerdict::Stored);
    EXPECT_EQ(Store(store, 30, EntryLine("5", "a") + EntryLine("6", "b")), TVerdict::Malformed);
    EXPECT_EQ(Store(store, 30, EntryLine("2000", "next")), TVerdict::Stored);
    EXPECT_EQ(folders.File(30), EntryLine("1000", "good") + EntryLine("2000", "next"));
    const std::string page = folders.Page(30);
    EXPECT_LT(page.find("<td class=\"score\">2000</td>"),
              page.find("<td class=\"score\">1000</td>"));
}

// Past the budget's last twentieth only an entry that reaches its count's best is stored; at the
// budget itself nothing is.
TEST(RankingStore, BudgetKeepsRoomForTheBest) {
    StoreFolders folders;
    const std::string entry = EntryLine("10", "h");
    std::string file;
    for (std::size_t i = 0; i < 100; ++i) file += entry;
    folders.data.Write(50, file);
    // The file alone passes into the last twentieth, with room for a few entries left.
    const uint64_t budget = 104 * entry.size();
    TRankingStore store(folders.data.Folder(), folders.pages.path().toStdString(), budget);
    EXPECT_EQ(Store(store, 50, EntryLine("1", "weak")), TVerdict::OverBudget);
    EXPECT_EQ(Store(store, 10, EntryLine("1", "first of its count")), TVerdict::Stored);
    EXPECT_EQ(Store(store, 50, EntryLine("11", "strong")), TVerdict::Stored);
    int stored = 0;
    while (Store(store, 50, EntryLine(std::to_string(100 + stored), "s")) == TVerdict::Stored)
        ++stored;
    EXPECT_GT(stored, 0);
    EXPECT_LE(QFileInfo(QString::fromStdString(folders.data.File(50))).size() +
                  QFileInfo(QString::fromStdString(folders.data.File(10))).size(),
              static_cast<qint64>(budget));
}

// Each count's page links every count with an entry; a count without entries says so, and one
// whose file cannot be read says that, while the others go on.
TEST(RankingStore, PagesOfEveryCount) {
    StoreFolders folders;
    folders.data.Write(10, "garbage\r\n\r\n");
    folders.data.Write(20, "garbage\r\n" + EntryLine("1", "a"));
    folders.data.Write(100, EntryLine("1", "a"));
    QDir().mkpath(
        QString::fromStdString(folders.data.File(40)));  // a folder where a file should be
    TRankingStore store(folders.data.Folder(), folders.pages.path().toStdString(), 1 << 20);
    const std::string links =
        "<nav aria-label=\"問題数\"><a href=\"?count=20\">20問</a>"
        "<a href=\"?count=100\">100問</a></nav>";
    for (int count = 10; count <= 100; count += 10) {
        const std::string page = folders.Page(count);
        const bool shown = count == 20 || count == 100;
        if (!shown) EXPECT_NE(page.find(links), std::string::npos) << count;
        EXPECT_NE(page.find("href=\"?count=100\""), std::string::npos) << count;
        EXPECT_NE(page.find("href=\"?count=20\""), std::string::npos) << count;
        EXPECT_EQ(page.find("<table") != std::string::npos, shown) << count;
        EXPECT_EQ(page.find("まだ登録がありません。") != std::string::npos, !shown && count != 40)
            << count;
    }
    EXPECT_NE(folders.Page(40).find("ランキングを読めませんでした。"), std::string::npos);
    EXPECT_EQ(Store(store, 40, EntryLine("1", "a")), TVerdict::Failed);
    EXPECT_EQ(Store(store, 30, EntryLine("3", "b")), TVerdict::Stored);
    EXPECT_NE(folders.Page(20).find("<a href=\"?count=30\">30問</a>"), std::string::npos);
}
