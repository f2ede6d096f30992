// The icon loader of the game, the browser and the about box, on Qt's ICO reader.
#include "catalogue/cocktailicon.h"

#include <QBuffer>
#include <QImageReader>
#include <cstring>

#include "platform/boundedfile.h"
#include "platform/cp932.h"
#include "platform/exception.h"

namespace {
constexpr int kIconSize = 32;
// Far beyond any icon; a larger file is not read into memory.
constexpr int64_t kMaxIconBytes = 16 << 20;

[[noreturn]] void Fail(const std::string& fileName, const QString& reason) {
    throw Exception(ShownName(fileName) + Cp932Text(" のアイコンを読み込めません（") +
                    ToCp932(reason) + Cp932Text("）。"));
}

// The file's bytes; anything but an ordinary file is refused before a byte is read.
QByteArray ReadIconFile(const std::string& fileName) {
    std::string bytes;
    if (const auto failure = ReadBoundedFile(fileName, kMaxIconBytes, bytes)) {
        Fail(fileName, failure->Error == 0 ? QStringLiteral("not an ordinary file")
                                           : QString::fromLocal8Bit(std::strerror(failure->Error)));
    }
    return QByteArray::fromStdString(bytes);
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

QImage LoadCocktailIcon(const TGameFolder& folder, const std::string& entry,
                        qreal devicePixelRatio) {
    return LoadCocktailPicture(folder, entry, kIconSize, devicePixelRatio);
}

QImage LoadCocktailPicture(const TGameFolder& folder, const std::string& entry, int size,
                           qreal devicePixelRatio) {
    const std::string fileName = folder.IconFile(entry);
    QByteArray bytes = ReadIconFile(fileName);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "ico");
    QImage image = BestImage(reader, qRound(size * devicePixelRatio));
    if (image.isNull()) Fail(fileName, reader.errorString());
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}
