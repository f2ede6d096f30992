// Each accepted entry is one write(2) on a file opened for appending, cut back if the write falls
// short, so that no reader and no later entry ever meets a fragment.
#include "service/rankingstore.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/cp932.h"
#include "service/rankingpage.h"

TRankingStore::TRankingStore(const std::string& dataFolder, const std::string& pagesFolder,
                             uint64_t budget)
    : pagesFolder_(pagesFolder), budget_(budget) {
    for (int count = FirstCount; count <= LastCount; count += CountStep) {
        TCount& entry = counts_[count];
        const std::string path = RankingFilePath(dataFolder, count);
        try {
            auto file = std::make_unique<NativeFile>(path, O_RDWR | O_APPEND | O_CREAT);
            // Only a crash in the middle of a write leaves a last line without its end: ended
            // here, it cannot join the next entry.
            if (file->LastByte().value_or('\n') != '\n') file->WriteAll("\n");
            used_ += file->Size();
            entry.Lines = ReadEntries(path, entry.Best);
            entry.File = std::move(file);
        } catch (const Exception& failure) {
            std::fprintf(stderr, "rankingkeeper: %s\n",
                         FromCp932(failure.what()).toUtf8().constData());
            entry.Best = TBestEntries();
        }
    }
    WritePages();
}

std::string TRankingStore::PagePath(int count) const {
    return pagesFolder_ + "/" + std::to_string(count) + ".html";
}

TVerdict TRankingStore::Store(int count, std::string_view upload, std::string& problem) {
    TEntryFields fields;
    if (!ParseUpload(upload, fields)) return TVerdict::Malformed;
    TCount& entry = counts_.at(count);
    if (!entry.File) return TVerdict::Failed;
    const bool best = entry.Best.WouldKeep({fields.Score, fields.Hundredths, entry.Lines + 1});
    const uint64_t room = best ? budget_ : budget_ - budget_ / 20;
    if (used_ + upload.size() > room) return TVerdict::OverBudget;

    const int64_t before = entry.File->Size();
    ssize_t written;
    do {
        written = ::write(entry.File->Descriptor(), upload.data(), upload.size());
    } while (written < 0 && errno == EINTR);
    if (written != static_cast<ssize_t>(upload.size())) {
        // A short write means the disk filled in the middle of it.
        const int error = written < 0 ? errno : ENOSPC;
        entry.File->CutBackTo(before);
        return error == ENOSPC || error == EDQUOT ? TVerdict::DiskFull : TVerdict::Failed;
    }
    used_ += upload.size();
    ++entry.Lines;
    const bool first = entry.Best.Empty();
    try {
        // The first entry of a count adds its link to every page.
        if (entry.Best.Offer(fields, entry.Lines)) first ? WritePages() : WritePage(count);
    } catch (const Exception& failure) {
        problem = FromCp932(failure.what()).toUtf8().toStdString();
    }
    return TVerdict::Stored;
}

void TRankingStore::WritePage(int count) {
    std::vector<int> withEntries;
    for (const auto& [other, entry] : counts_) {
        if (!entry.Best.Empty()) withEntries.push_back(other);
    }
    const TCount& entry = counts_.at(count);
    TRankingView view = RankingView(count, entry.Best.Sorted(), withEntries);
    view.Unreadable = !entry.File;
    // Written beside the page and renamed over it: a visitor gets the old page or the new one.
    const std::string path = PagePath(count);
    const auto file = NativeFile::CreateBeside(path, path);
    try {
        file->WriteAll(RankingPageHtml(view));
        file->Close();
        if (std::rename(file->NativePath().c_str(), path.c_str()) != 0) {
            throw IoError("rename", path, errno);
        }
    } catch (const Exception&) {
        std::remove(file->NativePath().c_str());
        throw;
    }
}

void TRankingStore::WritePages() {
    for (const auto& [count, entry] : counts_) WritePage(count);
}
