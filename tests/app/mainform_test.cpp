// The main window driven through its handlers and real clicks: start-up, the question flow,
// judging, pacing, lifelines, stopping, restarting and quitting.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest/QTest>
#include <set>

#include "catalogue/cocktaildb.h"
#include "catalogue/pdb.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/modal.h"
#include "platform/timer.h"
#include "records/history.h"
#include "records/setting.h"
#include "tests/support/testinggameresult.h"
#include "tests/support/testingmainform.h"
#include "tests/support/testsupport.h"

namespace {

// The window's widths with the game panel hidden and shown.
constexpr int IdleWidth = 503;
constexpr int GameWidth = 610;

// A program folder, `name` in `dir`, with a catalogue of `count` real icons.
QString MakeCatalogue(const QTemporaryDir& dir, int count, const QString& name) {
    const QString path = dir.filePath(name);
    QDir(path).mkpath(QStringLiteral("cocktail"));
    for (int i = 0; i < count; ++i) {
        QImage image(32, 32, QImage::Format_ARGB32);
        image.fill(QColor::fromHsv(i * 3 % 360, 200, 100 + i % 150));
        image.save(
            path + QStringLiteral("/cocktail/カクテル%1.ico").arg(i, 3, 10, QLatin1Char('0')),
            "ICO");
    }
    return path + QLatin1Char('/');
}

class MainFormTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TTimer::SetManual(true);
        Open(120);
    }
    void TearDown() override {
        SetModalHandler(nullptr);
        TTimer::SetManual(false);
    }

    void Open(int icons, const QString& name = QStringLiteral("game")) {
        program.reset();
        dir = std::make_unique<QTemporaryDir>();
        folder = MakeCatalogue(*dir, icons, name);
        Start(folder);
        form->show();
        SetModalHandler([this](QDialog& dialog) {
            modalShown.push_back(dialog.objectName());
            return 0;
        });
    }

    // The program's windows on `appFolder`, as the program entry makes them.
    void Start(const QString& appFolder, bool readOnly = false) {
        program = std::make_unique<TestingProgram>(FolderAt(appFolder, readOnly));
        form = &program->MainForm();
        setting = &program->Setting();
        pdb = &program->PDB();
    }

    // Starts a game and shows its first question.
    void StartAndShowFirst() {
        form->mnuStartClick();
        form->tmrQuestionTimer();
    }

    QAction* Item(const char* name) const { return form->Control<QAction>(name); }
    QLabel* Label(const char* name) const { return form->Control<QLabel>(name); }
    const TTimer& RestTimer() const { return form->Game().CountdownTimer(); }
    const TTimer& QuestionTimer() const { return form->Game().QuestionTimer(); }
    QPushButton* Answer(int n) const { return form->Answer(n); }
    QLabel* Saving(int n) const { return form->Saving(n); }
    // A field of the settings dialog.
    template <class T>
    T* Field(const char* name) const {
        return setting->findChild<T*>(name);
    }

    QPushButton* CorrectButton() const {
        for (int n = 1; n <= 4; ++n)
            if (form->Game().Mark(n) == 0) return Answer(n);
        return nullptr;
    }
    QPushButton* WrongButton() const {
        for (int n = 1; n <= 4; ++n)
            if (form->Game().Mark(n) != 0 && Answer(n)->isVisible()) return Answer(n);
        return nullptr;
    }
    // A click at the widget's place in the window, so that whatever lies on top of it gets it.
    void Click(QWidget* widget) {
        QPoint at = widget->mapTo(form, widget->rect().center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at);
    }
    QString Status() const { return form->StatusText(); }
    QString OpenAnswerName() const {
        return FromCp932(
            NameWithoutExtension(form->CatalogueList()[form->Game().QuestionIndex() - 1]));
    }
    int VisibleAnswers() const {
        int visible = 0;
        for (int n = 1; n <= 4; ++n) visible += Answer(n)->isVisible();
        return visible;
    }

    ScriptedBoxes boxes;
    FakeClock clock;
    FixedSeeds seeds{17};
    std::unique_ptr<QTemporaryDir> dir;
    QString folder;
    std::unique_ptr<TestingProgram> program;
    TestingMainForm* form = nullptr;
    TSetting* setting = nullptr;
    TPDB* pdb = nullptr;
    std::vector<QString> modalShown;
};

// After start-up the window is idle: narrow, panel hidden, "50" checked, both timers off.
TEST_F(MainFormTest, StartsIdleWithFiftyChecked) {
    EXPECT_EQ(form->width(), IdleWidth);
    EXPECT_FALSE(form->Control("pnlQ")->isVisible());
    EXPECT_EQ(form->Game().GameActive(), 0);
    EXPECT_EQ(form->Game().QuestionCount(), 0);
    EXPECT_TRUE(Item("mnu50")->isChecked());
    EXPECT_EQ(form->Game().NextCount(), 50);
    EXPECT_FALSE(RestTimer().Enabled());
    EXPECT_FALSE(QuestionTimer().Enabled());
    EXPECT_EQ(QuestionTimer().Interval(), 1000);
    EXPECT_EQ(form->CatalogueList().size(), 120u);
    EXPECT_EQ(Label("lblTime")->text(), QStringLiteral("00:00`00"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("The・バーテンダム"));
    EXPECT_EQ(CutLabels(*form), std::vector<std::string>{});
    EXPECT_TRUE(boxes.Seen().empty());
}

// Every name matching *.ico counts, whatever its case or attributes, a folder so named included.
TEST_F(MainFormTest, CatalogueCountsHiddenFilesFoldersAndAnyCase) {
    QDir cocktails(folder + QStringLiteral("cocktail"));
    WriteFileBytes(cocktails.filePath(QStringLiteral(".hidden.ico")), "x");
    WriteFileBytes(cocktails.filePath(QStringLiteral("UPPER.ICO")), "x");
    WriteFileBytes(cocktails.filePath(QStringLiteral("notes.txt")), "x");
    cocktails.mkdir(QStringLiteral("folder.ico"));
    form->FormCreate();
    EXPECT_EQ(form->CatalogueList().size(), 123u);
    std::set<std::string> names(form->CatalogueList().begin(), form->CatalogueList().end());
    EXPECT_TRUE(names.count(".hidden.ico"));
    EXPECT_TRUE(names.count("UPPER.ICO"));
    EXPECT_TRUE(names.count("folder.ico"));
    EXPECT_TRUE(names.count(Cp932Text("カクテル000.ico")));
}

// Choosing a count checks it alone and sets the count the next game starts with.
TEST_F(MainFormTest, QuestionCountMenuChecksOneItemAndSetsTheCount) {
    Item("mnu30")->trigger();
    EXPECT_TRUE(Item("mnu30")->isChecked());
    EXPECT_FALSE(Item("mnu50")->isChecked());
    EXPECT_EQ(form->Game().QuestionCount(), 30);
    int checked = 0;
    for (QAction* item : form->Control<QMenu>("mnuMondai")->actions()) {
        checked += item->isChecked();
        EXPECT_FALSE(item->text().contains(QLatin1Char('&')));
    }
    EXPECT_EQ(checked, 1);
    Item("mnu100")->trigger();
    EXPECT_EQ(form->Game().QuestionCount(), 100);
    EXPECT_EQ(form->Game().NextCount(), 100);
}

// The first question: the panel and lifelines appear, the number is 1, four different names with
// exactly one mark 0 naming the picture's entry, the countdown at 10.
TEST_F(MainFormTest, FirstQuestionShowsPictureFourNamesAndCountdown) {
    Item("mnu10")->trigger();
    form->mnuStartClick();
    EXPECT_EQ(Status(), QStringLiteral("現在問題をシャッフル中です..."));
    EXPECT_TRUE(QuestionTimer().Enabled());
    EXPECT_EQ(QuestionTimer().Interval(), 1000);
    EXPECT_EQ(form->Game().QuestionCount(), 10);
    form->tmrQuestionTimer();
    EXPECT_TRUE(form->Control("pnlQ")->isVisible());
    EXPECT_EQ(form->width(), GameWidth);
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(Saving(n)->isVisible());
    EXPECT_EQ(Label("lblQuestion")->text(), QStringLiteral("第 1 問"));
    EXPECT_FALSE(Label("imgCocktail")->pixmap().isNull());
    std::set<QString> names;
    int marks0 = 0;
    for (int n = 1; n <= 4; ++n) {
        names.insert(Answer(n)->text());
        marks0 += form->Game().Mark(n) == 0;
    }
    EXPECT_EQ(names.size(), 4u);
    EXPECT_EQ(marks0, 1);
    EXPECT_EQ(CorrectButton()->text(), OpenAnswerName());
    EXPECT_EQ(Label("lblRest")->text(), QStringLiteral("10"));
    EXPECT_TRUE(RestTimer().Enabled());
    EXPECT_FALSE(QuestionTimer().Enabled());
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(form->Game().QuestionStartTick(), clock.Now());
}

// A correct click 2345 ms in scores 770 at combo 1, shows the clock, and paces by cmbCorrect.
TEST_F(MainFormTest, CorrectAnswerScoresByTheAnswerTime) {
    StartAndShowFirst();
    clock.Advance(2345);
    Click(CorrectButton());
    EXPECT_EQ(Status(), QStringLiteral("○正解！！"));
    EXPECT_EQ(form->Game().Score(), 770);
    EXPECT_EQ(Label("lblScore")->text(), QStringLiteral("770"));
    EXPECT_EQ(Label("lblCombo")->text(), QStringLiteral("1"));
    EXPECT_EQ(Label("lblTime")->text(), QStringLiteral("00:02`34"));
    EXPECT_EQ(form->Game().CorrectCount(), 1);
    EXPECT_FALSE(RestTimer().Enabled());
    EXPECT_TRUE(QuestionTimer().Enabled());
    EXPECT_EQ(QuestionTimer().Interval(), 1000);
    EXPECT_TRUE(Label("imgCover")->isVisible());
    for (int n = 1; n <= 4; ++n) EXPECT_FALSE(Saving(n)->isEnabled());
    // A second click lands on the cover and changes nothing.
    Click(CorrectButton());
    EXPECT_EQ(form->Game().Score(), 770);
    EXPECT_EQ(form->Game().CorrectCount(), 1);
}

// A wrong click costs a flat 10 s, names the answer, halves the combo and keeps the score.
TEST_F(MainFormTest, WrongAnswerHalvesTheComboAndCostsTenSeconds) {
    StartAndShowFirst();
    for (int i = 0; i < 7; ++i) {
        clock.Advance(1000);
        Click(CorrectButton());
        form->tmrQuestionTimer();
    }
    EXPECT_EQ(form->Game().Combo(), 7);
    const int32_t score = form->Game().Score();
    const int32_t elapsed = form->Game().ElapsedMs();
    clock.Advance(1000);
    const QString answer = OpenAnswerName();
    Click(WrongButton());
    EXPECT_EQ(Status(), QStringLiteral("×不正解！！『") + answer + QStringLiteral("』です..."));
    EXPECT_EQ(form->Game().Combo(), 3);
    EXPECT_EQ(Label("lblCombo")->text(), QStringLiteral("3"));
    EXPECT_EQ(form->Game().Score(), score);
    EXPECT_EQ(form->Game().ElapsedMs(), elapsed + 10000);
    EXPECT_EQ(QuestionTimer().Interval(), 3000);
    // Back to single points: combo 4 at 1 s is worth 900.
    form->tmrQuestionTimer();
    clock.Advance(1000);
    Click(CorrectButton());
    EXPECT_EQ(form->Game().Score(), score + 900);
}

// Pacing: the display times are read from the settings at every answer, with the fallbacks for
// texts that are no number and for times that would never tick.
TEST_F(MainFormTest, DisplayTimesComeFromTheSettingsAtEveryAnswer) {
    struct Row {
        const char* correct;
        const char* error;
        int afterCorrect;
        int afterWrong;
    } rows[] = {{"250", "500", 250, 500}, {"", "abc", 1000, 3000}, {"0", "-1", 1000, 3000}};
    StartAndShowFirst();
    for (const Row& row : rows) {
        Field<QComboBox>("cmbCorrect")->setCurrentText(QString::fromUtf8(row.correct));
        Field<QComboBox>("cmbError")->setCurrentText(QString::fromUtf8(row.error));
        Click(CorrectButton());
        EXPECT_EQ(QuestionTimer().Interval(), row.afterCorrect) << row.correct;
        form->tmrQuestionTimer();
        Click(WrongButton());
        EXPECT_EQ(QuestionTimer().Interval(), row.afterWrong) << row.error;
        form->tmrQuestionTimer();
    }
}

// Left alone, the countdown shows 9 … 1 and times out at the tenth tick, judged like a wrong click.
TEST_F(MainFormTest, CountdownTimesOutAtTheTenthTickAsWrong) {
    StartAndShowFirst();
    const QString answer = OpenAnswerName();
    for (int tick = 1; tick < 10; ++tick) {
        form->tmrRestTimer();
        EXPECT_EQ(Label("lblRest")->text(), QString::number(10 - tick));
        EXPECT_TRUE(RestTimer().Enabled());
        EXPECT_FALSE(Label("imgCover")->isVisible());
    }
    form->tmrRestTimer();
    EXPECT_EQ(Label("lblRest")->text(), QStringLiteral("0"));
    EXPECT_FALSE(RestTimer().Enabled());
    EXPECT_TRUE(Label("imgCover")->isVisible());
    EXPECT_EQ(Status(), QStringLiteral("×不正解！！『") + answer + QStringLiteral("』です..."));
    EXPECT_EQ(form->Game().ElapsedMs(), 10000);
    EXPECT_EQ(QuestionTimer().Interval(), 3000);
    EXPECT_TRUE(QuestionTimer().Enabled());
}

// A whole game: never an earlier answer among the wrong choices, exactly one mark 0 per question,
// and the result dialog at the end, after which the game stops with the final figures kept.
TEST_F(MainFormTest, WholeGameNeverOffersEarlierAnswersAndEndsWithTheResult) {
    Item("mnu100")->trigger();
    form->mnuStartClick();
    std::set<QString> earlierAnswers;
    for (int q = 1; q <= 100; ++q) {
        form->tmrQuestionTimer();
        ASSERT_EQ(form->Game().QuestionIndex(), q);
        int marks0 = 0;
        for (int n = 1; n <= 4; ++n) {
            if (form->Game().Mark(n) == 0) {
                ++marks0;
            } else {
                EXPECT_EQ(earlierAnswers.count(Answer(n)->text()), 0u) << "question " << q;
            }
        }
        ASSERT_EQ(marks0, 1);
        earlierAnswers.insert(OpenAnswerName());
        clock.Advance(500);
        Click(q % 3 ? CorrectButton() : WrongButton());
    }
    EXPECT_TRUE(modalShown.empty());
    const QString finalScore = Label("lblScore")->text();
    form->tmrQuestionTimer();
    ASSERT_EQ(modalShown.size(), 1u);
    EXPECT_EQ(modalShown[0], QStringLiteral("GameResult"));
    EXPECT_EQ(form->Game().GameActive(), 0);
    EXPECT_FALSE(form->Control("pnlQ")->isVisible());
    EXPECT_EQ(form->width(), IdleWidth);
    EXPECT_FALSE(QuestionTimer().Enabled());
    EXPECT_EQ(Label("lblScore")->text(), finalScore);
    EXPECT_EQ(form->Game().CorrectCount(), 67);
}

// The result dialog takes the game's figures when it opens.
TEST_F(MainFormTest, ResultDialogShowsTheGamesFigures) {
    Item("mnu10")->trigger();
    form->mnuStartClick();
    QString time;
    SetModalHandler([&](QDialog& dialog) {
        EXPECT_EQ(TestingGameResult::Text(dialog, "lblMondai"), QStringLiteral("10"));
        EXPECT_EQ(TestingGameResult::Text(dialog, "lblScore"), Label("lblScore")->text());
        EXPECT_EQ(TestingGameResult::Text(dialog, "lblSeikai"), QStringLiteral("10"));
        time = TestingGameResult::Text(dialog, "lblTime");
        return 0;
    });
    for (int q = 0; q < 10; ++q) {
        form->tmrQuestionTimer();
        clock.Advance(1234);
        Click(CorrectButton());
    }
    form->tmrQuestionTimer();
    EXPECT_EQ(time, QStringLiteral("00:12`34"));
}

// Stopping while a question is open hides the panel at once; the countdown still times the
// question out, and the next question tick finds no game and switches itself off.
TEST_F(MainFormTest, StopWhileAQuestionIsOpenLetsTheCountdownFinish) {
    StartAndShowFirst();
    Item("mnuStop")->trigger();
    EXPECT_EQ(form->Game().GameActive(), 0);
    EXPECT_FALSE(form->Control("pnlQ")->isVisible());
    EXPECT_EQ(form->width(), IdleWidth);
    EXPECT_TRUE(RestTimer().Enabled());
    for (int tick = 0; tick < 10; ++tick) form->tmrRestTimer();
    EXPECT_TRUE(Status().startsWith(QStringLiteral("×不正解！！『")));
    EXPECT_EQ(form->Game().ElapsedMs(), 10000);
    EXPECT_TRUE(QuestionTimer().Enabled());
    form->tmrQuestionTimer();
    EXPECT_FALSE(QuestionTimer().Enabled());
    EXPECT_EQ(form->Game().QuestionIndex(), 1);
    EXPECT_TRUE(modalShown.empty());
}

// Stopping during the verdict: no further question is shown.
TEST_F(MainFormTest, StopDuringTheVerdictShowsNoFurtherQuestion) {
    StartAndShowFirst();
    Click(CorrectButton());
    form->mnuStopClick();
    form->tmrQuestionTimer();
    EXPECT_EQ(form->Game().QuestionIndex(), 1);
    EXPECT_FALSE(QuestionTimer().Enabled());
}

// A restart during a game asks first; "No" leaves the game untouched, "Yes" reshuffles and resets.
TEST_F(MainFormTest, RestartAsksAndResetsOnlyWhenConfirmed) {
    StartAndShowFirst();
    clock.Advance(1000);
    Click(CorrectButton());
    form->tmrQuestionTimer();
    const auto order = form->CatalogueList();
    form->mnuStartClick();  // scripted answer: "No"
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0],
              QStringLiteral("現在はゲームプレイ中ですが、すべて破棄して新しく開始しますか？"));
    EXPECT_EQ(boxes.Seen()[0].Buttons, MsgButtons::YesNo);
    EXPECT_EQ(form->Game().QuestionIndex(), 2);
    EXPECT_EQ(form->CatalogueList(), order);
    EXPECT_TRUE(RestTimer().Enabled());

    boxes.Answer(MsgResult::Yes);
    form->mnuStartClick();
    EXPECT_EQ(form->Game().QuestionIndex(), 0);
    EXPECT_EQ(form->Game().Score(), 0);
    EXPECT_EQ(Label("lblScore")->text(), QStringLiteral("0"));
    EXPECT_NE(form->CatalogueList(), order);
    // The old question is still open; answering it now ends it without touching the new game.
    Click(WrongButton());
    EXPECT_EQ(form->Game().Score(), 0);
    EXPECT_EQ(form->Game().ElapsedMs(), 0);
    EXPECT_FALSE(RestTimer().Enabled());
    form->tmrQuestionTimer();
    EXPECT_EQ(Label("lblQuestion")->text(), QStringLiteral("第 1 問"));
    EXPECT_EQ(Label("lblRest")->text(), QStringLiteral("10"));
}

// Strike-two hides two wrong buttons; a second lifeline on the same question is refused with the
// message and stays available; the struck buttons are back at the next question.
TEST_F(MainFormTest, StrikeTwoLifelineOncePerQuestion) {
    StartAndShowFirst();
    QPushButton* correct = CorrectButton();
    Click(Label("imgSaving2"));
    EXPECT_FALSE(Label("imgSaving2")->isVisible());
    EXPECT_EQ(VisibleAnswers(), 2);
    EXPECT_TRUE(correct->isVisible());
    Click(Label("imgSaving4"));
    EXPECT_EQ(Status(), QStringLiteral("すでに救済処置を使っているので使えません！"));
    EXPECT_TRUE(Label("imgSaving4")->isVisible());
    EXPECT_EQ(VisibleAnswers(), 2);
    Click(correct);
    form->tmrQuestionTimer();
    EXPECT_EQ(VisibleAnswers(), 4);
    EXPECT_FALSE(Label("imgSaving2")->isVisible());
    // The certain answer leaves the right one alone, and it is scored as usual.
    Click(Label("imgSaving4"));
    EXPECT_EQ(VisibleAnswers(), 1);
    clock.Advance(2345);
    Click(CorrectButton());
    EXPECT_EQ(Label("lblCombo")->text(), QStringLiteral("2"));
}

// All four lifelines in one game on four questions; all are back at the next game's first question.
TEST_F(MainFormTest, AllFourLifelinesReturnInTheNextGame) {
    Item("mnu10")->trigger();
    StartAndShowFirst();
    for (int n = 1; n <= 4; ++n) {
        Click(Saving(n));
        EXPECT_FALSE(Saving(n)->isVisible());
        EXPECT_EQ(VisibleAnswers(), n < 4 ? 2 : 1);
        Click(CorrectButton());
        form->tmrQuestionTimer();
    }
    for (int n = 1; n <= 4; ++n) EXPECT_FALSE(Saving(n)->isVisible());
    boxes.Answer(MsgResult::Yes);
    StartAndShowFirst();
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(Saving(n)->isVisible());
}

// A catalogue below 101 entries cannot start a game: one clear error, nothing started.
TEST_F(MainFormTest, SmallCatalogueRefusesToStart) {
    Open(100);
    Item("mnuStart")->trigger();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
    EXPECT_TRUE(boxes.Texts()[0].contains(QStringLiteral("101")));
    EXPECT_EQ(form->Game().GameActive(), 0);
    EXPECT_FALSE(QuestionTimer().Enabled());
    EXPECT_FALSE(form->Control("pnlQ")->isVisible());
}

// A 100-question game on 101 entries runs to its end with four different names at every question.
TEST_F(MainFormTest, LargeCountOnASmallCatalogueStillFindsFourNames) {
    Open(101);
    Item("mnu100")->trigger();
    form->mnuStartClick();
    for (int q = 0; q < 100; ++q) {
        form->tmrQuestionTimer();
        std::set<QString> names;
        for (int n = 1; n <= 4; ++n) names.insert(Answer(n)->text());
        ASSERT_EQ(names.size(), 4u) << "question " << q + 1;
        Click(CorrectButton());
    }
    form->tmrQuestionTimer();
    EXPECT_EQ(modalShown.size(), 1u);
}

// An icon removed since start-up: no error, the next entry is asked in its place, and the
// status bar names the file.
TEST_F(MainFormTest, MissingIconGivesWayToTheNextQuestion) {
    form->mnuStartClick();
    const std::string gone = form->CatalogueList()[0], next = form->CatalogueList()[1];
    QFile::remove(folder + QStringLiteral("cocktail/") + FromCp932(gone));
    form->tmrQuestionTimer();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_TRUE(form->Control("pnlQ")->isVisible());
    EXPECT_EQ(CorrectButton()->text(), FromCp932(NameWithoutExtension(next)));
    EXPECT_FALSE(Label("imgCocktail")->pixmap().isNull());
    EXPECT_TRUE(Status().contains(FromCp932(gone)));
}

// Quitting during a game asks first and "No" leaves everything running; the close box asks
// nothing and saves nothing.
TEST_F(MainFormTest, QuittingAsksDuringAGameAndTheCloseBoxSavesNothing) {
    StartAndShowFirst();
    Item("mnuEnd")->trigger();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], QStringLiteral("現在はゲームプレイ中ですが、終了しますか？"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(RestTimer().Enabled());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("setting.dat")));
    form->close();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(boxes.Seen().size(), 1u);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("setting.dat")));
}

// Quitting with no game saves the settings and closes without a question.
TEST_F(MainFormTest, QuittingIdleSavesTheSettings) {
    Item("mnuEnd")->trigger();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ReadFileBytes(folder + QStringLiteral("setting.dat")),
              "3000\r\n1000\r\n\r\n\r\n\r\n0\r\n");
}

// Played from the installed catalogue, which keeps nothing, quitting closes without a word.
TEST_F(MainFormTest, QuittingTheInstalledCatalogueWritesNothing) {
    program.reset();
    Start(folder, true);
    EXPECT_EQ(form->CatalogueList().size(), 120u);
    Item("mnuEnd")->trigger();
    EXPECT_TRUE(boxes.Seen().empty());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("setting.dat")));
}

// The menu commands and the two pictures open their windows modally, also during a game.
TEST_F(MainFormTest, MenuCommandsOpenTheirWindows) {
    Item("mnuGameSetting")->trigger();
    Item("mnuDB")->trigger();
    Click(Label("imgDB"));
    Item("mnuAbout")->trigger();
    ASSERT_EQ(modalShown.size(), 4u);
    EXPECT_EQ(modalShown[0], setting->objectName());
    EXPECT_EQ(modalShown[1], pdb->objectName());
    EXPECT_EQ(modalShown[2], pdb->objectName());
    EXPECT_NE(modalShown[3], pdb->objectName());
    Click(Label("imgNew"));
    EXPECT_EQ(form->Game().GameActive(), 1);
    Item("mnuRanking")->trigger();  // no log.dat yet: a message instead of the dialog
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], QStringLiteral("データが見つかりませんでした。"));
}

// A game played, saved and quit through the menu, in a folder whose name CP932 cannot write: the
// next start shows the same settings, the played count checked, and log.dat holds the game's
// exact line.
TEST_F(MainFormTest, SettingsAndTheLogSurviveARestart) {
    Open(120, QStringLiteral("café〜"));
    Field<QComboBox>("cmbCorrect")->setCurrentText(QStringLiteral("250"));
    Field<QLineEdit>("txtHN")->setText(QStringLiteral("バーテンダー"));
    Item("mnu10")->trigger();
    form->mnuStartClick();
    SetModalHandler([](QDialog& dialog) {
        TestingGameResult::Button(dialog, "btnOK")->click();
        return 1;
    });
    for (int q = 0; q < 10; ++q) {
        form->tmrQuestionTimer();
        clock.Advance(1000);
        Click(q < 8 ? CorrectButton() : WrongButton());
    }
    form->tmrQuestionTimer();
    const std::string log = ReadFileBytes(folder + QStringLiteral("log.dat"));
    const std::string expected = "10," + std::to_string(form->Game().Score()) + ",00:28`00,8,2,";
    EXPECT_EQ(log.substr(0, expected.size()), expected);
    Item("mnuEnd")->trigger();
    EXPECT_FALSE(form->isVisible());

    const QString keep = folder;
    program.reset();
    Start(keep);  // the same folder, opened again
    EXPECT_EQ(Field<QComboBox>("cmbCorrect")->currentText(), QStringLiteral("250"));
    EXPECT_EQ(Field<QLineEdit>("txtHN")->text(), QStringLiteral("バーテンダー"));
    EXPECT_TRUE(Item("mnu10")->isChecked());
    EXPECT_FALSE(Item("mnu50")->isChecked());
    EXPECT_EQ(form->Game().QuestionCount(), 0);
    EXPECT_EQ(form->Game().NextCount(), 10);
    EXPECT_EQ(ReadFileBytes(keep + QStringLiteral("log.dat")), log);
    EXPECT_TRUE(boxes.Seen().empty());
}

// A setting.dat that cannot be written keeps the program running: the quit does not complete.
TEST_F(MainFormTest, QuitStaysOpenWhenTheSettingsCannotBeWritten) {
    QDir(folder).mkdir(QStringLiteral("setting.dat"));
    Item("mnuEnd")->trigger();
    ASSERT_EQ(boxes.Seen().size(), 1u);
    EXPECT_EQ(boxes.Seen()[0].Icon, MsgIcon::Error);
    EXPECT_TRUE(form->isVisible());
}

}  // namespace

// A finished game with misses offers their review until the next game; "これを練習" there plays
// just those cocktails as a practice round, marked as one, which ends with a summary instead of
// the result: log.dat is never written. Every answer of both goes into history.dat, and the
// most-missed cocktails can be practised from the menu.
TEST_F(MainFormTest, MissesAreReviewedAndPractisedWithoutReachingTheLog) {
    Item("mnu10")->trigger();
    EXPECT_FALSE(Item("mnuReview")->isEnabled());
    form->mnuStartClick();
    std::vector<std::string> missed;
    for (int q = 1; q <= 10; ++q) {
        form->tmrQuestionTimer();
        if (q % 4 == 0) missed.push_back(form->CatalogueList()[q - 1]);
        Click(q % 4 ? CorrectButton() : WrongButton());
    }
    form->tmrQuestionTimer();
    ASSERT_EQ(modalShown, std::vector<QString>{QStringLiteral("GameResult")});
    EXPECT_TRUE(Item("mnuReview")->isEnabled());
    EXPECT_TRUE(Status().contains(QStringLiteral("復習(V)")));

    int reviewed = 0;
    SetModalHandler([&](QDialog& dialog) {
        modalShown.push_back(dialog.objectName());
        reviewed = dialog.findChild<QListWidget*>(QStringLiteral("lsMisses"))->count();
        dialog.findChild<QPushButton*>(QStringLiteral("btnPractice"))->click();
        return 0;
    });
    Item("mnuReview")->trigger();
    EXPECT_EQ(reviewed, 2);
    for (const std::string& entry : missed) {
        form->tmrQuestionTimer();
        EXPECT_EQ(OpenAnswerName(), FromCp932(NameWithoutExtension(entry)));
        Click(CorrectButton());
    }
    EXPECT_EQ(form->windowTitle(), QStringLiteral("The・バーテンダム - 練習"));
    EXPECT_EQ(Label("lblQuestion")->text(), QStringLiteral("練習 第 2 問"));
    EXPECT_FALSE(Item("mnuReview")->isEnabled());
    form->tmrQuestionTimer();
    EXPECT_EQ(form->Game().GameActive(), 0);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("The・バーテンダム"));
    EXPECT_EQ(Status(), QStringLiteral("練習終了：2問中2問正解。"));
    EXPECT_EQ(modalShown.size(), 2u);
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("log.dat")));
    EXPECT_FALSE(Item("mnuReview")->isEnabled());

    const TPlayerHistory history =
        TPlayerHistory::Load(NativePath(folder + QStringLiteral("history.dat")));
    const CocktailStats twice = history.Stats(NameWithoutExtension(missed[1]));
    EXPECT_EQ(twice.Asked, 2);
    EXPECT_EQ(twice.Missed, 1);

    Start(folder);
    form->mnuPracticeClick();
    EXPECT_TRUE(form->Game().Practice());
    EXPECT_EQ(form->Game().GameCount(), 2);
    EXPECT_NE(std::find(missed.begin(), missed.end(), form->Game().QuestionOrder()[0]),
              missed.end());
}
