// Private folders and files on POSIX calls, named by the file system's own bytes.
#include "files/privatefiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/boundedfile.h"

bool MakePrivateFolders(const std::string& path) {
    struct stat info {};
    const auto isFolder = [&] { return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode); };
    if (isFolder()) return true;
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakePrivateFolders(path.substr(0, slash)))
        return false;
    if (::mkdir(path.c_str(), 0700) == 0) return true;
    // Another program may have made it at the same moment.
    const int error = errno;
    if (isFolder()) return true;
    errno = error == EEXIST ? ENOTDIR : error;
    return false;
}

namespace {
// Writes every byte and forces it to the disk, so that the rename never exposes an empty file.
bool WriteAndSync(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}
}  // namespace

bool WritePrivateFile(const std::string& path, const std::string& bytes) {
    std::string side = path + ".XXXXXX";
    const int fd = ::mkostemp(side.data(), O_CLOEXEC);  // made 0600
    if (fd < 0) return false;
    const bool written = WriteAndSync(fd, bytes);
    int error = errno;
    const bool closed = ::close(fd) == 0;
    if (written && !closed) error = errno;
    if (written && closed && ::rename(side.c_str(), path.c_str()) == 0) return true;
    if (written && closed) error = errno;
    ::unlink(side.c_str());
    errno = error;
    return false;
}

std::optional<std::string> ReadWholeFile(const std::string& path, long long limit) {
    std::string bytes;
    if (const auto failure = ReadBoundedFile(path, limit, bytes)) {
        errno = failure->Error == 0 ? EINVAL : failure->Error;
        return std::nullopt;
    }
    return bytes;
}
