#include <QtTest/QTest>
// The replaceable platform services: the random source, the tick count, the error handler.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <set>

#include "platform/application.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "tests/support/testsupport.h"

TEST(Random, DrawsStayInRangeAndCoverIt) {
    Randomize();
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int r = Random(7);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 7);
        seen.insert(r);
    }
    EXPECT_EQ(seen.size(), 7u);
}

TEST(Random, TheSameSeedRepeatsTheSameDraws) {
    std::vector<int> first, second;
    {
        FixedSeeds seeds(42);
        Randomize();
        for (int i = 0; i < 20; ++i) first.push_back(Random(1000));
    }
    {
        FixedSeeds seeds(42);
        Randomize();
        for (int i = 0; i < 20; ++i) second.push_back(Random(1000));
    }
    EXPECT_EQ(first, second);
}

TEST(TickCount, FakeClockReplacesAndRestoresTheRealOne) {
    {
        FakeClock clock(0xFFFFFFF0u);
        EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
        clock.Advance(0x20);
        EXPECT_EQ(GetTickCount(), 0x10u);  // wraps like the system's count
        EXPECT_EQ(static_cast<uint32_t>(GetTickCount() - 0xFFFFFFF0u), 0x20u);
    }
    uint32_t a = GetTickCount();
    uint32_t b = GetTickCount();
    EXPECT_LE(static_cast<uint32_t>(b - a), 1000u);
}

TEST(Application, AnExceptionLeavingAHandlerIsShownAndTheLoopGoesOn) {
    ScriptedBoxes boxes;
    bool later = false;
    QTimer::singleShot(0, [] { throw Exception(Sjis("失敗しました。")); });
    QTimer::singleShot(5, [&] { later = true; });
    QTRY_VERIFY_WITH_TIMEOUT(later, 2000);
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], QString::fromUtf8("失敗しました。"));
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
}

TEST(MessageBoxes, TheWarningAsksYesOrNo) {
    ScriptedBoxes boxes;
    boxes.Answer(MsgResult::Yes);
    EXPECT_TRUE(ConfirmWarning("q"));
    EXPECT_FALSE(ConfirmWarning("q"));
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(FromCp932(boxes.Seen()[0].Caption), QString::fromUtf8("警告"));
    EXPECT_EQ(boxes.Seen()[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Warning);
}

namespace {
// Works the real box that ShowMessageBox opens next, as soon as it is up.
void WhenBoxOpens(const std::function<void(QMessageBox&)>& work) {
    QTimer::singleShot(0, [work] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                work(*box);
                return;
            }
        }
        ADD_FAILURE() << "no message box opened";
    });
}
}  // namespace

// The real Yes/No box: the first button is the default, Esc answers the second, and a close by
// the title bar is neither answer.
TEST(MessageBoxes, RealYesNoBoxTellsEscFromTheCloseBox) {
    const MessageBoxRequest question{"q", "t", MsgIcon::Information, MsgButtons::YesNo};
    WhenBoxOpens([](QMessageBox& box) {
        EXPECT_EQ(box.defaultButton()->text(), QStringLiteral("はい(&Y)"));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    EXPECT_EQ(ShowMessageBox(question), MsgResult::Yes);
    WhenBoxOpens([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(ShowMessageBox(question), MsgResult::No);
    WhenBoxOpens([](QMessageBox& box) { box.close(); });
    EXPECT_EQ(ShowMessageBox(question), MsgResult::Closed);
    WhenBoxOpens([](QMessageBox& box) { box.close(); });
    EXPECT_EQ(ShowMessageBox({"q", "t", MsgIcon::Information, MsgButtons::YesCancel}),
              MsgResult::Cancel);
}
