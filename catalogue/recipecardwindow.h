// The recipe card window the picture database opens for a cocktail.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "catalogue/recipes.h"
#include "records/history.h"

namespace Ui {
class TRecipeCardWindow;
}

class TRecipeCardWindow : public QDialog {
    Q_OBJECT

  public:
    // The card of catalogue entry `entry` (CP932) of `appFolder`, with its recipe from `book` and
    // its record from `history`. An icon that cannot be read raises before the window is shown.
    TRecipeCardWindow(const TGameFolder& folder, const std::string& entry, const RecipeBook& book,
                      const TPlayerHistory& history, QWidget* parent = nullptr);
    ~TRecipeCardWindow() override;

  private:
    std::unique_ptr<Ui::TRecipeCardWindow> ui;
};

// Opens the card of `entry` modally, with the recipes and the history saved in the game's folder.
void ShowRecipeCard(const TGameFolder& folder, const std::string& entry, QWidget* parent = nullptr);
