// The recipe cards: one filled card for every bundled cocktail, and a damaged file read as far as
// it goes.
#include "catalogue/recipes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "tests/support/testsupport.h"

namespace {

// The names of the bundled table, in CP932 as the catalogue's file names give them.
std::vector<std::string> BundledNames() {
    std::vector<std::string> names;
    const QString table =
        QString::fromUtf8(ReadFileBytes(SourceDir() + QStringLiteral("/data/cocktails.tsv")));
    for (const QString& line : table.split(u'\n', Qt::SkipEmptyParts))
        if (!line.startsWith(u'#')) names.push_back(ToCp932(line.section(u'\t', 0, 0)));
    return names;
}

}  // namespace

// Read from the game's folder, as the game reads it: every row of the table has its card, no card
// is left over from a cocktail that left the table, and every field reads as a bartender writes it.
TEST(RecipeBook, EveryBundledCocktailHasAFilledCard) {
    const RecipeBook book = RecipeBook::Load(FolderAt(GameDir()));
    const std::vector<std::string> names = BundledNames();
    ASSERT_GT(names.size(), 100u);
    EXPECT_EQ(book.size(), names.size());
    const QStringList methods{QStringLiteral("シェーク"), QStringLiteral("ステア"),
                              QStringLiteral("ビルド"), QStringLiteral("ブレンド")};
    const QRegularExpression amount(
        QStringLiteral("^(適量|\\d+(/\\d+)?(ml|tsp|dash|dashes|個|個分|枚|杯|片|カップ)?)$"));
    for (const std::string& name : names) {
        const std::string shown = FromCp932(name).toStdString();
        const Recipe* card = book.Find(name);
        ASSERT_NE(card, nullptr) << shown;
        EXPECT_TRUE(methods.contains(FromCp932(card->Method))) << shown;
        EXPECT_FALSE(card->Glass.empty()) << shown;
        EXPECT_FALSE(card->Garnish.empty()) << shown;
        EXPECT_GE(card->Ingredients.size(), 2u) << shown;
        for (const RecipeIngredient& i : card->Ingredients) {
            EXPECT_FALSE(i.Name.empty()) << shown;
            EXPECT_TRUE(amount.match(FromCp932(i.Amount)).hasMatch())
                << shown << ": " << FromCp932(i.Amount).toStdString();
        }
    }
}

TEST(RecipeBook, RowsThatAreNotWholeAreLeftOut) {
    const RecipeBook book = RecipeBook::Parse(
        Cp932Text("# notes\r\n"
                  "Good\tビルド\tタンブラー\tなし\tウオッカ=45ml\tソーダ=適量\r\n"
                  "Good\tシェーク\tカクテル・グラス\tなし\tジン=30ml\r\n"  // a second row of a name
                  "Short\tビルド\tタンブラー\tなし\n"                      // no ingredient
                  "NoGlass\tビルド\t\tなし\tジン=30ml\n"
                  "NoAmount\tビルド\tタンブラー\tなし\tジン\n"
                  "EmptyAmount\tビルド\tタンブラー\tなし\tジン=\n"
                  "\tビルド\tタンブラー\tなし\tジン=30ml\n"  // no name
                  "Last\tステア\tカクテル・グラス\tオリーブ\tジン=45ml"));
    EXPECT_EQ(book.size(), 2u);
    const Recipe* good = book.Find("Good");
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->Method, Cp932Text("ビルド"));  // the first of its two rows
    EXPECT_EQ(good->Glass, Cp932Text("タンブラー"));
    EXPECT_EQ(good->Garnish, Cp932Text("なし"));
    ASSERT_EQ(good->Ingredients.size(), 2u);
    EXPECT_EQ(good->Ingredients[1].Name, Cp932Text("ソーダ"));
    EXPECT_EQ(good->Ingredients[1].Amount, Cp932Text("適量"));
    EXPECT_NE(book.Find("Last"), nullptr);  // a last row without a line end
}

// A missing recipe file, or a folder in its place, gives no cards and stops nothing.
TEST(RecipeBook, AMissingOrUnreadableFileGivesNoCards) {
    QTemporaryDir dir;
    const TGameFolder folder = FolderAt(dir.path());
    EXPECT_EQ(RecipeBook::Load(folder).size(), 0u);
    ASSERT_TRUE(QDir().mkdir(FromNative(folder.RecipeFile())));
    EXPECT_EQ(RecipeBook::Load(folder).size(), 0u);
}
