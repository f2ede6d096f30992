// Loading a cocktail's picture: the icon file of the catalogue folder, as the game's 32 × 32
// picture or the recipe cards' larger one.
#pragma once

#include <QImage>
#include <string>

#include "files/gamefolder.h"

// The picture of catalogue entry `entry` (CP932) from the folder's cocktail folder, for a screen of
// `devicePixelRatio` device pixels per pixel: 32 × 32 in the window, drawn from the icon's image
// that best serves that many device pixels (its 64 × 64 image on a screen of ratio 2), scaled only
// where the file has no image of that size. Only an ordinary file is read, so a FIFO or a device
// named like an icon cannot stop the program. A file that is missing, not an ordinary file or not
// an icon raises Exception with the file name in the message.
QImage LoadCocktailIcon(const TGameFolder& folder, const std::string& entry,
                        qreal devicePixelRatio = 1);

// The edge, in the window's pixels, of the large picture on a recipe card and in the review: twice
// the game's, so that a screen of ratio 2 shows the icon's 128 × 128 image pixel for pixel and
// every ratio up to 2 gets an image drawn at least that large, never an enlargement.
inline constexpr int kLargePictureSize = 64;

// As LoadCocktailIcon, at `size` × `size` pixels in the window.
QImage LoadCocktailPicture(const TGameFolder& folder, const std::string& entry, int size,
                           qreal devicePixelRatio = 1);
