// The best entries of a count are kept in a heap whose top is the weakest of them, so that each
// line costs one comparison unless it enters the page.
#include "service/rankingfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/exception.h"
#include "service/linereader.h"

namespace {

// As a heap's order this puts the weakest kept entry on top.
bool Better(const TPostedEntry& a, const TPostedEntry& b) { return RanksBefore(a.Key, b.Key); }

void ReadLines(const std::string& path, const std::function<bool(std::string_view)>& line) {
    if (!ForEachLine(path, MaxEntryLine, line)) {
        throw Exception("cannot read " + path + ": " + std::strerror(errno));
    }
}

}  // namespace

std::string RankingFilePath(const std::string& dataFolder, int count) {
    return dataFolder + "/ranking/cocktail/" + std::to_string(count) + ".log";
}

std::vector<TPostedEntry> BestEntries(const std::string& path, std::size_t limit) {
    std::vector<TPostedEntry> best;
    if (limit == 0) return best;
    best.reserve(limit);
    uint64_t arrival = 0;
    TEntryFields fields;
    ReadLines(path, [&](std::string_view line) {
        ++arrival;
        if (!ParseEntryFields(line, fields)) return true;
        const TRankKey key{fields.Score, fields.Hundredths, arrival};
        if (best.size() < limit) {
            best.push_back(KeepEntry(fields, arrival));
            std::push_heap(best.begin(), best.end(), Better);
        } else if (RanksBefore(key, best.front().Key)) {
            std::pop_heap(best.begin(), best.end(), Better);
            best.back() = KeepEntry(fields, arrival);
            std::push_heap(best.begin(), best.end(), Better);
        }
        return true;
    });
    std::sort_heap(best.begin(), best.end(), Better);
    return best;
}

bool HasEntries(const std::string& path) {
    bool found = false;
    TEntryFields fields;
    ReadLines(path, [&](std::string_view line) {
        found = ParseEntryFields(line, fields);
        return !found;
    });
    return found;
}

TRankingView ReadRanking(const std::string& dataFolder, int count, std::size_t limit) {
    TRankingView view;
    view.Count = count;
    view.Limit = limit;
    view.Best = BestEntries(RankingFilePath(dataFolder, count), limit);
    for (std::size_t i = 0; i < view.Best.size(); ++i) {
        const bool tied = i > 0 && !BetterResult(view.Best[i - 1].Key, view.Best[i].Key);
        view.Places.push_back(tied ? view.Places.back() : static_cast<int>(i) + 1);
    }
    for (int other = FirstCount; other <= LastCount; other += CountStep) {
        const bool has =
            other == count ? !view.Best.empty() : HasEntries(RankingFilePath(dataFolder, other));
        if (has) view.CountsWithEntries.push_back(other);
    }
    return view;
}
