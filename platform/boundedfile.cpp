// Bounded whole-file reads on POSIX descriptors.
#include "platform/boundedfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/scopeguard.h"

std::optional<TReadFailure> ReadBoundedFile(const std::string& fileName, int64_t limit,
                                            std::string& bytes) {
    bytes.clear();
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return TReadFailure{TReadFailure::Open, errno};
    const ScopeGuard closing([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0) return TReadFailure{TReadFailure::Read, errno};
    if (!S_ISREG(info.st_mode)) return TReadFailure{TReadFailure::Read, 0};
    if (info.st_size > limit) return TReadFailure{TReadFailure::Read, EFBIG};
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) return std::nullopt;
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) return TReadFailure{TReadFailure::Read, errno};
        // The file may grow while it is read.
        if (static_cast<int64_t>(bytes.size()) + count > limit)
            return TReadFailure{TReadFailure::Read, EFBIG};
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}
