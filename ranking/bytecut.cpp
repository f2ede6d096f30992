// Byte cuts that respect CP932 character boundaries.
#include "ranking/bytecut.h"

#include "platform/cp932.h"

std::string CutBytes(const std::string& text, std::size_t limit) {
    if (text.size() <= limit) return text;
    // Trail bytes share values with lead bytes, so only a walk from the start tells them apart.
    std::size_t end = 0;
    while (end < limit) {
        const bool lead = IsLeadByte(static_cast<unsigned char>(text[end]));
        if (lead && end + 1 == limit) break;
        end += lead ? 2 : 1;
    }
    return text.substr(0, end);
}
