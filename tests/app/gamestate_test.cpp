// A game's flow without a window: starting, showing, judging, the countdown, the lifelines and
// the end, driven by calls and by the game's own clocks ticked by hand, and what the game
// announces on the way. No sequence of calls breaks a rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/game.h"
#include "catalogue/cocktaildb.h"
#include "platform/exception.h"
#include "tests/support/testsupport.h"

namespace {
std::vector<std::string> Catalogue(int count) {
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i) list.push_back("c" + std::to_string(i) + ".ico");
    return list;
}

int AnswerOf(const TGame& game) {
    for (int n = 1; n <= 4; ++n)
        if (game.Mark(n) == 0) return n;
    return 0;
}

int AWrongOne(const TGame& game) { return AnswerOf(game) % 4 + 1; }

class GameState : public ::testing::Test {
  protected:
    void SetUp() override {
        TTimer::SetManual(true);
        Watch(game);
    }
    // Records what `watched` announces.
    void Watch(TGame& watched) {
        QObject::connect(&watched, &TGame::statusText, [this](const std::string& text) {
            statuses.push_back(text);
            verdicts +=
                text == Cp932Text("○正解！！") || text.rfind(Cp932Text("×不正解！！『"), 0) == 0;
            refusals += text == Cp932Text("すでに救済処置を使っているので使えません！");
        });
        QObject::connect(&watched, &TGame::questionShown,
                         [this](int, const QImage&, const TGame::TChoices& shown) {
                             names = shown;
                             ++questionsShown;
                         });
        QObject::connect(
            &watched, &TGame::lifelineStruck,
            [this](int, const std::vector<int>& buttons) { struck.push_back(buttons); });
        QObject::connect(&watched, &TGame::gameFinished,
                         [this](const TGameFigures& figures) { results.push_back(figures); });
        QObject::connect(&watched, &TGame::questionJudged,
                         [this](const std::string& entry, int answer, int picked) {
                             judged.push_back({entry, answer, picked});
                         });
    }
    void TearDown() override { TTimer::SetManual(false); }

    void TimeOut() {
        for (int tick = 0; tick < TGame::CountdownSeconds; ++tick) game.CountdownTick();
    }
    // Ticks and answers until the game has ended, `correct` deciding each answer.
    void PlayToTheEnd(const std::function<bool(int)>& correct) {
        while (results.empty() && game.GameActive() == 1) {
            game.QuestionTick();
            clock.Advance(1000);
            game.Answer(correct(game.QuestionIndex()) ? AnswerOf(game) : AWrongOne(game));
        }
    }

    FakeClock clock;
    FixedSeeds seeds{5};
    std::vector<std::string> catalogue = Catalogue(120);
    // Entries whose picture cannot be loaded.
    std::set<std::string> unreadable;
    TGame::TDisplayTexts display{"250", "500"};
    TGame game{catalogue,
               [this](const std::string& entry) {
                   if (unreadable.count(entry)) throw Exception("cannot read " + entry);
                   return QImage();
               },
               [this] { return display; }};
    // What the game announced.
    std::vector<std::string> statuses;
    int verdicts = 0;
    int refusals = 0;
    TGame::TChoices names;
    int questionsShown = 0;
    std::vector<std::vector<int>> struck;
    std::vector<TGameFigures> results;
    struct Judged {
        std::string entry;
        int answer, picked;
    };
    std::vector<Judged> judged;
};
}  // namespace

// Whatever the order of calls, a question is judged at most once, takes at most one lifeline,
// each lifeline serves once per game, and nothing acts on a closed or unreachable question. A
// second lifeline on a question is the one refusal with a message; the others are silent.
TEST_F(GameState, NoSequenceOfCallsBreaksARule) {
    enum Step { Start, Show, Right, Wrong, TimeOut, Strike1, Strike2, Certain, Stop };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        int correct, judged, lifelines, refused, shown;
    } rows[] = {
        {"a second answer", {Start, Show, Right, Right, Wrong}, 1, 1, 0, 0, 1},
        {"an answer after a wrong one", {Start, Show, Wrong, Right}, 0, 1, 0, 0, 1},
        {"an answer after the time-out", {Start, Show, TimeOut, Right}, 0, 1, 0, 0, 1},
        {"a time-out after the answer", {Start, Show, Right, TimeOut}, 1, 1, 0, 0, 1},
        {"an answer before the first question", {Start, Right, Wrong, TimeOut}, 0, 0, 0, 0, 0},
        {"an answer before any game", {Right, Show, Strike1}, 0, 0, 0, 0, 0},
        {"a question tick while a question is open", {Start, Show, Show, Show}, 0, 0, 0, 0, 1},
        {"a lifeline in the verdict", {Start, Show, Right, Strike1, Certain}, 1, 1, 0, 0, 1},
        {"a lifeline before the first question", {Start, Strike1, Show}, 0, 0, 0, 0, 1},
        {"two lifelines on one question", {Start, Show, Strike1, Certain, Strike2}, 0, 0, 1, 2, 1},
        {"one lifeline twice in a game",
         {Start, Show, Strike1, Right, Show, Strike1, Certain},
         1,
         1,
         2,
         0,
         2},
        {"each lifeline once in a game",
         {Start, Show, Certain, Right, Show, Strike2, Right, Show, Strike1, Wrong},
         2,
         3,
         3,
         0,
         3},
        {"lifelines back in the next game",
         {Start, Show, Strike1, Right, Start, Show, Strike1},
         0,
         1,
         2,
         0,
         2},
        {"an answer and a lifeline after a stop",
         {Start, Show, Stop, Right, Strike1},
         0,
         0,
         0,
         0,
         1},
        {"the time-out after a stop is judged", {Start, Show, Stop, TimeOut, Show}, 0, 1, 0, 0, 1},
        {"a stop and a new start leave the old question out of reach",
         {Start, Show, Stop, Start, Right, TimeOut, Show, Right},
         1,
         1,
         0,
         0,
         2},
        {"the old question after a start confirmed over it is judged in neither game",
         {Start, Show, Start, Right, Show, Right},
         1,
         1,
         0,
         0,
         2},
    };
    for (const Row& row : rows) {
        std::vector<std::string> list = Catalogue(120);
        TGame fresh(
            list, [](const std::string&) { return QImage(); },
            [] { return TGame::TDisplayTexts{}; });
        verdicts = refusals = questionsShown = 0;
        struck.clear();
        Watch(fresh);
        fresh.ChooseCount(10);
        for (Step step : row.steps) {
            switch (step) {
                case Start:
                    fresh.Start();
                    break;
                case Show:
                    fresh.QuestionTick();
                    break;
                case Right:
                    fresh.Answer(AnswerOf(fresh));
                    break;
                case Wrong:
                    // A click on each wrong button in turn: the first one still shown counts.
                    for (int n = 1; n <= 4; ++n)
                        if (fresh.Mark(n) != 0) fresh.Answer(n);
                    break;
                case TimeOut:
                    for (int tick = 0; tick < TGame::CountdownSeconds; ++tick)
                        fresh.CountdownTick();
                    break;
                case Strike1:
                    fresh.UseLifeline(1);
                    break;
                case Strike2:
                    fresh.UseLifeline(2);
                    break;
                case Certain:
                    fresh.UseLifeline(TGame::CertainAnswerLifeline);
                    break;
                case Stop:
                    fresh.Stop();
                    break;
            }
            ASSERT_LE(fresh.CorrectCount(), fresh.QuestionIndex()) << row.name;
        }
        EXPECT_EQ(fresh.CorrectCount(), row.correct) << row.name;
        EXPECT_EQ(verdicts, row.judged) << row.name;
        EXPECT_EQ(static_cast<int>(struck.size()), row.lifelines) << row.name;
        EXPECT_EQ(refusals, row.refused) << row.name;
        EXPECT_EQ(questionsShown, row.shown) << row.name;
    }
}

// A question names its entry on exactly one button, the one marked 0; a correct answer scores by
// the answer time and raises the combo, a wrong one or a time-out halves it and costs 10 s; the
// display times come from the settings' texts at every answer and pace the next question.
TEST_F(GameState, JudgingChangesTheFiguresByTheRules) {
    game.ChooseCount(10);
    game.Start();
    for (int i = 0; i < 7; ++i) {
        game.QuestionTick();
        ASSERT_EQ(std::count(names.begin(), names.end(), names[AnswerOf(game) - 1]), 1);
        EXPECT_EQ(names[AnswerOf(game) - 1] + ".ico", game.QuestionOrder()[i]);
        clock.Advance(1000);
        game.Answer(AnswerOf(game));
        EXPECT_EQ(game.QuestionTimer().Interval(), 250);
        EXPECT_TRUE(game.QuestionTimer().Enabled());
    }
    EXPECT_EQ(game.Combo(), 7);
    EXPECT_EQ(game.Score(), 4 * 900 + 3 * 1800);
    game.QuestionTick();
    clock.Advance(2345);
    const std::pair<int, int> wrongTurn{AnswerOf(game), AWrongOne(game)};
    const std::string wrongName = names[wrongTurn.second - 1];
    game.Answer(wrongTurn.second);
    EXPECT_EQ(statuses.back(), Cp932Text("×不正解！！『") +
                                   NameWithoutExtension(game.QuestionOrder()[7]) +
                                   Cp932Text("』です..."));
    EXPECT_EQ(game.QuestionTimer().Interval(), 500);
    EXPECT_EQ(game.Combo(), 3);
    EXPECT_EQ(game.ElapsedMs(), 7000 + 10000);
    display = {"", "x"};
    game.QuestionTick();
    TimeOut();
    EXPECT_EQ(game.QuestionTimer().Interval(), TGame::WrongDisplayFallback);
    EXPECT_EQ(game.Combo(), 1);
    EXPECT_EQ(game.CorrectCount(), 7);
    EXPECT_EQ(game.QuestionIndex(), 9);
    EXPECT_EQ(game.Figures().Time, "00:27`00");
    // Each verdict names the entry, the answer's button and the pick (the time-out's for none);
    // the misses keep the name chosen.
    ASSERT_EQ(judged.size(), 9u);
    EXPECT_EQ(judged[6].answer, judged[6].picked);
    EXPECT_EQ(judged[7].entry, game.QuestionOrder()[7]);
    EXPECT_EQ(judged[7].answer, wrongTurn.first);
    EXPECT_EQ(judged[7].picked, wrongTurn.second);
    EXPECT_EQ(judged[8].picked, TGame::TimeOutButton);
    ASSERT_EQ(game.Misses().size(), 2u);
    EXPECT_EQ(game.Misses()[0].Chosen, wrongName);
    EXPECT_EQ(game.Misses()[1].Entry, game.QuestionOrder()[8]);
    EXPECT_EQ(game.Misses()[1].Chosen, "");
}

// The countdown shows 10 at a question and times it out at its tenth tick, and stops.
TEST_F(GameState, TheCountdownTimesOutAtTheTenthTick) {
    std::vector<int> shown;
    QObject::connect(&game, &TGame::countdownChanged,
                     [&](int seconds) { shown.push_back(seconds); });
    game.Start();
    game.QuestionTick();
    EXPECT_TRUE(game.CountdownTimer().Enabled());
    for (int tick = 1; tick < 10; ++tick) {
        game.CountdownTick();
        EXPECT_EQ(game.Phase(), TGame::TPhase::QuestionOpen);
    }
    game.CountdownTick();
    EXPECT_EQ(game.Phase(), TGame::TPhase::Verdict);
    EXPECT_FALSE(game.CountdownTimer().Enabled());
    EXPECT_EQ(shown, (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(verdicts, 1);
}

// Strike-two names two wrong buttons, the certain answer all three wrong ones.
TEST_F(GameState, LifelinesStrikeOnlyWrongChoices) {
    game.Start();
    game.QuestionTick();
    game.UseLifeline(3);
    game.Answer(AnswerOf(game));
    game.QuestionTick();
    game.UseLifeline(TGame::CertainAnswerLifeline);
    ASSERT_EQ(struck.size(), 2u);
    EXPECT_EQ(struck[0].size(), 2u);
    EXPECT_EQ(struck[1].size(), 3u);
    for (int n : struck[1]) EXPECT_NE(game.Mark(n), 0);
    EXPECT_TRUE(game.LifelineUsed(3));
    EXPECT_FALSE(game.LifelineUsed(1));
}

// A start resets the figures; a catalogue too small to shuffle starts nothing and says why it
// tried. A stop keeps every figure.
TEST_F(GameState, StartsAndStops) {
    game.Start();
    game.QuestionTick();
    clock.Advance(100);
    game.Answer(AnswerOf(game));
    game.QuestionTick();
    game.Start();
    EXPECT_EQ(game.Score(), 0);
    EXPECT_EQ(game.QuestionIndex(), 0);
    EXPECT_EQ(game.Figures().Time, "00:00`00");

    std::vector<std::string> small = Catalogue(100);
    TGame refused(small, nullptr, nullptr);
    std::string said;
    QObject::connect(&refused, &TGame::statusText, [&](const std::string& text) { said = text; });
    refused.ChooseCount(30);
    EXPECT_THROW(refused.Start(), Exception);
    EXPECT_EQ(said, Cp932Text("現在問題をシャッフル中です..."));
    EXPECT_EQ(refused.GameActive(), 0);
    EXPECT_FALSE(refused.QuestionTimer().Enabled());

    game.QuestionTick();
    game.Stop();
    EXPECT_EQ(game.GameActive(), 0);
    EXPECT_EQ(game.QuestionIndex(), 1);
}

// A count chosen during a game applies from the next game: chosen 10 after 15 right answers of
// 50, the game goes on to 50 and its result says 50; the settings keep the new choice.
TEST_F(GameState, ACountChosenDuringAGameAppliesFromTheNext) {
    game.ChooseCount(50);
    game.Start();
    for (int q = 0; q < 15; ++q) {
        game.QuestionTick();
        game.Answer(AnswerOf(game));
    }
    game.ChooseCount(10);
    PlayToTheEnd([](int) { return false; });
    EXPECT_EQ(game.QuestionIndex(), 50);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Questions, 50);
    EXPECT_EQ(results[0].Correct, 15);
    EXPECT_EQ(game.QuestionCount(), 10);
    game.Start();
    EXPECT_EQ(game.GameCount(), 10);
}

// An icon that cannot be loaded mid-game: the next entry of the order is asked in its place, the
// status bar names the file, and the game goes on. When no entry left can be loaded the game ends
// with its result, never without it.
TEST_F(GameState, AnIconThatFailsIsReplacedByTheNextEntry) {
    game.ChooseCount(10);
    game.Start();
    game.QuestionTick();
    game.Answer(AnswerOf(game));
    const std::string bad = catalogue[1], next = catalogue[2];
    unreadable.insert(bad);
    game.QuestionTick();
    EXPECT_EQ(game.Phase(), TGame::TPhase::QuestionOpen);
    EXPECT_EQ(game.QuestionIndex(), 2);
    EXPECT_EQ(catalogue[1], next);
    EXPECT_EQ(catalogue.back(), bad);
    EXPECT_EQ(names[AnswerOf(game) - 1], NameWithoutExtension(next));
    EXPECT_EQ(statuses.back(),
              Cp932Text("「") + bad + Cp932Text("」を読み込めないため、別の問題にしました。"));

    game.Answer(AnswerOf(game));
    unreadable.insert(catalogue.begin(), catalogue.end());
    game.QuestionTick();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Questions, 10);
    EXPECT_EQ(results[0].Correct, 2);
    EXPECT_EQ(statuses.back(), Cp932Text("残りのアイコンを読み込めないため、ゲームを終えました。"));
    EXPECT_EQ(game.GameActive(), 0);
}

// A key is a click: an answer counts only on the open question of an active game, on a button no
// lifeline struck, and never while a practice round is paused.
TEST_F(GameState, AnAnswerCountsOnlyWhereAClickWould) {
    enum Setup { NoGame, NotYetShown, Open, Struck, Verdict, Stopped, Paused, Resumed };
    const struct {
        Setup setup;
        bool struckButton;  // the key of a button the lifeline took away, else of a shown one
        size_t judged;
    } rows[] = {{NoGame, false, 0},  {NotYetShown, false, 0}, {Open, false, 1},
                {Struck, true, 0},   {Struck, false, 1},      {Verdict, false, 0},
                {Stopped, false, 0}, {Paused, false, 0},      {Resumed, false, 1}};
    for (const auto& row : rows) {
        std::vector<std::string> list = Catalogue(120);
        TGame fresh(
            list, [](const std::string&) { return QImage(); }, [this] { return display; });
        Watch(fresh);
        judged.clear();
        struck.clear();
        if (row.setup >= Paused)
            fresh.StartPractice({list[5], list[6]});
        else if (row.setup != NoGame)
            fresh.Start();
        if (row.setup != NoGame && row.setup != NotYetShown) fresh.QuestionTick();
        if (row.setup == Struck) fresh.UseLifeline(1);
        if (row.setup == Verdict) fresh.Answer(AWrongOne(fresh));
        if (row.setup == Stopped) fresh.Stop();
        if (row.setup >= Paused) fresh.TogglePause();
        if (row.setup == Resumed) fresh.TogglePause();
        int button = AnswerOf(fresh);
        for (int n = 1; n <= 4 && !struck.empty(); ++n)
            if (n != AnswerOf(fresh) &&
                (std::count(struck[0].begin(), struck[0].end(), n) > 0) == row.struckButton)
                button = n;
        judged.clear();
        fresh.Answer(button);
        EXPECT_EQ(judged.size(), row.judged) << row.setup << row.struckButton;
    }
}

// A paused practice round stands: neither clock ticks, nothing answers or strikes, and the pause is
// left out of the answer time; it resumes where it stood. A ranked game never pauses. A round of
// fewer than four cocktails draws the other names from the whole catalogue.
TEST_F(GameState, APausedPracticeStandsStill) {
    game.ChooseCount(30);
    game.Start();
    game.QuestionTick();
    game.TogglePause();
    EXPECT_FALSE(game.Paused());
    game.StartPractice({catalogue[3], "missing.ico", catalogue[4]});
    EXPECT_EQ(game.GameCount(), 2);
    EXPECT_EQ(game.QuestionCount(), 30);
    game.QuestionTick();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 4u);
    clock.Advance(1000);
    game.TogglePause();
    ASSERT_TRUE(game.Paused());
    EXPECT_FALSE(game.CountdownTimer().Enabled());
    EXPECT_FALSE(game.QuestionTimer().Enabled());
    clock.Advance(60000);
    TimeOut();
    game.UseLifeline(TGame::CertainAnswerLifeline);
    game.Answer(AnswerOf(game));
    EXPECT_EQ(game.Phase(), TGame::TPhase::QuestionOpen);
    EXPECT_TRUE(struck.empty());
    game.TogglePause();
    EXPECT_TRUE(game.CountdownTimer().Enabled());
    game.Answer(AnswerOf(game));
    EXPECT_EQ(game.ElapsedMs(), 1000);
    game.TogglePause();
    game.Stop();
    EXPECT_FALSE(game.Paused());
    EXPECT_TRUE(game.QuestionTimer().Enabled());
}
