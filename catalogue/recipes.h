// Recipe cards of the catalogue's cocktails, read from recipes.tsv in the game's folder (CP932, one
// tab-separated row per cocktail: name, method, glass, garnish, then ingredient=amount columns).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "files/gamefolder.h"

// The file in the game's folder; the build writes it from data/recipes.tsv.

struct RecipeIngredient {
    std::string Name;    // CP932
    std::string Amount;  // CP932: "45ml", "1tsp", "1dash", "適量", ...
};

// One card; every text CP932.
struct Recipe {
    std::string Method;  // シェーク, ステア, ビルド or ブレンド
    std::string Glass;
    std::string Garnish;  // "なし" for none
    std::vector<RecipeIngredient> Ingredients;
};

class RecipeBook {
  public:
    // The cards of the text of a recipe file: "#" lines are notes, a row without a method, glass,
    // garnish and at least one ingredient=amount is left out, and of two rows for one name the
    // first counts.
    static RecipeBook Parse(const std::string& text);
    // The cards of the folder's recipe file. A file that is missing, unreadable, not an ordinary
    // file or far too large gives no cards: a card then says it has no recipe, and nothing stops.
    static RecipeBook Load(const TGameFolder& folder);

    // The card of the cocktail `name` (CP932, without ".ico"), or nullptr.
    const Recipe* Find(const std::string& name) const;
    size_t size() const { return recipes_.size(); }

  private:
    std::map<std::string, Recipe> recipes_;
};
