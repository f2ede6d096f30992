// File names of the game's folder.
#include "files/gamefolder.h"

#include "platform/cp932.h"

TGameFolder::TGameFolder(std::string path, bool readOnly)
    : path_(std::move(path)), readOnly_(readOnly) {
    while (path_.size() > 1 && path_.back() == '/') path_.pop_back();
}

std::string TGameFolder::File(const char* name) const {
    return path_ + (path_.ends_with('/') ? "" : "/") + name;
}

std::string TGameFolder::IconFile(const std::string& entry) const {
    return CatalogueFolder() + "/" + NativeName(entry);
}
