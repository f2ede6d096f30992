// Reading the count files through the program's line reader, and ranking what they hold.
#include "service/rankingfile.h"

#include <algorithm>

#include "records/lines.h"

namespace {

// As a heap's order this puts the weakest kept entry on top.
bool Better(const TPostedEntry& a, const TPostedEntry& b) { return RanksBefore(a.Key, b.Key); }

}  // namespace

std::string RankingFilePath(const std::string& dataFolder, int count) {
    return dataFolder + "/ranking/cocktail/" + std::to_string(count) + ".log";
}

bool TBestEntries::WouldKeep(const TRankKey& key) const {
    return limit_ > 0 && (heap_.size() < limit_ || RanksBefore(key, heap_.front().Key));
}

bool TBestEntries::Offer(const TEntryFields& fields, uint64_t arrival) {
    if (!WouldKeep({fields.Score, fields.Hundredths, arrival})) return false;
    if (heap_.size() == limit_) {
        std::pop_heap(heap_.begin(), heap_.end(), Better);
        heap_.pop_back();
    }
    heap_.push_back(KeepEntry(fields, arrival));
    std::push_heap(heap_.begin(), heap_.end(), Better);
    return true;
}

std::vector<TPostedEntry> TBestEntries::Sorted() const {
    std::vector<TPostedEntry> sorted = heap_;
    std::sort_heap(sorted.begin(), sorted.end(), Better);
    return sorted;
}

uint64_t ReadEntries(const std::string& path, TBestEntries& best) {
    uint64_t lines = 0;
    TEntryFields fields;
    // A line longer than an entry arrives cut and marked as not whole.
    ReadLines(path, MaxEntryLine, [&](const std::string& line, bool whole) {
        ++lines;
        if (whole && ParseEntryFields(line, fields)) best.Offer(fields, lines);
    });
    return lines;
}

std::vector<TPostedEntry> BestEntries(const std::string& path, std::size_t limit) {
    TBestEntries best(limit);
    ReadEntries(path, best);
    return best.Sorted();
}

TRankingView RankingView(int count, std::vector<TPostedEntry> best,
                         std::vector<int> countsWithEntries, std::size_t limit) {
    TRankingView view;
    view.Count = count;
    view.Limit = limit;
    view.CountsWithEntries = std::move(countsWithEntries);
    view.Best = std::move(best);
    for (std::size_t i = 0; i < view.Best.size(); ++i) {
        const bool tied = i > 0 && !BetterResult(view.Best[i - 1].Key, view.Best[i].Key);
        view.Places.push_back(tied ? view.Places.back() : static_cast<int>(i) + 1);
    }
    return view;
}
