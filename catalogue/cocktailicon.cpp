// The icon loader of the browser and the about box, on Qt's ICO reader.
#include "catalogue/cocktailicon.h"

#include <QImageReader>

#include "platform/cp932.h"
#include "platform/exception.h"

namespace {
constexpr int kIconSize = 32;

QImage BestImage(QImageReader& reader) {
    QImage best;
    do {
        QImage image = reader.read();
        if (image.isNull()) break;
        if (image.width() == kIconSize && image.height() == kIconSize) return image;
        if (image.width() * image.height() > best.width() * best.height()) best = image;
    } while (reader.jumpToNextImage());
    if (best.isNull()) return best;
    return best.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
}  // namespace

QImage LoadCocktailIcon(const std::string& appFolder, const std::string& entry) {
    const std::string fileName = appFolder + "cocktail/" + entry;
    QImageReader reader(FromCp932(fileName), "ico");
    QImage image = BestImage(reader);
    if (image.isNull()) {
        throw Exception(fileName + ToCp932(QStringLiteral(" のアイコンを読み込めません（")) +
                        ToCp932(reader.errorString()) + ToCp932(QStringLiteral("）。")));
    }
    return image;
}
