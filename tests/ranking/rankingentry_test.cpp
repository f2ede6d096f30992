// The ranking line's bytes and the character-safe byte cuts it is built with.
#include <gtest/gtest.h>

#include "ranking/bytecut.h"
#include "ranking/rankingentry.h"
#include "tests/support/testsupport.h"

namespace {
const TRankingRow Row{"12340", "03:05`67", "40", "3"};
const std::string Head = "12340*03:05`67\t40\t3\t";

struct EntryCase {
    const char* name;
    TRankingIdentity identity;
    std::string expected;
};

std::vector<EntryCase> EntryCases() {
    const std::string c250(250, 'c');
    const std::string withStars = [] {
        std::string text(240, 'd');
        for (int i = 0; i < 10; ++i) text.insert(static_cast<std::size_t>(i) * 25, "*");
        return text;
    }();
    std::string widened;
    for (char ch : withStars) widened += ch == '*' ? std::string("\x81\x96") : std::string(1, ch);
    const std::string lineBroken = std::string(100, 'e') + "\r\n" + std::string(153, 'f');
    return {
        {"EmptyAddressesAndComment", {"taro", "", "", ""}, Head + "taro\t0\t0\t\r\n"},
        {"AddressesAsTyped",
         {"taro", "t@x.example", "http://x.example/", "hi"},
         Head + "taro\tt@x.example\thttp://x.example/\thi\r\n"},
        {"AsteriskWidenedInComment",
         {"taro", "", "", "a*b"},
         Head + "taro\t0\t0\ta\x81\x96"
                "b\r\n"},
        {"TwoCommentLines", {"taro", "", "", "x\r\ny"}, Head + "taro\t0\t0\tx<br />y\r\n"},
        {"TabBecomesSpace", {"taro", "", "", "a\tb"}, Head + "taro\t0\t0\ta b\r\n"},
        {"LoneLineEndsStay", {"taro", "", "", "a\rb\nc"}, Head + "taro\t0\t0\ta\rb\nc\r\n"},
        {"FullCommentLosesFourBytesToItsLineBreak",
         {"taro", "", "", lineBroken},
         Head + "taro\t0\t0\t" + std::string(100, 'e') + "<br />" + std::string(149, 'f') + "\r\n"},
        {"WidenedAsterisksCutBack",
         {"taro", "", "", withStars},
         Head + "taro\t0\t0\t" + widened.substr(0, 255) + "\r\n"},
        {"HandleKeepsItsAsteriskAndTab",
         {"a*b\tc", "m*x", "u\tx", ""},
         Head + "a*b\tc\tm*x\tu\tx\t\r\n"},
        {"LongFieldsCut",
         {std::string(300, 'h'), std::string(256, 'm'), c250 + "uuuuuu", ""},
         Head + std::string(255, 'h') + "\t" + std::string(255, 'm') + "\t" + c250 + "uuuuu" +
             "\t\r\n"},
    };
}
}  // namespace

class RankingEntryBytes : public ::testing::TestWithParam<EntryCase> {};

// Every entry is exactly the server's record: "*" after the score, TABs, "0" for empty addresses,
// the rewritten comment, CR LF.
TEST_P(RankingEntryBytes, MatchesTheServersRecord) {
    EXPECT_EQ(RankingEntry(Row, GetParam().identity), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, RankingEntryBytes, ::testing::ValuesIn(EntryCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Row texts go through untouched apart from the cut, whatever they hold.
TEST(RankingEntry, RowFieldsAreSentAsListed) {
    const TRankingRow odd{"-5", "99:59`99", "", std::string(260, '7')};
    EXPECT_EQ(RankingEntry(odd, {"n", "", "", ""}),
              "-5*99:59`99\t\t" + std::string(255, '7') + "\tn\t0\t0\t\r\n");
}

// A cut never ends in the first half of a double-byte character, also when trail bytes look
// like lead bytes.
TEST(RankingCutBytes, KeepsWholeCharacters) {
    const std::string kana = Cp932Text("ア");  // 0x83 0x41
    const std::string so = Cp932Text("ソ");    // 0x83 0x5C
    const std::string high = Cp932Text("院");  // 0x89 0x40
    EXPECT_EQ(CutBytes("a" + kana, 2), "a");
    EXPECT_EQ(CutBytes("a" + kana, 3), "a" + kana);
    EXPECT_EQ(CutBytes(kana + so + "x", 3), kana);
    EXPECT_EQ(CutBytes(std::string("\x88\x9f\x88\x9f", 4) + "x", 3), std::string("\x88\x9f"));
    EXPECT_EQ(CutBytes(std::string("\x88\x9f") + "abc", 2), std::string("\x88\x9f"));
    EXPECT_EQ(CutBytes(std::string(254, 'a') + high, 255), std::string(254, 'a'));
    EXPECT_EQ(CutBytes(std::string(253, 'a') + high + high, 255), std::string(253, 'a') + high);
    EXPECT_EQ(CutBytes("abc", 255), "abc");
}

// The comment's cuts fall on character boundaries too: a widened asterisk is never split.
TEST(RankingComment, DropsAHalfWidenedAsteriskAtTheCut) {
    const std::string comment = std::string(254, 'a') + "*";
    EXPECT_EQ(RankingComment(comment), std::string(254, 'a'));
    const std::string doubleByte = std::string(253, 'a') + Cp932Text("漢") + "z";
    EXPECT_EQ(RankingComment(doubleByte), std::string(253, 'a') + Cp932Text("漢"));
    EXPECT_EQ(RankingComment(std::string(254, 'a') + Cp932Text("漢")), std::string(254, 'a'));
}
