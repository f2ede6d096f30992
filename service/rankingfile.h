// What the ranking page shows: the best entries of each count, read from the count files and kept
// up to date as entries arrive.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "service/postedentry.h"

// The question counts a ranking is kept for: 10 to 100 in steps of 10.
constexpr int FirstCount = 10;
constexpr int LastCount = 100;
constexpr int CountStep = 10;
// The game's default count, shown when the page is asked for none.
constexpr int DefaultCount = 50;
// Entries shown per count.
constexpr std::size_t DefaultPageEntries = 100;

// dataFolder + "/ranking/cocktail/" + count + ".log": where a count's entries are appended.
std::string RankingFilePath(const std::string& dataFolder, int count);

// The best `limit` entries offered so far, in a heap whose top is the weakest of them, so that
// an entry costs one comparison unless it enters.
class TBestEntries {
  public:
    explicit TBestEntries(std::size_t limit = DefaultPageEntries) : limit_(limit) {}
    // Whether an entry with `key` would be kept.
    bool WouldKeep(const TRankKey& key) const;
    // Keeps the entry when it is among the best; true when it was kept.
    bool Offer(const TEntryFields& fields, uint64_t arrival);
    bool Empty() const { return heap_.empty(); }
    // The kept entries, best first.
    std::vector<TPostedEntry> Sorted() const;

  private:
    std::size_t limit_;
    std::vector<TPostedEntry> heap_;
};

// Offers every entry line of the file at `path` to `best`, in file order with each line's number
// as its arrival; lines that are not entries are passed over. Returns the number of lines. A file
// that cannot be read raises.
uint64_t ReadEntries(const std::string& path, TBestEntries& best);

// The best `limit` entries of a file, best first.
std::vector<TPostedEntry> BestEntries(const std::string& path, std::size_t limit);

struct TRankingView {
    int Count = DefaultCount;
    // The most entries shown.
    std::size_t Limit = DefaultPageEntries;
    // Every count with an entry, ascending.
    std::vector<int> CountsWithEntries;
    std::vector<TPostedEntry> Best;
    // The place of each of Best: equal score and time share a place, the next place skips.
    std::vector<int> Places;
    // Set when the count's file could not be read: the page says so instead of a table.
    bool Unreadable = false;
};

// The view of one count from its best entries, best first.
TRankingView RankingView(int count, std::vector<TPostedEntry> best,
                         std::vector<int> countsWithEntries,
                         std::size_t limit = DefaultPageEntries);
