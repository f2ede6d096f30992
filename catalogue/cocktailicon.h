// Loading a cocktail's picture: the icon file of the catalogue folder, as a 32 × 32 image.
#pragma once

#include <QImage>
#include <string>

// The picture of catalogue entry `entry` (CP932) from appFolder + "cocktail/". An icon file holding
// several sizes gives its 32 × 32 image, or else its largest one scaled to 32 × 32. A file that is
// missing or not an icon raises Exception with the file name in the message.
QImage LoadCocktailIcon(const std::string& appFolder, const std::string& entry);
