// The catalogue the build drew into the game folder: one readable icon per row, named so that the
// game's CP932 names come back unchanged, and no two pictures alike.
#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <map>

#include "platform/cp932.h"
#include "tests/support/testsupport.h"
#include "tools/cocktailtable.h"

namespace {

std::vector<Cocktail> BundledTable() {
    return ReadCocktailTable(SourceDir() + QStringLiteral("/data/cocktails.tsv"));
}

QDir CocktailFolder() {
    const QString game = GameDir();
    return QDir(game + QStringLiteral("/cocktail"));
}

QString IconPath(const Cocktail& c) {
    return CocktailFolder().filePath(c.name + QStringLiteral(".ico"));
}

// A picture as the game shows it, on its black panel.
QImage OnBlack(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage panel(image.size(), QImage::Format_RGB32);
    panel.fill(Qt::black);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            panel.setPixel(x, y, image.pixel(x, y) | 0xFF000000);
    return panel;
}

// The first (32 × 32) picture of an icon file on the black panel.
QImage OnBlack(const QString& path) { return OnBlack(QImageReader(path, "ico").read()); }

// Pixels that a player can tell apart: some channel differs by more than a faint shade.
int VisiblyDifferentPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 ||
                std::abs(qBlue(p) - qBlue(q)) > 40)
                ++count;
        }
    return count;
}

}  // namespace

TEST(CatalogueOutput, EveryRowHasExactlyOneIconFile) {
    // Counted as the game's wildcard does: case-insensitively, whatever else lies in the folder.
    const QStringList files =
        CocktailFolder().entryList({QStringLiteral("*.ico")}, QDir::Files | QDir::Hidden);
    for (const Cocktail& c : BundledTable()) {
        int matches = 0;
        for (const QString& file : files)
            if (file.compare(c.name + QStringLiteral(".ico"), Qt::CaseInsensitive) == 0) ++matches;
        EXPECT_EQ(matches, 1) << c.name.toStdString();
    }
}

TEST(CatalogueOutput, QtReadsEachIconAt32And64And128WithATransparentBackground) {
    for (const Cocktail& c : BundledTable()) {
        QImageReader reader(IconPath(c), "ico");
        ASSERT_EQ(reader.imageCount(), 3) << c.name.toStdString();
        const QImage small = reader.read();
        ASSERT_EQ(small.size(), QSize(32, 32)) << c.name.toStdString();
        EXPECT_TRUE(small.hasAlphaChannel());
        EXPECT_EQ(qAlpha(small.pixel(0, 31)), 0) << c.name.toStdString();
        EXPECT_EQ(qAlpha(small.pixel(31, 31)), 0) << c.name.toStdString();
        ASSERT_TRUE(reader.jumpToNextImage());
        EXPECT_EQ(reader.read().size(), QSize(64, 64)) << c.name.toStdString();
        ASSERT_TRUE(reader.jumpToNextImage());
        const QImage large = reader.read();
        ASSERT_EQ(large.size(), QSize(128, 128)) << c.name.toStdString();
        EXPECT_EQ(qAlpha(large.pixel(0, 127)), 0) << c.name.toStdString();
        // Drawn at its size, not enlarged: scaled down to 32 it is the small image's twin.
        EXPECT_LT(VisiblyDifferentPixels(OnBlack(large.scaled(32, 32, Qt::IgnoreAspectRatio,
                                                              Qt::SmoothTransformation)),
                                         OnBlack(small)),
                  32 * 32 / 4)
            << c.name.toStdString();
    }
}

TEST(CatalogueOutput, ImageMagickReadsEachIconAt32And64And128) {
    // A second, independent reader of the format; identify lists one line per picture.
    QStringList paths;
    for (const Cocktail& c : BundledTable()) paths << IconPath(c);
    QProcess identify;
    identify.start(QStringLiteral("identify"),
                   QStringList{QStringLiteral("-format"), QStringLiteral("%m %wx%h\\n")} + paths);
    ASSERT_TRUE(identify.waitForFinished(120000)) << "ImageMagick's identify did not run";
    ASSERT_EQ(identify.exitCode(), 0) << identify.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(identify.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), paths.size() * 3);
    for (int i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(lines[3 * i], QStringLiteral("ICO 32x32")) << paths[i].toStdString();
        EXPECT_EQ(lines[3 * i + 1], QStringLiteral("ICO 64x64")) << paths[i].toStdString();
        EXPECT_EQ(lines[3 * i + 2], QStringLiteral("ICO 128x128")) << paths[i].toStdString();
    }
}

TEST(CatalogueOutput, FileNamesDecodeBackToTheTablesNames) {
    // The game turns each UTF-8 file name into CP932 and shows it; that must be lossless and give
    // exactly the table's name once the extension is cut off.
    QSet<QString> names;
    for (const Cocktail& c : BundledTable()) names.insert(c.name);
    const QStringList files = CocktailFolder().entryList({QStringLiteral("*.ico")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files) {
        const std::string sjis = ToCp932(file);
        EXPECT_EQ(sjis.find('?'), std::string::npos) << file.toStdString();
        const QString back = FromCp932(sjis);
        EXPECT_EQ(back, file);
        EXPECT_TRUE(names.contains(back.left(back.lastIndexOf(QLatin1Char('.')))))
            << file.toStdString();
    }
}

TEST(CatalogueOutput, NoTwoPicturesLookAlike) {
    // Identical pixels would make a question unanswerable; a handful of faint differences would
    // make it a guess. Every pair must differ visibly in a good number of pixels.
    const int kEnough = 20;
    const auto table = BundledTable();
    std::vector<QImage> images;
    for (const Cocktail& c : table) images.push_back(OnBlack(IconPath(c)));
    std::string tooClose;
    for (size_t i = 0; i < images.size(); ++i)
        for (size_t j = i + 1; j < images.size(); ++j) {
            EXPECT_NE(images[i], images[j])
                << table[i].name.toStdString() << " = " << table[j].name.toStdString();
            const int differing = VisiblyDifferentPixels(images[i], images[j]);
            if (differing < kEnough)
                tooClose += table[i].name.toStdString() + " / " + table[j].name.toStdString() +
                            ": " + std::to_string(differing) + "\n";
        }
    if (!tooClose.empty()) ADD_FAILURE() << "pairs too much alike:\n" << tooClose;
}
