// The replaceable platform services: the random source, the tick count, the error handler, the
// message boxes and the fonts.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <set>
#include <vector>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/fonts.h"
#include "platform/guard.h"
#include "platform/picture.h"
#include "platform/random.h"
#include "platform/tick.h"
#include "tests/support/testsupport.h"

// Groups of draws follow each other within the same millisecond (a shuffle, then the wrong
// choices, then their places): each re-seed from the clock must still start a new sequence.
TEST(Random, ReseedsInTheSameMillisecondDrawDifferently) {
    std::set<std::vector<int>> sequences;
    for (int group = 0; group < 5; ++group) {
        Randomize();
        std::vector<int> draws;
        for (int i = 0; i < 8; ++i) draws.push_back(Random(1 << 30));
        sequences.insert(draws);
    }
    EXPECT_EQ(sequences.size(), 5u);
}

// The tick count is the system's milliseconds: it follows real time at that rate.
TEST(TickCount, CountsRealMilliseconds) {
    const uint32_t before = GetTickCount();
    QTest::qSleep(150);
    const uint32_t elapsed = GetTickCount() - before;
    EXPECT_GE(elapsed, 145u);
    EXPECT_LT(elapsed, 1500u);
}

// A failure that leaves a handler Qt calls is caught at that boundary and shown in an error box,
// also one that is no exception of the program's; the event loop goes on.
TEST(Guard, AFailingHandlerIsShownAndTheLoopGoesOn) {
    ScriptedBoxes boxes;
    bool later = false;
    QTimer::singleShot(0, Guarded([] { throw Exception(Cp932Text("失敗しました。")); }));
    QTimer::singleShot(1, Guarded([] { throw 42; }));
    QTimer::singleShot(5, [&] { later = true; });
    QTRY_VERIFY_WITH_TIMEOUT(later, 2000);
    ASSERT_EQ(boxes.Seen().size(), 2u);
    EXPECT_EQ(boxes.Texts()[0], QString::fromUtf8("失敗しました。"));
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
    EXPECT_EQ(boxes.Seen()[1].Icon, MsgIcon::Error);
    EXPECT_FALSE(boxes.Seen()[1].Text.empty());
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

// The windows' proportional fonts stay proportional where the platform lacks them, so that Latin
// texts such as "Score :" do not look typewritten; the monospaced one stays monospaced.
TEST(Fonts, FallBackToAFontOfTheSameKind) {
    const struct {
        const char* family;
        bool proportional;
    } rows[] = {{"MS UI Gothic", true}, {"ＭＳ Ｐゴシック", true}, {"ＭＳ ゴシック", false}};
    for (const auto& row : rows) {
        const QFontMetrics metrics(JapaneseFont(QString::fromUtf8(row.family), 12));
        const bool proportional = metrics.horizontalAdvance(QStringLiteral("iiii")) <
                                  metrics.horizontalAdvance(QStringLiteral("WWWW"));
        EXPECT_EQ(proportional, row.proportional) << row.family;
    }
}

// A window picture keeps its size in the window; a dense screen gets its finer drawing.
TEST(WindowPicture, ADenseScreenGetsTheFinerDrawing) {
    for (const qreal ratio : {1.0, 2.0}) {
        const QPixmap picture = WindowPicture(QStringLiteral("new"), ratio);
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(91, 51)) << ratio;
        EXPECT_EQ(picture.devicePixelRatio(), ratio);
    }
}
