// The browser's matching rules and the CP932 text helpers beneath them.
#include "catalogue/cocktaildb.h"

#include <gtest/gtest.h>

#include "tests/support/testsupport.h"

namespace {

// Lower-casing touches single-byte letters only, never the second byte of a double-byte character.
TEST(MultiByteLowerCase, LowersOnlySingleByteLetters) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"MARTINI.ICO", "martini.ico"},
        {"アレキサンダー", "アレキサンダー"},      // ア is 0x83 0x41: its "A" must stay
        {"ソルティ・ドッグ", "ソルティ・ドッグ"},  // ソ is 0x83 0x5C
        {"Xアz", "xアz"},
        {"ＡＢＣ", "ＡＢＣ"},  // full-width letters are double-byte characters
        {"ﾓｽｺﾐｭｰﾙ", "ﾓｽｺﾐｭｰﾙ"},
        {"B&B 007", "b&b 007"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MultiByteLowerCase(Cp932Text(c.in)), Cp932Text(c.out)) << c.in;
    }
    // A lead byte at the very end has no second byte: the letters before it still lower.
    EXPECT_EQ(MultiByteLowerCase("AB\x83"), "ab\x83");
    // A letter right after a double-byte character is lowered again.
    EXPECT_EQ(MultiByteLowerCase(Cp932Text("アA")), Cp932Text("アa"));
}

// A text is found only where a character begins, never inside a double-byte character.
TEST(ContainsText, MatchesAtCharacterBoundariesOnly) {
    struct Case {
        const char* text;
        const char* needle;
        bool found;
    };
    const Case cases[] = {
        {"ジン・ソーダ.ico", "ソーダ", true},
        {"ソーダ", "ソーダ", true},
        {"ソルティ・ドッグ", "\\", false},  // 0x5C is ソ's second byte
        {"ァ", "@", false},                 // ァ is 0x83 0x40
        {"a@b", "@", true},
        {"アレキサンダー", "A", false},
        {"カクテル", "クテ", true},
        {"カクテル", "ル.", false},
        {"ﾓｽｺﾐｭｰﾙ", "ｺﾐ", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ContainsText(Cp932Text(c.text), Cp932Text(c.needle)), c.found)
            << c.text << " / " << c.needle;
    }
    // A double-byte needle whose bytes straddle two characters: ア + カ is 83 41 83 4A, and the
    // bytes 41 83 read as "A" followed by a lead byte.
    EXPECT_FALSE(ContainsText(Cp932Text("アカ"), std::string("\x41\x83", 2)));
}

// Each filter rule picks exactly the entries it names, in catalogue order.
TEST(MatchingEntries, EveryRuleInItsOrder) {
    const std::vector<const char*> names = {
        "アレキサンダー.ico",
        "カミカゼ.ico",
        "キール.ico",
        "ソルティ・ドッグ.ico",
        "XYZ.ico",
        "ジン・ソーダ.ico",
        "ﾓｽｺﾐｭｰﾙ.ico",
        "カンパリ・ソーダ.ico",
        "007.ico",
        "ガルフ.ico",
        "あんず酒.ico",
        "b#b.ico",
    };
    std::vector<std::string> list;
    for (const char* name : names) list.push_back(Cp932Text(name));

    struct Case {
        const char* filter;
        bool usePos;
        bool showAll;
        std::vector<size_t> expected;
    };
    const Case cases[] = {
        // The first double-byte character alone decides: カ, not キ, not ガ.
        {"カ", false, false, {1, 7}},
        {"ア", false, false, {0}},
        {"ソ", false, false, {3}},
        {"キール", false, false, {2}},
        // A single-byte first character selects the names that begin with a single-byte one.
        {"#", false, false, {4, 6, 8, 11}},
        {"z", false, false, {4, 6, 8, 11}},
        // "ALL" in the index lists everything, whatever the filter.
        {"ALL", false, true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"カ", false, true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        // The check box: the filter anywhere in the lower-cased name, extension included.
        {"ソーダ", true, false, {5, 7}},
        {"ソーダ", true, true, {5, 7}},
        {"カ", true, false, {1, 7}},
        {"xyz", true, false, {4}},
        {"XYZ", true, false, {}},
        {"ALL", true, true, {}},
        {"#", true, false, {11}},
        {".ico", true, false, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"ｺﾐ", true, false, {6}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MatchingEntries(list, {Cp932Text(c.filter), c.usePos, c.showAll}), c.expected)
            << c.filter << " pos=" << c.usePos << " all=" << c.showAll;
    }
    EXPECT_TRUE(MatchingEntries({}, {Cp932Text("カ"), false, false}).empty());
}

}  // namespace
