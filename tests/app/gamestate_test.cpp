// A game's state through its rules, without a window: starting, showing, judging, the countdown,
// the lifelines and the end test, each changing exactly the figures the rules name.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/game.h"
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
    FakeClock clock;
    FixedSeeds seeds{5};
    std::vector<std::string> catalogue = Catalogue(120);
    TGame game{catalogue};
};
}  // namespace

// A question names its entry on exactly one button, the one marked 0; a correct answer scores by
// the answer time and raises the combo, a wrong one or a time-out halves it and costs 10 s; the
// display times come from the settings' texts.
TEST_F(GameState, JudgingChangesTheFiguresByTheRules) {
    game.Start(10);
    for (int i = 0; i < 7; ++i) {
        const std::array<std::string, 4> names = game.NextQuestion();
        ASSERT_EQ(
            std::count_if(names.begin(), names.end(),
                          [&](const std::string& n) { return n == names[AnswerOf(game) - 1]; }),
            1);
        EXPECT_EQ(names[AnswerOf(game) - 1] + ".ico", game.QuestionOrder()[i]);
        clock.Advance(1000);
        EXPECT_TRUE(game.Judge(AnswerOf(game), "250", "").Correct);
    }
    EXPECT_EQ(game.Combo(), 7);
    EXPECT_EQ(game.Score(), 4 * 900 + 3 * 1800);
    game.NextQuestion();
    clock.Advance(2345);
    const TGame::TVerdict wrong = game.Judge(AWrongOne(game), "250", "500");
    EXPECT_FALSE(wrong.Correct);
    EXPECT_EQ(wrong.Answer + ".ico", game.QuestionOrder()[7]);
    EXPECT_EQ(wrong.DisplayMs, 500);
    EXPECT_EQ(game.Combo(), 3);
    EXPECT_EQ(game.ElapsedMs(), 7000 + 10000);
    game.NextQuestion();
    const TGame::TVerdict timedOut = game.Judge(TGame::TimeOutButton, "", "x");
    EXPECT_FALSE(timedOut.Correct);
    EXPECT_EQ(timedOut.DisplayMs, TGame::WrongDisplayFallback);
    EXPECT_EQ(game.Combo(), 1);
    EXPECT_EQ(game.CorrectCount(), 7);
    EXPECT_EQ(game.QuestionIndex(), 9);
}

// The countdown shows 10 at a question and times it out at its tenth tick.
TEST_F(GameState, TheCountdownTimesOutAtTheTenthTick) {
    game.Start(10);
    game.NextQuestion();
    for (int tick = 1; tick < 10; ++tick) {
        EXPECT_FALSE(game.CountDown());
        EXPECT_EQ(game.Countdown(), 10 - tick);
    }
    EXPECT_TRUE(game.CountDown());
    game.NextQuestion();
    EXPECT_EQ(game.Countdown(), 10);
}

// One lifeline per question: strike-two names two wrong buttons, the certain answer the answer's;
// a second one on the same question is refused, and the next question allows one again.
TEST_F(GameState, OneLifelinePerQuestion) {
    game.Start(10);
    game.NextQuestion();
    const auto struck = game.StrikeTwo();
    ASSERT_TRUE(struck);
    for (int n : *struck) EXPECT_NE(game.Mark(n), 0);
    EXPECT_FALSE(game.CertainAnswer());
    EXPECT_FALSE(game.StrikeTwo());
    game.NextQuestion();
    EXPECT_EQ(game.CertainAnswer(), AnswerOf(game));
}

// A start resets the figures but leaves an open question of the old game alone: judging it then
// changes nothing. A catalogue too small to shuffle starts nothing. The game ends when the count
// is reached, or at once when the count is lowered below the questions shown.
TEST_F(GameState, StartsStopsAndEnds) {
    game.Start(10);
    game.NextQuestion();
    clock.Advance(100);
    game.Judge(AnswerOf(game), "", "");
    game.NextQuestion();
    game.Start(20);
    EXPECT_EQ(game.Score(), 0);
    EXPECT_EQ(game.QuestionIndex(), 0);
    EXPECT_FALSE(game.Judge(AnswerOf(game), "", "").Judged);
    EXPECT_EQ(game.ElapsedMs(), 0);

    std::vector<std::string> small = Catalogue(100);
    TGame refused(small);
    refused.SetQuestionCount(30);
    EXPECT_THROW(refused.Start(10), Exception);
    EXPECT_EQ(refused.GameActive(), 0);
    EXPECT_EQ(refused.QuestionCount(), 30);

    for (int q = 0; q < 12; ++q) {
        EXPECT_FALSE(game.AllQuestionsShown());
        game.NextQuestion();
    }
    game.SetQuestionCount(10);
    EXPECT_TRUE(game.AllQuestionsShown());
    game.Stop();
    EXPECT_EQ(game.GameActive(), 0);
    EXPECT_EQ(game.QuestionIndex(), 12);
}
