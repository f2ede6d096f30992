// Where a cocktail's name breaks under its picture in the browser's icon view.
#pragma once

#include <QFontMetrics>
#include <QString>

// `name` as it fits lines of `width` pixels: unchanged when it fits one line; otherwise broken
// after a "・" (by a line separator, U+2028) where both parts then fit, at the "・" that evens the
// two lines best. A name with no such "・" is left to the view's own wrapping.
QString BreakCaption(const QString& name, const QFontMetrics& metrics, int width);
