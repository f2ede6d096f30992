// The cocktail painter: glasses fit the icon, bands stack in table order, every garnish shows,
// and the high-density picture is the same drawing as the small one.
#include <gtest/gtest.h>

#include "tools/cocktailpainter.h"
#include "tools/cocktailtable.h"
#include "tools/glassshapes.h"

namespace {

Cocktail Row(const char* row) { return ParseCocktailTable(row, QStringLiteral("t.tsv")).at(0); }

int ColourDistance(QRgb a, QColor b) {
    return std::abs(qRed(a) - b.red()) + std::abs(qGreen(a) - b.green()) +
           std::abs(qBlue(a) - b.blue());
}

const char* const kGlasses[] = {"cocktail", "coupe",     "wine",     "flute",   "sour",  "liqueur",
                                "snifter",  "rocks",     "highball", "collins", "shot",  "mug",
                                "pilsner",  "hurricane", "irish",    "copper",  "julep", "cup"};

}  // namespace

TEST(CocktailPainter, EveryGlassFitsTheIconWithItsSurfaceInsideTheBowl) {
    for (const char* word : kGlasses) {
        const Cocktail c = Row((std::string("X\t") + word + "\t#ff0000\tnone\t-").c_str());
        const GlassShape g = ShapeOf(c.glass);
        const QRectF icon(0, 0, 32, 32);
        for (const QPainterPath* path : {&g.inside, &g.walls, &g.solid, &g.handle})
            EXPECT_TRUE(path->isEmpty() || icon.contains(path->boundingRect())) << word;
        EXPECT_LT(g.rimLeft.x(), g.rimRight.x()) << word;
        EXPECT_GE(g.surface, g.rimLeft.y()) << word;
        EXPECT_LT(g.surface, g.bottom) << word;
        // The picture's corners stay clear, so the black panel shows around the glass.
        const QImage image = PaintCocktail(c, 32);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << word;
        EXPECT_EQ(qAlpha(image.pixel(31, 0)), 0) << word;
    }
}

TEST(CocktailPainter, BandsStackFromTheBottomInTableOrder) {
    // A layered shot: red at the bottom, green in the middle, blue on top.
    const Cocktail c = Row("X\tshot\t#ff0000,#00ff00,#0000ff\tnone\t-");
    const GlassShape g = ShapeOf(c.glass);
    const QImage image = PaintCocktail(c, 64);
    const double band = (g.bottom - g.surface) / 3;
    const QColor expected[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        const double y = g.bottom - band * (i + 0.5);
        const QRgb pixel = image.pixel(16 * 2, static_cast<int>(y * 2));
        for (int j = 0; j < 3; ++j) {
            if (j == i) continue;
            EXPECT_LT(ColourDistance(pixel, expected[i]), ColourDistance(pixel, expected[j]))
                << "band " << i;
        }
    }
}

TEST(CocktailPainter, EveryGarnishChangesThePicture) {
    // A garnish drawn off the icon or hidden behind the glass would teach the player nothing.
    const char* const garnishes[] = {
        "olive",        "onion",       "cherry",     "cherry_sunk", "lemon_slice", "lime_slice",
        "orange_slice", "lemon_wedge", "lime_wedge", "lemon_peel",  "orange_peel", "lemon_spiral",
        "lime_chunks",  "fruit",       "mint",       "salt_rim",    "sugar_rim",   "pineapple",
        "nutmeg",       "cinnamon",    "celery",     "cucumber",    "strawberry",  "umbrella",
        "straw",        "muddler",     "bubbles",    "foam",        "steam",       "flame",
        "lemon_cap",    "butter",      "sugar_cube", "bitters",     "flower",      "shot_sunk"};
    for (const char* glass : {"cocktail", "highball", "wine"}) {
        const std::string plain = std::string("X\t") + glass + "\t#8040a0c0\tnone\t";
        const QImage without = PaintCocktail(Row((plain + "-").c_str()), 32);
        for (const char* garnish : garnishes) {
            const QImage with = PaintCocktail(Row((plain + garnish).c_str()), 32);
            int changed = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) changed += with.pixel(x, y) != without.pixel(x, y);
            EXPECT_GE(changed, 6) << garnish << " in " << glass;
        }
    }
}

TEST(CocktailPainter, LargePictureIsTheSmallOneDrawnFiner) {
    const Cocktail c = Row("X\thighball\t#b0102a*1~,#f6a21e*3\tcubes\torange_slice,cherry,straw");
    const QImage small = PaintCocktail(c, 32);
    const QImage large = PaintCocktail(c, 64);
    ASSERT_EQ(large.size(), QSize(64, 64));
    const QImage reduced = large.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    long total = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb a = small.pixel(x, y), b = reduced.pixel(x, y);
            total += std::abs(qAlpha(a) - qAlpha(b)) + std::abs(qRed(a) - qRed(b)) +
                     std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    // On average a pixel may differ by a few levels of antialiasing, not by a different drawing.
    EXPECT_LT(total / (32 * 32), 24);
}
