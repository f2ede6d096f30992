// The ranking keeper: the FTP front end hands it each upload whole over its standard input and
// gets the verdict back, one request at a time.
//
//   rankingkeeper --headers                  the pages' response headers, "Name: value" per line
//   rankingkeeper DATA PAGES BUDGET          keeps DATA's count files and PAGES' pages, both
//                                            within BUDGET bytes
//
// It first answers "ready <longest entry> <count> ...", then for each "APPEND <count> <length>"
// line followed by that many bytes one of "stored", "malformed", "over-budget", "disk-full",
// "failed".
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/cp932.h"
#include "service/rankingpage.h"
#include "service/rankingstore.h"

namespace {

const char* VerdictName(TVerdict verdict) {
    switch (verdict) {
        case TVerdict::Stored:
            return "stored";
        case TVerdict::Malformed:
            return "malformed";
        case TVerdict::OverBudget:
            return "over-budget";
        case TVerdict::DiskFull:
            return "disk-full";
        case TVerdict::Failed:
            break;
    }
    return "failed";
}

// The most the pages can take: each count's page and one being written, every text of every entry
// at its longest once escaped (a byte may grow to six, "&quot;").
constexpr uint64_t PagesReserve =
    (LastCount / CountStep + 1) * (DefaultPageEntries * 6 * MaxEntryLine + 16384);

bool ValidCount(int count) {
    return count >= FirstCount && count <= LastCount && count % CountStep == 0;
}

int Serve(TRankingStore& store) {
    std::printf("ready %zu", MaxEntryLine);
    for (int count = FirstCount; count <= LastCount; count += CountStep) std::printf(" %d", count);
    std::printf("\n");
    std::fflush(stdout);
    int count;
    std::size_t length;
    while (std::scanf("APPEND %d %zu", &count, &length) == 2 && std::getchar() == '\n') {
        // The front end never sends more than an entry's length; a longer request is its fault.
        if (!ValidCount(count) || length > MaxEntryLine) return 2;
        std::string upload(length, '\0');
        if (std::fread(upload.data(), 1, length, stdin) != length) return 2;
        std::string problem;
        const TVerdict verdict = store.Store(count, upload, problem);
        if (!problem.empty())
            std::fprintf(stderr, "rankingkeeper: page %d: %s\n", count, problem.c_str());
        std::printf("%s\n", VerdictName(verdict));
        std::fflush(stdout);
    }
    return std::feof(stdin) ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--headers") {
        for (const auto& [name, value] : RankingPageHeaders())
            std::printf("%s: %s\n", name.c_str(), value.c_str());
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: rankingkeeper --headers | DATA PAGES BUDGET\n");
        return 2;
    }
    try {
        const uint64_t budget = std::strtoull(argv[3], nullptr, 10);
        if (budget < 2 * PagesReserve) {
            std::fprintf(stderr,
                         "rankingkeeper: a budget of %llu bytes leaves no room for entries\n",
                         static_cast<unsigned long long>(budget));
            return 1;
        }
        TRankingStore store(argv[1], argv[2], budget - PagesReserve);
        return Serve(store);
    } catch (const Exception& failure) {
        std::fprintf(stderr, "rankingkeeper: %s\n", FromCp932(failure.what()).toUtf8().constData());
        return 1;
    }
}
