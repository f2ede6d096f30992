// Breaking names at their word joints: katakana names join their words with "・", and a break
// inside a word ("ロングアイラン/ド") reads badly.
#include "catalogue/captionbreak.h"

#include <algorithm>

QString BreakCaption(const QString& name, const QFontMetrics& metrics, int width) {
    if (metrics.horizontalAdvance(name) <= width) return name;
    static const QChar joint(0x30FB);  // "・"
    int bestAt = -1;
    int bestLonger = 0;
    for (qsizetype at = name.indexOf(joint); at >= 0; at = name.indexOf(joint, at + 1)) {
        const int first = metrics.horizontalAdvance(name.left(at + 1));
        const int second = metrics.horizontalAdvance(name.mid(at + 1));
        const int longer = std::max(first, second);
        if (longer <= width && (bestAt < 0 || longer < bestLonger)) {
            bestAt = static_cast<int>(at);
            bestLonger = longer;
        }
    }
    if (bestAt < 0) return name;
    return name.left(bestAt + 1) + QChar(QChar::LineSeparator) + name.mid(bestAt + 1);
}
