// The windows' own pictures: the start and database pictures, the lifeline icons, the settings
// decoration, the title bitmap and the program's icon. `scale` draws a picture at that many device
// pixels per pixel for dense screens; it keeps its size in the window.
#pragma once

#include <QImage>

QImage NewGamePicture(int scale = 1);  // 91 × 51: "New" in white on a dark brick wall
QImage BarPicture(int scale = 1);  // 93 × 117: a bar entrance at night, a lit door, a "BAR" sign
QImage BlankSheetsIcon(
    int scale = 1);  // 32 × 32: a small figure beside blank sheets (strike two choices)
QImage WrittenSheetIcon(
    int scale = 1);  // 32 × 32: the same figure beside a written sheet (sure answer)
QImage SettingPicture(
    int scale = 1);  // 64 × 41 in 256 colours: an hourglass beside a cocktail glass
QImage TitlePicture(int scale = 1);  // 145 × 26: the game's name on black
QImage AppIcon(int size);            // the window icon: a cocktail on a dark tile
