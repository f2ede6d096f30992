// The icon loader of the game, the browser and the about box, on Qt's ICO reader.
#include "catalogue/cocktailicon.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cerrno>
#include <cstring>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/scopeguard.h"

namespace {
constexpr int kIconSize = 32;
// Far beyond any icon; a larger file is not read into memory.
constexpr off_t kMaxIconBytes = 16 << 20;

[[noreturn]] void Fail(const std::string& fileName, const QString& reason) {
    throw Exception(fileName + Cp932Text(" のアイコンを読み込めません（") + ToCp932(reason) +
                    Cp932Text("）。"));
}

// The file's bytes. The open does not wait (a FIFO without a writer would block it for good), and
// anything but an ordinary file is refused before a byte is read.
QByteArray ReadIconFile(const std::string& fileName) {
    const QByteArray native = QFile::encodeName(FromCp932(fileName));
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) Fail(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    const ScopeGuard closing([fd] { ::close(fd); });
    struct stat info {};
    if (::fstat(fd, &info) != 0) Fail(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(info.st_mode)) Fail(fileName, QStringLiteral("not an ordinary file"));
    if (info.st_size > kMaxIconBytes) Fail(fileName, QStringLiteral("file too large"));
    QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(fileName, QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0) break;
        done += n;
    }
    bytes.truncate(done);
    return bytes;
}

qint64 Area(const QImage& image) { return qint64(image.width()) * image.height(); }

// The smallest image at least `pixels` square, or else the largest, at exactly that size.
QImage BestImage(QImageReader& reader, int pixels) {
    QImage best;
    const auto covers = [pixels](const QImage& image) {
        return image.width() >= pixels && image.height() >= pixels;
    };
    do {
        QImage image = reader.read();
        if (image.isNull()) break;
        const bool better =
            best.isNull() || (covers(image) ? !covers(best) || Area(image) < Area(best)
                                            : !covers(best) && Area(image) > Area(best));
        if (better) best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull() || best.size() == QSize(pixels, pixels)) return best;
    return best.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
}  // namespace

QImage LoadCocktailIcon(const std::string& appFolder, const std::string& entry,
                        qreal devicePixelRatio) {
    const std::string fileName = appFolder + "cocktail/" + entry;
    QByteArray bytes = ReadIconFile(fileName);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    QImage image = BestImage(reader, qRound(kIconSize * devicePixelRatio));
    if (image.isNull()) Fail(fileName, reader.errorString());
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
