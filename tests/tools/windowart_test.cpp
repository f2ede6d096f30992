// The windows' pictures kept in resources/images: the sizes the layouts are made for, and the
// transparency the lifeline icons need on their red circles.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QSet>

#include "tests/support/testsupport.h"

namespace {

QString Picture(const char* file) {
    return SourceDir() + QStringLiteral("/resources/images/") + QLatin1String(file);
}

}  // namespace

TEST(WindowArt, PicturesHaveTheirWindowsSizes) {
    // Rows: file, width, height, whether its background is see-through.
    struct Row {
        const char* file;
        int width, height;
        bool transparent;
    } rows[] = {
        {"new.png", 91, 51, false},      {"bar.png", 93, 117, false},
        {"lifeline2.png", 32, 32, true}, {"lifeline4.png", 32, 32, true},
        {"setting.png", 64, 41, false},  {"title.png", 145, 26, false},
        {"app.png", 64, 64, true},
    };
    for (const Row& row : rows) {
        const QImage image(Picture(row.file));
        ASSERT_FALSE(image.isNull()) << row.file;
        EXPECT_EQ(image.size(), QSize(row.width, row.height)) << row.file;
        // Dense screens get the same picture drawn at twice the pixels.
        const QString dense =
            QString(Picture(row.file)).replace(QStringLiteral(".png"), QStringLiteral("@2x.png"));
        if (row.file != std::string("app.png")) {
            EXPECT_EQ(QImage(dense).size(), QSize(row.width, row.height) * 2) << row.file;
        }
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) == 255;
        if (row.transparent) {
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << row.file;
            EXPECT_GE(opaque * 4, row.width * row.height) << row.file << ": almost empty";
        } else {
            EXPECT_EQ(opaque, row.width * row.height) << row.file;
        }
    }
}

TEST(WindowArt, LifelineIconsDiffer) {
    // The two kinds of lifeline must not be mistaken for each other.
    EXPECT_NE(QImage(Picture("lifeline2.png")), QImage(Picture("lifeline4.png")));
}

TEST(WindowArt, SettingPictureHasAtMost256Colours) {
    const QImage image(Picture("setting.png"));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
    EXPECT_LE(colours.size(), 256);
}

TEST(WindowArt, WindowIconHoldsBothSizes) {
    QImageReader reader(Picture("app.ico"), "ico");
    ASSERT_EQ(reader.imageCount(), 2);
    EXPECT_EQ(reader.read().size(), QSize(32, 32));
    ASSERT_TRUE(reader.jumpToNextImage());
    EXPECT_EQ(reader.read().size(), QSize(64, 64));
}
