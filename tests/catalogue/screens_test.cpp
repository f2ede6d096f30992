// The recipe card and the review as a player sees them, at the scale the test runs at (CTest runs
// it at 1 and at QT_SCALE_FACTOR=2): no text cut, and the large picture drawn from the icon's own
// image for the screen. With BARTENDAM_SCREENSHOTS naming a folder, each window's picture is saved
// there (card-scale1.png, ...) for a person to look at.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QTest>
#include <functional>
#include <memory>

#include "catalogue/recipecardwindow.h"
#include "catalogue/review.h"
#include "platform/cp932.h"
#include "tests/support/testsupport.h"

TEST(Screens, CardAndReviewShowEverythingAtThisScale) {
    const TGameFolder folder = FolderAt(GameDir());
    const RecipeBook book = RecipeBook::Load(folder);
    TPlayerHistory history;
    for (bool correct : {true, true, false, true})
        history.Record(Cp932Text("マティーニ"), correct, 1);
    const std::string martini = Cp932Text("マティーニ.ico");
    const std::string longIsland = Cp932Text("ロングアイランド・アイスティー.ico");
    // Rows: the window's file name, and the window.
    const std::pair<const char*, std::function<std::unique_ptr<QDialog>()>> rows[] = {
        {"card",
         [&] { return std::make_unique<TRecipeCardWindow>(folder, martini, book, history); }},
        {"card-long",
         [&] { return std::make_unique<TRecipeCardWindow>(folder, longIsland, book, history); }},
        {"card-norecipe",
         [&] {
             return std::make_unique<TRecipeCardWindow>(folder, longIsland, RecipeBook(), history);
         }},
        {"review", [&] {
             return std::make_unique<TReview>(
                 folder,
                 std::vector<ReviewMiss>{{martini, Cp932Text("ギブソン")},
                                         {longIsland, ""},
                                         {Cp932Text("ピニャ・コラーダ.ico"), Cp932Text("ゾンビ")}},
                 book, history);
         }}};
    for (const auto& [name, make] : rows) {
        const std::unique_ptr<QDialog> window = make();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get())) << name;
        EXPECT_EQ(CutLabels(*window), std::vector<std::string>()) << name;
        const auto* picture = window->findChild<QLabel*>(QStringLiteral("imgCocktail"));
        const qreal ratio = window->devicePixelRatioF();
        EXPECT_EQ(picture->pixmap().devicePixelRatio(), ratio) << name;
        EXPECT_EQ(picture->pixmap().width(), qRound(64 * ratio)) << name;
        // The ingredients' table fits beside its title.
        const auto* ingredients = window->findChild<QLabel*>(QStringLiteral("lblIngredients"));
        EXPECT_LE(ingredients->sizeHint().width(), ingredients->width()) << name;
        const QString shots = qEnvironmentVariable("BARTENDAM_SCREENSHOTS");
        if (!shots.isEmpty())
            window->grab().save(QDir(shots).filePath(
                QStringLiteral("%1-scale%2.png").arg(QLatin1String(name)).arg(qRound(ratio))));
    }
}
