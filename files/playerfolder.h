// Which folder holds the game's files. A build folder or an unpacked copy carries its own catalogue
// and is used as it is; an installed program cannot write beside itself, so it plays from a folder
// of the player's own, filled from the installed catalogue, recipe cards and help file.
#pragma once

#include <string>

#include "files/gamefolder.h"

// Folders of this run, in the file system's own bytes.
struct GameFolderPlaces {
    std::string Executable;  // the running program's folder
    std::string Installed;   // the installed cocktail/, cocktail.hlp and recipes.tsv
    std::string Player;      // the player's own folder
};

// The places of this run. `installedFromExecutable` leads from the executable's folder to the
// installed files; the player's folder is bartendam/ in $XDG_DATA_HOME, or in ~/.local/share
// when that is unset, empty or not absolute.
GameFolderPlaces CurrentGameFolderPlaces(const std::string& installedFromExecutable);

// The game's folder: the executable's own when it holds a cocktail folder; otherwise the
// player's, made if need be, given the installed icons it has not been offered before and the
// current help file. A player's folder that cannot be made, written or filled is reported in an
// error box, and the game plays from the installed files, read-only.
TGameFolder PrepareGameFolder(const GameFolderPlaces& places);

// In the player's folder: the installed icons already offered, one file name a line. An icon is
// offered once, so one the player deleted stays deleted.
inline constexpr char kOfferedIconsFile[] = "installed-icons.txt";
