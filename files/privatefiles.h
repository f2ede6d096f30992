// Folders and files of the player's own: folders the game makes are 0700 and its files 0600, as
// the XDG base directories ask for a user's data.
#pragma once

#include <optional>
#include <string>

// Makes `path` and every missing folder above it, each 0700; false with errno set when one cannot
// be made or something other than a folder stands in the way.
bool MakePrivateFolders(const std::string& path);

// Writes `bytes` to a fresh 0600 file beside `path` and renames it into place, so that the file is
// never seen half written and two programs writing the same contents at once both succeed. False
// with errno set on failure; nothing is left beside the file then.
bool WritePrivateFile(const std::string& path, const std::string& bytes);

// The whole of the ordinary file `path` (at most `limit` bytes); nothing with errno set when it
// cannot be read, ENOENT when there is no such file.
std::optional<std::string> ReadWholeFile(const std::string& path, long long limit);
