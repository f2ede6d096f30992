// Font fallbacks for the Japanese texts.
#include "platform/fonts.h"

#include <QStringList>

namespace {
// "ＭＳ ゴシック" sets every character in the same width; the program's other fonts are
// proportional, and a monospaced fallback would make their Latin texts look typewritten.
QStringList Families(const QString& family) {
    if (family == QStringLiteral("ＭＳ ゴシック"))
        return {family, QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")};
    return {family, QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
}
}  // namespace

QFont JapaneseFont(const QString& family, int pixels, bool bold) {
    QFont font;
    font.setFamilies(Families(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont UiFont() { return JapaneseFont(QStringLiteral("MS UI Gothic"), 12); }

QString FontFamilyCss(const QString& family) {
    QStringList quoted;
    for (const QString& f : Families(family)) quoted << QLatin1Char('"') + f + QLatin1Char('"');
    return quoted.join(QStringLiteral(", "));
}
