// CP932 conversion: the bytes the core counts must be the system code page's, both ways.
#include <gtest/gtest.h>

#include "platform/cp932.h"

TEST(Cp932, JapaneseTextConvertsToShiftJisBytesAndBack) {
    // Rows: Unicode text, its CP932 bytes. Half-width katakana are single bytes.
    struct Row {
        const char* utf8;
        std::string sjis;
    } rows[] = {
        {"abc", "abc"},     {"ア", "\x83\x41"}, {"ソ", "\x83\x5C"}, {"ﾌｧｲﾙ", "\xCC\xA7\xB2\xD9"},
        {"～", "\x81\x60"}, {"①", "\x87\x40"},  {"", ""},
    };
    for (const Row& row : rows) {
        QString text = QString::fromUtf8(row.utf8);
        EXPECT_EQ(ToCp932(text), row.sjis) << row.utf8;
        EXPECT_EQ(FromCp932(row.sjis), text) << row.utf8;
    }
}

TEST(Cp932, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(ToCp932(QString::fromUtf8("a😀b€")), "a?b?");
    // The byte-order mark is no character of the code page either, not an empty one.
    EXPECT_EQ(ToCp932(QString::fromUtf8("a\uFEFFb")), "a?b");
    EXPECT_EQ(ToCp932(QString(QChar(0xFEFF))), "?");
}

TEST(Cp932, BrokenBytesDoNotStopTheDecoding) {
    // A lone lead byte at the end and an undefined byte in the middle.
    QString text =
        FromCp932(std::string("a\xA0"
                              "b\x83",
                              4));
    EXPECT_TRUE(text.startsWith(QLatin1Char('a')));
    EXPECT_TRUE(text.contains(QLatin1Char('b')));
}

TEST(Cp932, LeadBytesAreTheTwoCp932Ranges) {
    EXPECT_FALSE(IsLeadByte(0x80));
    EXPECT_TRUE(IsLeadByte(0x81));
    EXPECT_TRUE(IsLeadByte(0x9F));
    EXPECT_FALSE(IsLeadByte(0xA0));
    EXPECT_FALSE(IsLeadByte(0xDF));
    EXPECT_TRUE(IsLeadByte(0xE0));
    EXPECT_TRUE(IsLeadByte(0xFC));
    EXPECT_FALSE(IsLeadByte(0xFD));
    EXPECT_FALSE(IsLeadByte('A'));
}
