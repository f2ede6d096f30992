// Whole-file text helpers: a file's directory entry, and a text read or written byte for byte.
#pragma once

#include <cstdint>
#include <string>

// What the directory knows of one entry.
struct TSearchRec {
    int64_t Size;      // bytes
    int64_t Time;      // last write, seconds since 1970-01-01 UTC
    bool Directory;    // the entry is a folder
    std::string Name;  // the entry's own name, without its folder
};

// File names are the file system's own bytes.

// Fills `rec` for `fileName` (any kind of entry). Raises Exception with the file name
// followed by "の情報の取得に失敗しました。" when there is no such entry.
void FindFile(const std::string& fileName, TSearchRec& rec);

// The whole contents of `fileName`, byte for byte. A 0-byte file gives the empty text without
// being opened.
void LoadStringFromFile(const std::string& fileName, std::string& text);

// Creates (0600) or empties `fileName` and writes exactly the bytes of `text`, creating missing
// folders (0700) first. Raises Exception "ディレクトリ" + folder + "が作れません。" when a folder
// cannot be made.
void SaveStringToFile(const std::string& fileName, const std::string& text);
