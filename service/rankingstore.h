// The one writer of the count files: it takes each upload whole, stores it in one write when it is
// an entry and the disk and the budget allow, and keeps each count's page up to date.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "records/nativefile.h"
#include "service/rankingfile.h"

enum class TVerdict {
    Stored,
    // Not one entry as the game sends it.
    Malformed,
    // The budget is spent and the entry does not reach its count's best.
    OverBudget,
    // The file system has no room; nothing of the entry stays.
    DiskFull,
    // The count's file cannot be written.
    Failed,
};

class TRankingStore {
  public:
    // Opens (creating when missing) the ten count files below `dataFolder` and reads their best
    // entries, then writes each count's page into `pagesFolder` as <count>.html. The count files
    // may grow to `budget` bytes in all; the last twentieth of it takes only entries that reach
    // their count's best. A count whose file cannot be read is shown as such and takes nothing.
    TRankingStore(const std::string& dataFolder, const std::string& pagesFolder, uint64_t budget);

    // Stores `upload` at the end of `count`'s file when it is one entry; on any failure the file is
    // as before. A page that cannot be written stays as it was; `problem` then says why.
    TVerdict Store(int count, std::string_view upload, std::string& problem);

    // The page file of `count`.
    std::string PagePath(int count) const;

  private:
    struct TCount {
        std::unique_ptr<NativeFile> File;
        TBestEntries Best;
        uint64_t Lines = 0;
    };
    void WritePage(int count);
    void WritePages();

    std::string pagesFolder_;
    uint64_t budget_;
    uint64_t used_ = 0;
    std::map<int, TCount> counts_;
};
