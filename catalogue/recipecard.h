// A recipe card: a cocktail's large picture, its name, the player's record with it and its recipe,
// or for a cocktail without one (a player's own icon) a note that there is none yet.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "catalogue/recipes.h"
#include "records/history.h"

namespace Ui {
class TRecipeCard;
}

class TRecipeCard : public QWidget {
    Q_OBJECT

  public:
    explicit TRecipeCard(QWidget* parent = nullptr);
    ~TRecipeCard() override;

    // Shows catalogue entry `entry` (CP932 file name) of `folder`'s catalogue; a picture that
    // cannot be read raises, naming its file.
    void ShowCocktail(const TGameFolder& folder, const std::string& entry, const Recipe* recipe,
                      const CocktailStats& stats);

  private:
    std::unique_ptr<Ui::TRecipeCard> ui;
};

// The line of the player's record: "正解 7/10", or that the cocktail was never asked (CP932).
std::string RecordText(const CocktailStats& stats);
