// The file is read in large blocks; lines are handed out as views into the block.
#include "service/linereader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

class File {
  public:
    explicit File(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~File() {
        if (fd_ >= 0) close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    int Fd() const { return fd_; }

  private:
    int fd_;
};

constexpr std::size_t BlockSize = 256 * 1024;

}  // namespace

bool ForEachLine(const std::string& path, std::size_t maxLine,
                 const std::function<bool(std::string_view)>& line) {
    File file(path);
    if (file.Fd() < 0) return errno == ENOENT;
    std::vector<char> buffer(BlockSize + maxLine + 1);
    std::size_t held = 0;   // bytes of an unfinished line at the buffer's start
    bool skipping = false;  // inside a line that has grown past maxLine
    for (;;) {
        const ssize_t got = read(file.Fd(), buffer.data() + held, buffer.size() - held);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        const char* start = buffer.data();
        const char* end = buffer.data() + held + got;
        for (const char* lf; (lf = static_cast<const char*>(std::memchr(start, '\n', end - start)));
             start = lf + 1) {
            const std::size_t length = lf - start;
            if (!skipping && length <= maxLine && !line(std::string_view(start, length))) {
                return true;
            }
            skipping = false;
        }
        held = end - start;
        if (held > maxLine) {
            skipping = true;
            held = 0;
        }
        if (held > 0) std::memmove(buffer.data(), start, held);
    }
}
