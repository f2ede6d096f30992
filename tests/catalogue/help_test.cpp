// The help launcher with and without its file, and the help window it opens.
#include "catalogue/help.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "catalogue/helpwindow.h"
#include "platform/cp932.h"
#include "platform/helpviewer.h"
#include "platform/modal.h"
#include "tests/support/testinghelp.h"
#include "tests/support/testsupport.h"

namespace {

struct HelpRequest {
    std::string File;
    int Context;
    bool operator==(const HelpRequest&) const = default;
};

// Takes every help request instead of the help window.
class HelpRequests {
  public:
    HelpRequests() {
        SetHelpViewer([this](const std::string& file, int context) {
            Seen.push_back({file, context});
        });
    }
    ~HelpRequests() { SetHelpViewer(nullptr); }
    std::vector<HelpRequest> Seen;
};

const QString kMissing = QStringLiteral("ヘルプファイル『cocktail.hlp』が見つかりません。");

// Without the help file (or with a folder of its name) there is the message and nothing else.
TEST(Helper, MissingHelpFileIsReported) {
    QTemporaryDir dir;
    const TGameFolder folder = FolderAt(dir.path());
    for (bool asFolder : {false, true}) {
        if (asFolder) QDir(dir.path()).mkdir(QStringLiteral("cocktail.hlp"));
        ScriptedBoxes boxes;
        HelpRequests help;
        Helper(folder, 5);
        EXPECT_EQ(boxes.Texts(), (std::vector<QString>{kMissing}));
        EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Information);
        EXPECT_TRUE(help.Seen.empty());
    }
}

// With the help file, the viewer is asked for that file at the caller's topic, without a box.
TEST(Helper, PresentHelpFileOpensTheTopic) {
    QTemporaryDir dir;
    const TGameFolder folder = FolderAt(dir.path());
    WriteFileBytes(dir.path() + QStringLiteral("/cocktail.hlp"), "[topic 4] a\n[topic 5] b\n");
    ScriptedBoxes boxes;
    HelpRequests help;
    Helper(folder, 4);
    Helper(folder, 5);
    EXPECT_EQ(help.Seen,
              (std::vector<HelpRequest>{{folder.HelpFile(), 4}, {folder.HelpFile(), 5}}));
    EXPECT_TRUE(boxes.Seen().empty());
}

// Through the program's own viewer, the installed help file opens at the asked topic.
TEST(Helper, OwnWindowShowsTheInstalledTopics) {
    const TGameFolder folder = FolderAt(GameDir());
    struct Case {
        int context;
        QString title;
    };
    const Case cases[] = {{4, QStringLiteral("インターネットランキング")},
                          {5, QStringLiteral("ゲームセッティング")}};
    ScriptedBoxes boxes;
    for (const Case& c : cases) {
        QString shownTitle;
        SetModalHandler([&](QDialog& dialog) {
            shownTitle = Named<QLabel>(dialog, "lblTitle")->text();
            return 0;
        });
        Helper(folder, c.context);
        SetModalHandler(nullptr);
        EXPECT_EQ(shownTitle, c.title) << c.context;
    }
    EXPECT_TRUE(boxes.Seen().empty());
}

class HelpWindowTest : public ::testing::Test {
  protected:
    static std::vector<HelpTopic> Topics() {
        return ParseHelpFile(
            Cp932Text("[topic 1] 遊び方\n一\n[topic 4] ランキング\n四\n"
                      "[topic 5] 設定\n五\n"));
    }
};

// The window opens at the asked topic, or at the first one for an unknown number.
TEST_F(HelpWindowTest, OpensAtTheTopic) {
    TestingHelp atFive(Topics(), 5);
    EXPECT_EQ(atFive.CurrentTopic(), 2);
    EXPECT_EQ(atFive.lblTitle()->text(), QStringLiteral("設定"));
    EXPECT_EQ(atFive.memTopic()->toPlainText(), QStringLiteral("五"));
    EXPECT_EQ(atFive.lsTopics()->count(), 3);
    TestingHelp unknown(Topics(), 99);
    EXPECT_EQ(unknown.CurrentTopic(), 0);
    EXPECT_EQ(unknown.memTopic()->toPlainText(), QStringLiteral("一"));
}

// The list and the previous/next buttons move between the topics; the buttons stop at the ends.
TEST_F(HelpWindowTest, MovesBetweenTopics) {
    TestingHelp window(Topics(), 1);
    EXPECT_FALSE(window.btnPrev()->isEnabled());
    QTest::mouseClick(window.btnNext(), Qt::LeftButton);
    EXPECT_EQ(window.memTopic()->toPlainText(), QStringLiteral("四"));
    QTest::mouseClick(window.btnNext(), Qt::LeftButton);
    EXPECT_EQ(window.memTopic()->toPlainText(), QStringLiteral("五"));
    EXPECT_FALSE(window.btnNext()->isEnabled());
    QTest::mouseClick(window.btnPrev(), Qt::LeftButton);
    EXPECT_EQ(window.lblTitle()->text(), QStringLiteral("ランキング"));
    window.lsTopics()->setCurrentRow(0);
    EXPECT_EQ(window.lblTitle()->text(), QStringLiteral("遊び方"));
}

// A topic of one 10 MB line is shown bounded, so that the window lays it out at once.
TEST_F(HelpWindowTest, AnAbsurdTopicIsShownBounded) {
    TestingHelp window({HelpTopic{4, "huge", std::string(10'000'000, 'a')}}, 4);
    EXPECT_EQ(window.memTopic()->toPlainText(),
              FromCp932(ShownTopicText(std::string(10'000'000, 'a'))));
}

// Esc closes the help window.
TEST_F(HelpWindowTest, EscapeCloses) {
    TestingHelp window(Topics(), 4);
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
