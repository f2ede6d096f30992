// Draws one cocktail of the table as a square picture with a transparent background.
#pragma once

#include <QImage>

#include "tools/cocktailtable.h"

// `size` is the edge in pixels; the design is made for 32 and scales to multiples of it.
QImage PaintCocktail(const Cocktail& cocktail, int size);
