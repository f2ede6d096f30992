// Line splitting that accepts every line end the program's files may carry.
#include "records/lines.h"

#include <algorithm>

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    const std::size_t end = std::min(text.find('\0'), text.size());
    std::size_t start = 0;
    while (start < end) {
        std::size_t stop = start;
        while (stop < end && text[stop] != '\r' && text[stop] != '\n') ++stop;
        lines.push_back(text.substr(start, stop - start));
        if (stop < end) {
            const bool crlf = text[stop] == '\r' && stop + 1 < end && text[stop + 1] == '\n';
            stop += crlf ? 2 : 1;
        }
        start = stop;
    }
    return lines;
}
