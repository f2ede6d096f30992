// Line splitting that accepts every line end the program's files may carry; fields cut at tabs.
#include "records/lines.h"

#include <fcntl.h>

#include <limits>

#include "records/nativefile.h"

LineSplitter::LineSplitter(Sink sink, std::size_t limit) : sink_(std::move(sink)), limit_(limit) {}

bool LineSplitter::Feed(std::string_view piece) {
    for (std::size_t i = 0; i < piece.size() && !ended_; ++i) {
        const char c = piece[i];
        const bool crlf = afterCr_ && c == '\n';
        afterCr_ = c == '\r';
        if (c == '\0') {
            ended_ = true;
        } else if (crlf) {
            // The second half of a CR LF whose CR ended the line already.
        } else if (c == '\r' || c == '\n') {
            open_ = true;
            EndLine();
        } else {
            open_ = true;
            // Runs of ordinary bytes go in at once.
            std::size_t stop = i;
            while (stop < piece.size() && piece[stop] != '\r' && piece[stop] != '\n' &&
                   piece[stop] != '\0') {
                ++stop;
            }
            const std::size_t room = limit_ - line_.size();
            if (stop - i > room) whole_ = false;
            line_.append(piece.substr(i, std::min(stop - i, room)));
            i = stop - 1;
        }
    }
    return !ended_;
}

void LineSplitter::Finish() {
    if (open_) EndLine();
}

void LineSplitter::EndLine() {
    sink_(line_, whole_);
    line_.clear();
    open_ = false;
    whole_ = true;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    LineSplitter splitter([&](const std::string& line, bool) { lines.push_back(line); },
                          std::numeric_limits<std::size_t>::max());
    splitter.Feed(text);
    splitter.Finish();
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

void ReadLines(const std::string& fileName, std::size_t limit, const LineSplitter::Sink& sink) {
    // Never blocks on a FIFO put in the file's place.
    NativeFile file(fileName, O_RDONLY | O_NONBLOCK);
    LineSplitter splitter(sink, limit);
    std::string buffer(64 * 1024, '\0');
    while (std::size_t count = file.ReadSome(buffer.data(), buffer.size())) {
        if (!splitter.Feed(std::string_view(buffer.data(), count))) break;
    }
    splitter.Finish();
    file.Close();
}
