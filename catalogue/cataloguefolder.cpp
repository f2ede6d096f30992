// Listing the cocktail folder with the C library, which hands over every name as it is stored.
#include "catalogue/cataloguefolder.h"

#include <dirent.h>
#include <strings.h>

#include <QFile>
#include <cstring>

#include "platform/cp932.h"
#include "platform/scopeguard.h"

namespace {
bool MatchesIcoPattern(const char* name) {
    const std::size_t length = std::strlen(name);
    return length >= 4 && ::strcasecmp(name + length - 4, ".ico") == 0;
}
}  // namespace

std::vector<std::string> ReadCatalogue(const TGameFolder& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.CatalogueFolder().c_str());
    if (!dir) return names;
    const ScopeGuard closing([dir] { ::closedir(dir); });
    while (const dirent* entry = ::readdir(dir)) {
        // Qt's own listing drops a name that is not valid UTF-8; decoding it here keeps it, with
        // U+FFFD where it cannot be read, which CP932 writes as "?".
        if (MatchesIcoPattern(entry->d_name))
            names.push_back(ToCp932(QFile::decodeName(entry->d_name)));
    }
    return names;
}
