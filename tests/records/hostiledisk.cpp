// A full disk on a tmpfs, and a child process without the superuser's rights.
#include "tests/records/hostiledisk.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace {
// Sixteen pages: room for a few files and quick to fill.
constexpr const char* SmallDiskOptions = "size=64k,mode=0755";
constexpr uid_t Nobody = 65534;

QString FillerPath(const QString& folder) { return folder + QStringLiteral("/filler"); }
}  // namespace

SmallDisk::SmallDisk() {
    if (geteuid() != 0) {
        why_ = "mounting a small tmpfs needs the superuser";
        return;
    }
    const QByteArray path = QFile::encodeName(dir_.path());
    mounted_ = ::mount("tmpfs", path.constData(), "tmpfs", 0, SmallDiskOptions) == 0;
    if (!mounted_) why_ = std::string("mounting a small tmpfs failed: ") + std::strerror(errno);
}

SmallDisk::~SmallDisk() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

void SmallDisk::Fill() {
    const int fd = ::open(QFile::encodeName(FillerPath(Path())).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return;
    // Whole pages first, then byte by byte into the filler's last page.
    const std::string page(4096, 'f');
    while (::write(fd, page.data(), page.size()) == static_cast<ssize_t>(page.size())) {
    }
    while (::write(fd, "f", 1) == 1) {
    }
    ::close(fd);
}

void SmallDisk::Free() { QFile::remove(FillerPath(Path())); }

bool SmallDisk::MakeReadOnly() {
    return mounted_ && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                               MS_REMOUNT | MS_RDONLY, SmallDiskOptions) == 0;
}

uid_t PlainUserId() { return geteuid() == 0 ? Nobody : geteuid(); }

std::optional<std::string> AsPlainUser(const std::function<void()>& step, std::string& why) {
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0) {
        why = "no pipe to the child";
        return std::nullopt;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        // The first byte tells the parent what follows: D rights not dropped, R raised, N nothing.
        std::string report = "N";
        if (geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)) {
            report = std::string("D") + std::strerror(errno);
        } else {
            try {
                step();
            } catch (const std::exception& error) {
                report = std::string("R") + error.what();
            }
        }
        (void)!::write(channel[1], report.data(), report.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) report.append(buffer, n);
    ::close(channel[0]);
    if (child > 0) ::waitpid(child, nullptr, 0);
    if (child < 0) {
        why = "no child process";
        return std::nullopt;
    }
    if (report.empty()) return std::string("(the child process ended without a report)");
    if (report[0] == 'D') {
        why = "cannot drop the superuser's rights: " + report.substr(1);
        return std::nullopt;
    }
    return report[0] == 'R' ? report.substr(1) : std::string();
}
