// Icon captions break after a "・" where both lines fit, at the joint that evens them best.
#include "catalogue/captionbreak.h"

#include <gtest/gtest.h>

#include "platform/fonts.h"

TEST(CaptionBreak, BreaksAtTheJointThatEvensTheLines) {
    const QFontMetrics metrics(UiFont());
    const auto width = [&](const char* text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text));
    };
    const struct {
        const char* name;
        int width;
        const char* shown;  // "|" marks the break
    } rows[] = {
        {"カンパリ・ソーダ", width("カンパリ・ソーダ"), "カンパリ・ソーダ"},
        {"ロングアイランド・アイスティー", width("ロングアイランド・"),
         "ロングアイランド・|アイスティー"},
        {"ロングアイランド・アイスティー", width("ロングアイランド・") - 1,
         "ロングアイランド・アイスティー"},
        {"ラモス・ジン・フィズ", width("ラモス・ジン・"), "ラモス・|ジン・フィズ"},
        {"ラモス・ジン・フィズ", width("ラモス・"), "ラモス・ジン・フィズ"},
        {"グラスホッパー", width("グラス"), "グラスホッパー"},
    };
    for (const auto& row : rows) {
        const QString shown = BreakCaption(QString::fromUtf8(row.name), metrics, row.width);
        EXPECT_EQ(QString(shown).replace(QChar(QChar::LineSeparator), QLatin1Char('|')),
                  QString::fromUtf8(row.shown))
            << row.name << " in " << row.width;
    }
}
