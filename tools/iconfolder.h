// Fills the game's cocktail folder from the table, one icon file per cocktail.
#pragma once

#include <QString>
#include <vector>

#include "tools/cocktailtable.h"

// The picture sizes each icon file holds: the game's 32 × 32 first, then one for dense screens,
// then the large picture of the recipe cards (twice that on dense screens).
inline constexpr int kIconSizes[] = {32, 64, 128};

// Writes `<folder>/<name>.ico` for every cocktail. `manifest` lists what the last run wrote:
// icons of cocktails that left the table are removed, files that the player added are kept.
void WriteCocktailFolder(const std::vector<Cocktail>& table, const QString& folder,
                         const QString& manifest);
