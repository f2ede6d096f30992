// The help file's topics as read from its text, and the help file the build installs.
#include "catalogue/helpfile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "tests/support/testsupport.h"

namespace {

std::string Utf8(const std::string& cp932) { return FromCp932(cp932).toStdString(); }

// Headers start topics whatever the line ends; notes before the first topic and blank lines at a
// topic's end never show.
TEST(ParseHelpFile, TopicsTitlesAndTexts) {
    const std::string file = Cp932Text(
        "notes for writers\r\n"
        "[topic 4] インターネット\r\n"
        "一行目\r\n"
        "\r\n"
        "三行目\r\n"
        "\r\n"
        "[topic 5]\t  ゲーム設定\r"
        "設定の説明\n"
        "[topic 12]\n");
    const std::vector<HelpTopic> topics = ParseHelpFile(file);
    ASSERT_EQ(topics.size(), 3u);
    EXPECT_EQ(topics[0].Context, 4);
    EXPECT_EQ(Utf8(topics[0].Title), "インターネット");
    EXPECT_EQ(Utf8(topics[0].Text), "一行目\n\n三行目");
    EXPECT_EQ(topics[1].Context, 5);
    EXPECT_EQ(Utf8(topics[1].Title), "ゲーム設定");
    EXPECT_EQ(Utf8(topics[1].Text), "設定の説明");
    EXPECT_EQ(topics[2].Context, 12);
    EXPECT_EQ(topics[2].Title, "");
    EXPECT_EQ(topics[2].Text, "");
}

// Lines that only look like headers stay text of the topic they stand in.
TEST(ParseHelpFile, MalformedHeadersAreText) {
    const char* lines[] = {"[topic x] a",  "[topic 5 b", "[Topic 5] c",
                           " [topic 5] d", "[topic ] e", "[topic 12345678901] f"};
    for (const char* line : lines) {
        const std::vector<HelpTopic> topics = ParseHelpFile(std::string("[topic 1] t\n") + line);
        ASSERT_EQ(topics.size(), 1u) << line;
        EXPECT_EQ(topics[0].Text, line);
    }
    EXPECT_TRUE(ParseHelpFile("no topics at all\n").empty());
}

// The first of two topics with one number is the one found by it.
TEST(FindHelpTopic, FirstOfAContextWins) {
    const std::vector<HelpTopic> topics = ParseHelpFile("[topic 3] a\n[topic 4] b\n[topic 4] c\n");
    EXPECT_EQ(FindHelpTopic(topics, 4), 1);
    EXPECT_EQ(FindHelpTopic(topics, 3), 0);
    EXPECT_EQ(FindHelpTopic(topics, 5), -1);
}

// A help file that cannot be opened is a file error, not an empty help.
TEST(LoadHelpFile, MissingFileRaisesInOutError) {
    EXPECT_THROW(LoadHelpFile(NativePath(GameDir()) + "/no-such-help.hlp"), EInOutError);
}

// Lines beyond HelpShownLineBytes are broken, never inside a double-byte character; text beyond
// HelpShownBytes gives way to a note; anything within the bounds passes unchanged.
TEST(ShownTopicText, BoundsLinesAndLength) {
    const std::string line(HelpShownLineBytes, 'a');
    const std::string kana = Cp932Text("ア");
    std::string kanaLine = "x";  // its last character would straddle the bound
    while (kanaLine.size() <= HelpShownLineBytes) kanaLine += kana;
    EXPECT_EQ(ShownTopicText("a\n\nb"), "a\n\nb");
    EXPECT_EQ(ShownTopicText(line + "\n" + line), line + "\n" + line);
    EXPECT_EQ(ShownTopicText(line + "b"), line + "\nb");
    EXPECT_EQ(ShownTopicText(kanaLine), kanaLine.substr(0, HelpShownLineBytes - 1) + "\n" + kana);
    const std::string huge = ShownTopicText(std::string(10'000'000, 'a'));
    EXPECT_LE(huge.size(), HelpShownBytes + 100);
    EXPECT_EQ(huge.substr(huge.rfind("\n\n") + 2),
              Cp932Text("（長すぎるため、ここから先は表示されません。）"));
}

// A help file far beyond any help text (here 1 TiB, sparse) is refused by name.
TEST(LoadHelpFile, HugeFileIsRefusedByName) {
    QTemporaryDir dir;
    const std::string path = NativePath(dir.path()) + "/cocktail.hlp";
    QFile file(FromNative(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 40));
    const std::string error = ErrorOf([&] { LoadHelpFile(path); });
    EXPECT_NE(error.find(path + " "), std::string::npos) << error;
}

// The installed help file is CP932 and holds the topics the dialogs open: 4 and 5.
TEST(InstalledHelpFile, HoldsTheRankingAndSettingsTopics) {
    const std::vector<HelpTopic> topics = LoadHelpFile(NativePath(GameDir()) + "/cocktail.hlp");
    const int ranking = FindHelpTopic(topics, 4);
    const int settings = FindHelpTopic(topics, 5);
    ASSERT_GE(ranking, 0);
    ASSERT_GE(settings, 0);
    EXPECT_EQ(Utf8(topics[static_cast<size_t>(ranking)].Title), "インターネットランキング");
    EXPECT_EQ(Utf8(topics[static_cast<size_t>(settings)].Title), "ゲームセッティング");
    EXPECT_NE(Utf8(topics[static_cast<size_t>(settings)].Text).find("正解時の表示時間"),
              std::string::npos);
    // Every topic decodes without a replacement character: the file really is CP932.
    for (const HelpTopic& topic : topics) {
        EXPECT_FALSE(FromCp932(topic.Text).contains(QChar(0xFFFD))) << topic.Context;
    }
}

}  // namespace
