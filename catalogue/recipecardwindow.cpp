// The card window: one card and a close button; Esc closes it too.
#include "catalogue/recipecardwindow.h"

#include "catalogue/cocktaildb.h"
#include "platform/cp932.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/modal.h"
#include "ui_recipecardwindow.h"

TRecipeCardWindow::TRecipeCardWindow(const TGameFolder& folder, const std::string& entry,
                                     const RecipeBook& book, const TPlayerHistory& history,
                                     QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TRecipeCardWindow>()) {
    setFont(JapaneseFont(QStringLiteral("MS UI Gothic"), 13));
    ui->setupUi(this);
    const std::string name = NameWithoutExtension(entry);
    setWindowTitle(FromCp932(name));
    ui->crdRecipe->ShowCocktail(folder, entry, book.Find(name), history.Stats(name));
    connect(ui->btnClose, &QPushButton::clicked, this, Guarded([this] { accept(); }));
}

void ShowRecipeCard(const TGameFolder& folder, const std::string& entry, QWidget* parent) {
    TRecipeCardWindow card(folder, entry, RecipeBook::Load(folder),
                           TPlayerHistory::Load(folder.HistoryFile()), parent);
    ExecModal(card);
}

TRecipeCardWindow::~TRecipeCardWindow() = default;
