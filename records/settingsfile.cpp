// Reading and safely replacing the settings file.
#include "records/settingsfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

#include "platform/exception.h"
#include "records/lines.h"
#include "records/nativefile.h"
#include "records/stringfile.h"

namespace {
std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// Makes the rename itself survive a power loss; a folder that refuses is no reason to fail.
void SyncFolder(const std::string& folder) {
    int fd = ::open(NativeName(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
}  // namespace

std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path) {
    struct stat info {};
    if (::stat(NativeName(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string text;
    LoadStringFromFile(path, text);
    return SplitLines(text);
}

void WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";

    const std::string native = NativeName(path);
    struct stat existing {};
    const bool exists = ::stat(native.c_str(), &existing) == 0;
    if (exists) {
        // A rename would replace even a read-only file; opening it for writing keeps its refusal.
        NativeFile(path, O_WRONLY | O_NONBLOCK).Close();
    }

    std::unique_ptr<NativeFile> file = NativeFile::CreateBeside(path, native);
    const std::string side = file->NativePath();
    try {
        if (exists) ::fchmod(file->Descriptor(), existing.st_mode & 07777);
        file->WriteAll(text);
        file->Sync();
        file->Close();
        if (::rename(side.c_str(), native.c_str()) != 0) {
            const int error = errno;
            throw IoError(Cp932Text("ファイルを作れません:"), path, error);
        }
    } catch (...) {
        ::unlink(side.c_str());
        throw;
    }
    SyncFolder(FolderOf(path));
}
