// The catalogue: the icon files of the cocktail folder, as the game reads them once at start.
#pragma once

#include <string>
#include <vector>

#include "files/gamefolder.h"

// A file named like an icon that the catalogue leaves out, and why (CP932).
struct TLeftOutIcon {
    std::string File;  // the file system's name, without the folder
    std::string Reason;
};

struct TCatalogueListing {
    std::vector<std::string> Entries;   // CP932 names, without the folder
    std::vector<TLeftOutIcon> LeftOut;  // in byte order of their names
};

// Every entry of the folder's cocktail folder that matches "*.ico" without regard to case, in the
// order the folder gives: hidden files and folders so named too. A name must be UTF-8 that CP932
// writes and reads back unchanged, since the game shows and sends it and finds the file again by
// it; any other is left out. No folder gives no names.
TCatalogueListing ListCatalogue(const TGameFolder& folder);

// The entries of ListCatalogue; the files it left out are named, with their reasons, in one
// warning box.
std::vector<std::string> ReadCatalogue(const TGameFolder& folder);
