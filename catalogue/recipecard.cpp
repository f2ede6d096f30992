// Filling a recipe card's labels from a recipe and a record.
#include "catalogue/recipecard.h"

#include "catalogue/cocktaildb.h"
#include "catalogue/cocktailicon.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "ui_recipecard.h"

namespace {
// The ingredients as two columns, the amounts flush right, as a bartender's book sets them.
QString IngredientTable(const std::vector<RecipeIngredient>& ingredients) {
    QString rows;
    for (const RecipeIngredient& i : ingredients)
        rows += QStringLiteral(
                    "<tr><td>%1</td><td align=\"right\" style=\"padding-left:16px\">"
                    "%2</td></tr>")
                    .arg(FromCp932(i.Name).toHtmlEscaped(), FromCp932(i.Amount).toHtmlEscaped());
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"1\">") + rows +
           QStringLiteral("</table>");
}
}  // namespace

TRecipeCard::TRecipeCard(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TRecipeCard>()) {
    ui->setupUi(this);
    ui->imgCocktail->setFixedSize(kLargePictureSize, kLargePictureSize);
    ui->lblName->setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 18, true));
}

void TRecipeCard::ShowCocktail(const TGameFolder& folder, const std::string& entry,
                               const Recipe* recipe, const CocktailStats& stats) {
    ui->imgCocktail->setPixmap(QPixmap::fromImage(
        LoadCocktailPicture(folder, entry, kLargePictureSize, devicePixelRatioF())));
    ui->lblName->setText(FromCp932(NameWithoutExtension(entry)));
    ui->lblRecord->setText(FromCp932(RecordText(stats)));
    for (QLabel* field : {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->lblMethod,
                          ui->lblGlass, ui->lblGarnish, ui->lblIngredients})
        field->setVisible(recipe != nullptr);
    ui->lblNoRecipe->setVisible(recipe == nullptr);
    if (!recipe) return;
    ui->lblMethod->setText(FromCp932(recipe->Method));
    ui->lblGlass->setText(FromCp932(recipe->Glass));
    ui->lblGarnish->setText(FromCp932(recipe->Garnish));
    ui->lblIngredients->setText(IngredientTable(recipe->Ingredients));
}

std::string RecordText(const CocktailStats& stats) {
    if (stats.Asked == 0) return Cp932Text("まだ出題されていません");
    return Cp932Text("正解 ") + std::to_string(stats.Asked - stats.Missed) + "/" +
           std::to_string(stats.Asked);
}

TRecipeCard::~TRecipeCard() = default;
