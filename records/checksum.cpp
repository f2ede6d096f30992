// The score-log checksum.
#include "records/checksum.h"

int32_t Checksum(const std::string& text) {
    // Unsigned arithmetic gives the defined 32-bit wrap that the stored records rely on.
    uint32_t sum = 0;
    for (char c : text) {
        if (c == '\0') break;
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<int32_t>(sum * 2u);
}
