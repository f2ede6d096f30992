// What the ranking page shows, read from the files the FTP account appends to.
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

// dataFolder + "/ranking/cocktail/" + count + ".log": where the game's appends land.
std::string RankingFilePath(const std::string& dataFolder, int count);

// The best `limit` entries of a file, best first, from one pass that holds at most `limit`
// entries. Lines that are not entries are passed over. A missing file has none; a file that
// cannot be read raises.
std::vector<TPostedEntry> BestEntries(const std::string& path, std::size_t limit);

// Whether the file holds at least one entry; reads only up to the first.
bool HasEntries(const std::string& path);

struct TRankingView {
    int Count = DefaultCount;
    // The most entries shown.
    std::size_t Limit = DefaultPageEntries;
    // Every count whose file holds an entry, ascending.
    std::vector<int> CountsWithEntries;
    std::vector<TPostedEntry> Best;
    // The place of each of Best: equal score and time share a place, the next place skips.
    std::vector<int> Places;
};

TRankingView ReadRanking(const std::string& dataFolder, int count,
                         std::size_t limit = DefaultPageEntries);
