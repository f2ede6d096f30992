// Fonts: the design's Windows font first, then the Japanese fonts this platform has.
#pragma once

#include <QFont>
#include <QString>

// A font of `pixels` height in `family`, falling back to a Japanese font of the same kind:
// monospaced IPAGothic for "ＭＳ ゴシック", proportional IPAPGothic for the others.
QFont JapaneseFont(const QString& family, int pixels, bool bold = false);
// The windows' text font: "MS UI Gothic", 12 px.
QFont UiFont();
// The style-sheet font list for .ui layouts and style sheets.
QString FontFamilyCss(const QString& family);
