// The catalogue: the icon files of the cocktail folder, as the game reads them once at start.
#pragma once

#include <string>
#include <vector>

#include "files/gamefolder.h"

// The names (CP932, without the folder) of every entry of the folder's cocktail folder that matches
// "*.ico" without regard to case, in the order the folder gives: hidden files and folders so named
// too. A name that is not valid in the file system's encoding is listed with "?" for what cannot
// be shown, so that loading it fails like that of any unreadable icon. No folder gives no names.
std::vector<std::string> ReadCatalogue(const TGameFolder& folder);
