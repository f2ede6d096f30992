// Loading a cocktail's picture: the icon file of the catalogue folder, as a 32 × 32 picture.
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
