// Reading and safely replacing the settings file.
#include "records/settingsfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/path.h"
#include "records/lines.h"
#include "records/nativefile.h"
#include "records/stringfile.h"

namespace {
constexpr const char* CannotWrite = "ファイルに書き込めません:";

// The file system's name of the file that holds the settings: a setting.dat that is a link is
// followed to the file it names, so that the link itself stays in place.
std::string LinkTarget(const std::string& path) {
    std::filesystem::path file(path);
    std::error_code error;
    for (int hop = 0; hop < 40 && std::filesystem::is_symlink(file, error); ++hop) {
        const std::filesystem::path next = std::filesystem::read_symlink(file, error);
        if (error) break;
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    if (std::filesystem::is_symlink(file, error))
        throw IoError(Cp932Text(CannotWrite), path, ELOOP);
    return file.string();
}

// Makes the rename itself survive a power loss; a folder that refuses is no reason to fail.
void SyncFolder(const std::string& nativeFolder) {
    int fd = ::open(nativeFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Writes the new contents beside the file and renames them over it, so that an interrupted save
// never leaves a torn or empty file. False where the folder takes no new file, or where the new
// file could not keep the old one's owner.
bool ReplaceBySideFile(const std::string& path, const std::string& target, const std::string& text,
                       const struct stat* existing) {
    std::unique_ptr<NativeFile> file;
    try {
        file = NativeFile::CreateBeside(path, target);
    } catch (const EInOutError& error) {
        if (existing && (error.ErrorCode == EACCES || error.ErrorCode == EPERM)) return false;
        throw;
    }
    const std::string side = file->NativePath();
    try {
        if (existing) {
            if (::fchown(file->Descriptor(), existing->st_uid, existing->st_gid) != 0) {
                file.reset();
                ::unlink(side.c_str());
                return false;
            }
            ::fchmod(file->Descriptor(), existing->st_mode & 07777);
        }
        file->WriteAll(text);
        file->Sync();
        file->Close();
        if (::rename(side.c_str(), target.c_str()) != 0) {
            throw IoError(Cp932Text("ファイルを作れません:"), path, errno);
        }
    } catch (...) {
        ::unlink(side.c_str());
        throw;
    }
    SyncFolder(FolderPart(target));
    return true;
}

// Rewrites the file itself, for a folder that takes no side file: the new contents first and
// then the length, so that it is never empty; a write that fails puts the old contents back.
void WriteInPlace(const std::string& path, const std::string& target, const std::string& text) {
    NativeFile file(path, target, O_RDWR | O_NONBLOCK);
    const int64_t size = file.Size();
    // A file beyond any settings file's size is not worth keeping a copy of.
    const std::optional<std::string> old =
        size <= SettingsFileLimit ? std::optional(file.ReadExactly(size)) : std::nullopt;
    try {
        file.Rewind();
        file.WriteAll(text);
        file.Resize(static_cast<int64_t>(text.size()));
        file.Sync();
    } catch (const Exception&) {
        if (old) {
            try {
                file.Rewind();
                file.WriteAll(*old);
            } catch (const Exception&) {
                // The first failure is the one the player hears of.
            }
            file.CutBackTo(size);
        }
        throw;
    }
    file.Close();
}
}  // namespace

std::optional<std::vector<std::string>> ReadSettingsLines(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (info.st_size > SettingsFileLimit) throw TooLargeError(path);
    std::string text;
    LoadStringFromFile(path, text);
    return SplitLines(text);
}

void WriteSettingsFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";

    const std::string target = LinkTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        // A rename would replace even a read-only file; opening it for writing keeps its refusal.
        NativeFile(path, target, O_WRONLY | O_NONBLOCK).Close();
        if (!S_ISREG(existing.st_mode)) throw IoError(Cp932Text(CannotWrite), path, EINVAL);
    }
    if (!ReplaceBySideFile(path, target, text, exists ? &existing : nullptr)) {
        WriteInPlace(path, target, text);
    }
}
