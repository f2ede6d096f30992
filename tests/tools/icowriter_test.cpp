// The ICO writer: its files read back pixel for pixel, and the folder writer keeps the player's
// own icons while dropping the ones it wrote for cocktails that left the table.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include "tests/support/testsupport.h"
#include "tools/cocktailtable.h"
#include "tools/iconfolder.h"
#include "tools/icowriter.h"

namespace {

QImage Pattern(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(
                x, y,
                x < 3 ? 0 : qRgba(x * 7 % 256, y * 5 % 256, (x + y) % 256, x < 6 ? 128 : 255));
    return image;
}

// Readers may pass half-transparent pixels through premultiplied form, which rounds the colour.
bool Near(QRgb a, QRgb b) {
    return qAlpha(a) == qAlpha(b) && std::abs(qRed(a) - qRed(b)) <= 2 &&
           std::abs(qGreen(a) - qGreen(b)) <= 2 && std::abs(qBlue(a) - qBlue(b)) <= 2;
}

std::vector<QImage> ReadAll(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    std::vector<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        reader.jumpToImage(i);
        images.push_back(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

}  // namespace

TEST(IcoWriter, EverySizeReadsBackWithItsPixelsAndTransparency) {
    const std::vector<QImage> written = {Pattern(32), Pattern(64)};
    const QByteArray bytes = EncodeIco(written);
    // Header: reserved 0, type 1 (icon), two entries; the first entry is 32 × 32 at 32 bits.
    ASSERT_GE(bytes.size(), 22);
    EXPECT_EQ(bytes.left(6), QByteArray("\0\0\1\0\2\0", 6));
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 32);
    EXPECT_EQ(static_cast<unsigned char>(bytes[12]), 32);
    const auto read = ReadAll(bytes);
    ASSERT_EQ(read.size(), 2u);
    for (size_t i = 0; i < read.size(); ++i) {
        ASSERT_EQ(read[i].size(), written[i].size());
        for (int y = 0; y < read[i].height(); ++y)
            for (int x = 0; x < read[i].width(); ++x)
                ASSERT_TRUE(Near(read[i].pixel(x, y), written[i].pixel(x, y)))
                    << i << " " << x << "," << y;
    }
}

TEST(IconFolder, RewritingDropsOnlyTheIconsOfRemovedRows) {
    // The player's own icon in the folder must survive a rebuild; a renamed row's old icon not.
    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("cocktail"));
    const QString manifest = temp.filePath(QStringLiteral("manifest.txt"));
    const auto two = ParseCocktailTable(
        "マティーニ\tcocktail\t#e8eedca0\tnone\tolive\nギブソン\tcocktail\t#"
        "e8eedca0\tnone\tonion\n",
        QStringLiteral("t.tsv"));
    WriteCocktailFolder(two, folder, manifest);
    QDir dir(folder);
    EXPECT_EQ(dir.entryList({QStringLiteral("*.ico")}, QDir::Files).size(), 2);
    WriteFileBytes(dir.filePath(QStringLiteral("自作.ico")),
                   ReadFileBytes(dir.filePath(QString::fromUtf8("ギブソン.ico"))));
    WriteCocktailFolder({two[0]}, folder, manifest);
    EXPECT_TRUE(dir.exists(QString::fromUtf8("マティーニ.ico")));
    EXPECT_FALSE(dir.exists(QString::fromUtf8("ギブソン.ico")));
    EXPECT_TRUE(dir.exists(QString::fromUtf8("自作.ico")));
}
