// POSIX file access with the program's file names and error texts.
#include "records/nativefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/cp932.h"
#include "platform/exception.h"

namespace {
constexpr const char* CannotCreate = "ファイルを作れません:";
constexpr const char* CannotOpen = "ファイルを開けません:";
constexpr const char* CannotRead = "ファイルを読み込めません:";
constexpr const char* CannotWrite = "ファイルに書き込めません:";
}  // namespace

EInOutError TooLargeError(const std::string& fileName) {
    return IoError(Cp932Text(CannotRead), fileName, EFBIG);
}

NativeFile::NativeFile(const std::string& fileName, int flags)
    : NativeFile(fileName, fileName, flags) {}

NativeFile::NativeFile(const std::string& fileName, const std::string& native, int flags)
    : name_(fileName), native_(native) {
    fd_ = ::open(native.c_str(), flags | O_CLOEXEC, 0600);
    if (fd_ < 0) Fail((flags & O_CREAT) ? CannotCreate : CannotOpen, errno);
}

std::unique_ptr<NativeFile> NativeFile::CreateBeside(const std::string& fileName,
                                                     const std::string& native) {
    std::unique_ptr<NativeFile> file(new NativeFile(fileName, native + ".XXXXXX"));
    // mkstemp makes 0600, as open(2) does here.
    file->fd_ = ::mkostemp(file->native_.data(), O_CLOEXEC);
    if (file->fd_ < 0) file->Fail(CannotCreate, errno);
    return file;
}

NativeFile::~NativeFile() {
    if (fd_ >= 0) ::close(fd_);
}

void NativeFile::Fail(const char* what, int error) const {
    throw IoError(Cp932Text(what), name_, error);
}

void NativeFile::WriteAll(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(CannotWrite, n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
}

std::size_t NativeFile::ReadSome(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) Fail(CannotRead, errno);
    }
}

std::string NativeFile::ReadExactly(std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::read(fd_, bytes.data() + done, count - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(CannotRead, n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

int64_t NativeFile::Size() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) Fail(CannotRead, errno);
    return info.st_size;
}

std::optional<char> NativeFile::LastByte() {
    const int64_t size = Size();
    if (size == 0) return std::nullopt;
    char last = 0;
    ssize_t n = ::pread(fd_, &last, 1, size - 1);
    if (n != 1) Fail(CannotRead, n < 0 ? errno : EIO);
    return last;
}

void NativeFile::Resize(int64_t size) {
    while (::ftruncate(fd_, size) != 0) {
        if (errno != EINTR) Fail(CannotWrite, errno);
    }
}

void NativeFile::Rewind() {
    if (::lseek(fd_, 0, SEEK_SET) != 0) Fail(CannotRead, errno);
}

void NativeFile::CutBackTo(int64_t size) noexcept {
    while (::ftruncate(fd_, size) != 0 && errno == EINTR) {
    }
}

void NativeFile::Sync() {
    if (::fsync(fd_) != 0) Fail(CannotWrite, errno);
}

void NativeFile::Close() {
    if (fd_ < 0) return;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) Fail(CannotWrite, errno);
}
