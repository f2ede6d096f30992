// The recipe card as the picture database opens it, and the review of a game's misses with its
// practice button; controls are found by their names.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "catalogue/pdb.h"
#include "catalogue/review.h"
#include "platform/cp932.h"
#include "platform/modal.h"
#include "tests/catalogue/catalogue_fixture.h"
#include "tests/support/testsupport.h"

namespace {

QString Text(const QWidget& window, const char* label) {
    const auto* found = window.findChild<QLabel*>(QLatin1String(label));
    return found ? found->text() : QStringLiteral("<no %1>").arg(QLatin1String(label));
}

// A double-click as the window system delivers it: press, release, double-click, release.
void DoubleClick(QWidget* widget, QPoint at) {
    const QPointF global = widget->mapToGlobal(QPointF(at));
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(at), global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

bool Shown(const QWidget& window, const char* label) {
    return !window.findChild<QLabel*>(QLatin1String(label))->isHidden();
}

// A catalogue of a bundled cocktail and a player's own one, with the bundled recipes and a
// history in which the first was asked three times and missed once.
class CardTest : public ::testing::Test {
  protected:
    CardTest() : catalogue({"マティーニ.ico", "ハウス・スペシャル.ico", "ギムレット.ico"}) {
        WriteFileBytes(FromNative(catalogue.AppFolder.RecipeFile()),
                       ReadFileBytes(GameDir() + QStringLiteral("/recipes.tsv")));
        TPlayerHistory history;
        for (bool correct : {true, false, true})
            history.Record(Cp932Text("マティーニ"), correct, 1000);
        history.Save(catalogue.AppFolder.HistoryFile());
    }
    ~CardTest() override { SetModalHandler(nullptr); }

    TestCatalogue catalogue;
};

}  // namespace

// Enter and a double-click on an item both open its card; a player's own icon has no recipe.
TEST_F(CardTest, TheDatabaseOpensTheCardOfTheChosenCocktail) {
    TPDB pdb(catalogue.List, catalogue.AppFolder);
    pdb.show();
    auto* list = pdb.findChild<QListWidget*>(QStringLiteral("lsDB"));
    ASSERT_NE(list, nullptr);
    // Rows: the filter that lists one entry, Enter (else a double-click), the card's name and
    // record, and whether it has a recipe.
    const struct {
        const char* filter;
        bool byKey;
        QString name, record;
        bool recipe;
    } rows[] = {
        {"マ", true, QStringLiteral("マティーニ"), QStringLiteral("正解 2/3"), true},
        {"マ", false, QStringLiteral("マティーニ"), QStringLiteral("正解 2/3"), true},
        {"ハ", true, QStringLiteral("ハウス・スペシャル"), QStringLiteral("まだ出題されていません"),
         false},
    };
    for (const auto& row : rows) {
        pdb.SetcocktailDB(Cp932Text(row.filter));
        ASSERT_EQ(list->count(), 1) << row.filter;
        list->setCurrentRow(0);
        int opened = 0;
        SetModalHandler([&](QDialog& card) {
            ++opened;
            EXPECT_EQ(Text(card, "lblName"), row.name);
            EXPECT_EQ(Text(card, "lblRecord"), row.record);
            EXPECT_FALSE(card.findChild<QLabel*>(QStringLiteral("imgCocktail"))->pixmap().isNull());
            EXPECT_EQ(Shown(card, "lblMethod"), row.recipe);
            EXPECT_EQ(Shown(card, "lblNoRecipe"), !row.recipe);
            if (!row.recipe) {
                EXPECT_EQ(Text(card, "lblNoRecipe"), QStringLiteral("レシピはまだありません"));
                return ModalOk;
            }
            EXPECT_EQ(Text(card, "lblMethod"), QStringLiteral("ステア"));
            EXPECT_EQ(Text(card, "lblGlass"), QStringLiteral("カクテル・グラス"));
            EXPECT_EQ(Text(card, "lblGarnish"), QStringLiteral("オリーブ"));
            EXPECT_TRUE(Text(card, "lblIngredients").contains(QStringLiteral("ドライ・ジン")));
            return ModalOk;
        });
        if (row.byKey)
            QTest::keyClick(list, Qt::Key_Return);
        else
            DoubleClick(list->viewport(), list->visualItemRect(list->item(0)).center());
        EXPECT_EQ(opened, 1) << row.filter << row.byKey;
    }
}

// Each miss shows what the player chose (or the time-out) with its card; "これを練習" asks for
// the missed entries once each and closes the review, which offers no practice without misses.
TEST_F(CardTest, TheReviewShowsEachMissAndAsksToPractiseThem) {
    const std::string martini = Cp932Text("マティーニ.ico"),
                      own = Cp932Text("ハウス・スペシャル.ico");
    TReview review(
        catalogue.AppFolder,
        {{martini, Cp932Text("ギブソン")}, {own, ""}, {martini, Cp932Text("ギムレット")}},
        RecipeBook::Load(catalogue.AppFolder),
        TPlayerHistory::Load(catalogue.AppFolder.HistoryFile()));
    auto* list = review.findChild<QListWidget*>(QStringLiteral("lsMisses"));
    ASSERT_EQ(list->count(), 3);
    const std::pair<QString, QString> rows[] = {
        {QStringLiteral("あなたの答え：ギブソン"), QStringLiteral("マティーニ")},
        {QStringLiteral("あなたの答え：時間切れ"), QStringLiteral("ハウス・スペシャル")},
        {QStringLiteral("あなたの答え：ギムレット"), QStringLiteral("マティーニ")},
    };
    for (int i = 0; i < 3; ++i) {
        list->setCurrentRow(i);
        EXPECT_EQ(Text(review, "lblChosen"), rows[i].first) << i;
        EXPECT_EQ(Text(review, "lblName"), rows[i].second) << i;
    }
    std::vector<std::string> asked;
    QObject::connect(&review, &TReview::PracticeRequested,
                     [&](const std::vector<std::string>& entries) { asked = entries; });
    review.show();
    QTest::mouseClick(review.findChild<QPushButton*>(QStringLiteral("btnPractice")),
                      Qt::LeftButton);
    EXPECT_EQ(asked, (std::vector<std::string>{martini, own}));
    EXPECT_TRUE(review.isHidden());

    const TReview none(catalogue.AppFolder, {}, RecipeBook(), TPlayerHistory());
    EXPECT_FALSE(none.findChild<QPushButton*>(QStringLiteral("btnPractice"))->isEnabled());
    EXPECT_EQ(Text(none, "lblChosen"),
              QStringLiteral("このゲームで間違えたカクテルはありません。"));
}
