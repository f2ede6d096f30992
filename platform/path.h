// Splitting a file name into its folder and its own name, "/" between folders. "/" is never a
// byte of a longer character in UTF-8, nor the second byte of a CP932 one, so a byte search is
// safe in either.
#pragma once

#include <string>

// The folder: up to the last "/", without that "/" except for the root; empty without a "/".
inline std::string FolderPart(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {};
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The entry's own name: what follows the last "/", or the whole name without one.
inline std::string NamePart(const std::string& path) {
    return path.substr(path.rfind('/') + 1);  // npos + 1 is 0
}
