// The string-file helpers over the file system.
#include "records/stringfile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "files/privatefiles.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/path.h"
#include "records/nativefile.h"

namespace {
void EnsureFolder(const std::string& folder) {
    if (!folder.empty() && !MakePrivateFolders(folder))
        throw Exception(Cp932Text("ディレクトリ") + ShownName(folder) +
                        Cp932Text("が作れません。"));
}
}  // namespace

void FindFile(const std::string& fileName, TSearchRec& rec) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) {
        throw Exception(ShownName(fileName) + Cp932Text("の情報の取得に失敗しました。"));
    }
    rec.Size = static_cast<int64_t>(info.st_size);
    rec.Time = static_cast<int64_t>(info.st_mtime);
    rec.Directory = S_ISDIR(info.st_mode);
    rec.Name = NamePart(fileName);
}

void LoadStringFromFile(const std::string& fileName, std::string& text) {
    TSearchRec rec{};
    FindFile(fileName, rec);
    if (rec.Size == 0) {
        text.clear();
        return;
    }
    NativeFile file(fileName, O_RDONLY);
    text = file.ReadExactly(static_cast<std::size_t>(rec.Size));
    file.Close();
}

void SaveStringToFile(const std::string& fileName, const std::string& text) {
    EnsureFolder(FolderPart(fileName));
    NativeFile file(fileName, O_WRONLY | O_CREAT | O_TRUNC);
    file.WriteAll(text);
    file.Close();
}
