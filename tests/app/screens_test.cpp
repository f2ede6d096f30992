// The main window's new looks as a player sees them, at the scale the test runs at (CTest runs it
// at 1 and at QT_SCALE_FACTOR=2): the verdict after a miss, its marks seen through the cover, and
// a paused practice round, its question covered. Played with keys only, on the built game folder
// (read-only, so nothing is written there). With BARTENDAM_SCREENSHOTS naming a folder, each
// picture is saved there (verdict-scale1.png, ...) for a person to look at.
#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include "platform/modal.h"
#include "platform/timer.h"
#include "tests/support/testingmainform.h"
#include "tests/support/testsupport.h"

namespace {
// The colour at the middle of `widget`'s left edge (inside its border) in the window's picture.
QColor ColourAt(const QImage& shot, QWidget& window, QWidget* widget) {
    const QPoint at = widget->mapTo(&window, QPoint(6, widget->height() / 2));
    return shot.pixelColor(at * shot.devicePixelRatio());
}

void Save(QWidget& window, const char* name) {
    const QString shots = qEnvironmentVariable("BARTENDAM_SCREENSHOTS");
    if (!shots.isEmpty())
        window.grab().save(QDir(shots).filePath(QStringLiteral("%1-scale%2.png")
                                                    .arg(QLatin1String(name))
                                                    .arg(qRound(window.devicePixelRatioF()))));
}
}  // namespace

TEST(Screens, VerdictMarksAndThePausedPracticeShowAtThisScale) {
    TTimer::SetManual(true);
    ScriptedBoxes boxes;
    FixedSeeds seeds{3};
    TestingProgram program(FolderAt(GameDir(), true));
    TestingMainForm& form = program.MainForm();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const auto answerOf = [&form] {
        int n = 1;
        while (form.Game().Mark(n) != 0) ++n;
        return n;
    };
    form.Control<QAction>(QStringLiteral("mnu10"))->trigger();
    form.mnuStartClick();
    form.tmrQuestionTimer();
    const int right = answerOf(), wrong = right % 4 + 1;
    QTest::keyClick(&form, static_cast<Qt::Key>(Qt::Key_0 + wrong));
    ASSERT_EQ(form.Game().Phase(), TGame::TPhase::Verdict);
    ASSERT_TRUE(form.Control("imgCover")->isVisible());
    const QImage verdict = form.grab().toImage();
    const QColor green = ColourAt(verdict, form, form.Answer(right));
    const QColor red = ColourAt(verdict, form, form.Answer(wrong));
    EXPECT_GT(green.green(), 2 * green.red()) << green.name().toStdString();
    EXPECT_GT(red.red(), 2 * red.green()) << red.name().toStdString();
    EXPECT_EQ(CutLabels(form), std::vector<std::string>());
    Save(form, "verdict");

    // The rest of the game missed, then its review's "これを練習".
    SetModalHandler([](QDialog& dialog) {
        if (auto* practise = dialog.findChild<QPushButton*>(QStringLiteral("btnPractice")))
            practise->click();
        return 0;
    });
    form.tmrQuestionTimer();
    QTest::keyClick(&form, Qt::Key_Q);
    EXPECT_FALSE(form.Saving(1)->isVisible());
    for (int q = 2; q <= 10; ++q) {
        if (q > 2) form.tmrQuestionTimer();
        QTest::keyClick(&form, static_cast<Qt::Key>(Qt::Key_0 + answerOf()));
    }
    form.tmrQuestionTimer();
    form.Control<QAction>(QStringLiteral("mnuReview"))->trigger();
    ASSERT_TRUE(form.Game().Practice());
    form.tmrQuestionTimer();
    QTest::keyClick(&form, Qt::Key_Space);
    ASSERT_TRUE(form.Game().Paused());
    QWidget* cover = form.Control(QStringLiteral("lblPause"));
    EXPECT_TRUE(cover->isVisible());
    const QImage paused = form.grab().toImage();
    for (const char* covered : {"imgCocktail", "spdAnswer1", "spdAnswer4"})
        EXPECT_EQ(ColourAt(paused, form, form.Control(QLatin1String(covered))), QColor(Qt::black))
            << covered;
    EXPECT_EQ(CutLabels(form), std::vector<std::string>());
    Save(form, "practice-paused");
    SetModalHandler(nullptr);
    TTimer::SetManual(false);
}
