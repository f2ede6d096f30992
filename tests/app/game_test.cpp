// The quiz's rules: scores, clock texts, the shuffle, and the draws of choices and strikes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/game.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/random.h"
#include "tests/support/testsupport.h"

// The points of an answer follow the score table for every answer time and combo.
TEST(AnswerPoints, FollowTheScoreTable) {
    struct Row {
        uint32_t ms;
        int32_t combo;
        int32_t points;
    } rows[] = {{0, 1, 1000},    {2345, 1, 770},   {9950, 1, 10},    {9951, 1, 0},
                {3000, 5, 1400}, {4000, 10, 1800}, {1234, 12, 2630}, {10050, 1, 0},
                {10200, 1, -10}, {2345, 4, 770},   {2345, 9, 1530},  {0, 15, 4000}};
    for (const Row& r : rows)
        EXPECT_EQ(TGame::Points(r.ms, r.combo), r.points) << r.ms << " ms at combo " << r.combo;
}

// The clock text is mm:ss`hh with two-character fields, the grave accent before hundredths.
TEST(ClockText, WritesMinutesSecondsAndHundredths) {
    struct Row {
        int32_t ms;
        const char* text;
    } rows[] = {{0, "00:00`00"},      {7655, "00:07`65"},    {65432, "01:05`43"},
                {600000, "10:00`00"}, {2345, "00:02`34"},    {100000, "01:40`00"},
                {185670, "03:05`67"}, {5999999, "99:59`99"}, {6000000, "10:00`00"}};
    for (const Row& r : rows) EXPECT_EQ(TGame::ClockText(r.ms), r.text) << r.ms;
    EXPECT_EQ(TGame::ClockText(7655)[5], '\x60');
}

// Display times: the settings text as a decimal integer, with the fallback for anything else,
// and for times that would never tick.
TEST(DisplayTime, FallsBackForTextsThatAreNoPositiveNumber) {
    EXPECT_EQ(TGame::DisplayTime("250", 1000), 250);
    EXPECT_EQ(TGame::DisplayTime("", 1000), 1000);
    EXPECT_EQ(TGame::DisplayTime("abc", 3000), 3000);
    EXPECT_EQ(TGame::DisplayTime("0", 3000), 3000);
    EXPECT_EQ(TGame::DisplayTime("-5", 3000), 3000);
    EXPECT_EQ(TGame::DisplayTime("99999999999", 3000), 3000);
    EXPECT_EQ(StrToIntDef("-5", 7), -5);
    EXPECT_EQ(StrToIntDef("12a", 7), 7);
    EXPECT_EQ(StrToIntDef("-", 7), 7);
    EXPECT_EQ(StrToIntDef("2147483647", 7), 2147483647);
    EXPECT_EQ(StrToIntDef("2147483648", 7), 7);
}

namespace {
std::vector<std::string> Numbered(int count) {
    std::vector<std::string> list;
    for (int i = 0; i < count; ++i) list.push_back(std::to_string(i) + ".ico");
    return list;
}
}  // namespace

// A shuffle exchanges each of positions 0 to 100 with a partner drawn from the whole list. So
// nothing is lost; an entry beyond position 100 moves only as a partner, into the first 101
// positions; a position beyond 100 holds its own entry or one from the first 101; and over many
// shuffles partners come from the whole list, its last entry included.
TEST(Shuffle, ExchangesTheFirst101PositionsWithPartnersFromTheWholeList) {
    constexpr int count = 300;
    const std::vector<std::string> original = Numbered(count);
    FixedSeeds seeds(7);
    bool lastMoved = false, firstWentBeyond = false;
    for (int run = 0; run < 200; ++run) {
        std::vector<std::string> list = original;
        TGame::Shuffle(list);
        std::vector<std::string> sorted = list, expected = original;
        std::sort(sorted.begin(), sorted.end());
        std::sort(expected.begin(), expected.end());
        ASSERT_EQ(sorted, expected) << "run " << run;
        for (int p = 0; p < count; ++p) {
            const int from = std::stoi(list[p]);
            if (p > 100) {
                ASSERT_TRUE(from == p || from <= 100)
                    << "run " << run << ": " << from << " at " << p;
            }
            lastMoved |= from == count - 1 && p != count - 1;
            firstWentBeyond |= from == 0 && p > 100;
        }
    }
    EXPECT_TRUE(lastMoved);
    EXPECT_TRUE(firstWentBeyond);
}

// 101 entries can be shuffled, 100 cannot, and a failed shuffle moves nothing.
TEST(Shuffle, NeedsAHundredAndOneEntries) {
    std::vector<std::string> exact = Numbered(101);
    EXPECT_NO_THROW(TGame::Shuffle(exact));
    std::vector<std::string> small = Numbered(100);
    EXPECT_THROW(TGame::Shuffle(small), Exception);
    EXPECT_EQ(small, Numbered(100));
}

// Too small a catalogue refuses a game and a practice round in the same words, naming which.
TEST(Shuffle, TooFewIconsSayWhatCannotStart) {
    const auto refusal = [](const auto& start) {
        try {
            start();
        } catch (const Exception& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    std::vector<std::string> small = Numbered(100);
    EXPECT_EQ(refusal([&] { TGame::Shuffle(small); }),
              Cp932Text("カクテルのアイコンが足りないため、ゲームを開始できません。"
                        "cocktailフォルダに101個以上のアイコンが必要です（現在100個）。"));
    std::vector<std::string> three = Numbered(3);
    TGame game(three, nullptr, nullptr);
    EXPECT_EQ(refusal([&] { game.StartPractice({three[0]}); }),
              Cp932Text("カクテルのアイコンが足りないため、練習を開始できません。"
                        "cocktailフォルダに4個以上のアイコンが必要です（現在3個）。"));
}

// Wrong choices are three different positions after the open question, whenever three exist.
TEST(WrongChoices, ComeFromLaterPositionsOnly) {
    FixedSeeds seeds(3);
    for (int index = 0; index < 97; ++index) {
        std::array<int, 3> w = TGame::WrongChoices(index, 100);
        std::set<int> distinct(w.begin(), w.end());
        EXPECT_EQ(distinct.size(), 3u) << index;
        for (int p : w) {
            EXPECT_GT(p, index);
            EXPECT_LT(p, 100);
        }
    }
}

// Near the end of a small catalogue the draw still ends, with four different names and never
// the answer itself.
TEST(WrongChoices, TooFewLaterEntriesBorrowEarlierOnes) {
    FixedSeeds seeds(11);
    for (int index = 96; index < 101; ++index) {
        std::array<int, 3> w = TGame::WrongChoices(index, 101);
        std::set<int> distinct(w.begin(), w.end());
        EXPECT_EQ(distinct.size(), 3u) << index;
        EXPECT_EQ(distinct.count(index), 0u) << index;
        for (int p : w) {
            EXPECT_GE(p, 0);
            EXPECT_LT(p, 101);
        }
        // Every later entry is used before an earlier one is borrowed.
        int later = std::min(3, 101 - index - 1);
        EXPECT_EQ(std::count_if(w.begin(), w.end(), [&](int p) { return p > index; }), later);
    }
}

// The four choices land on the four buttons, each button once, in every arrangement over time.
TEST(PlaceChoices, UsesEachButtonOnceAndVaries) {
    std::set<std::array<int, 4>> seen;
    for (uint32_t seed = 1; seed < 400; ++seed) {
        FixedSeeds seeds(seed);
        std::array<int, 4> b = TGame::PlaceChoices();
        std::array<int, 4> sorted = b;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(sorted, (std::array<int, 4>{1, 2, 3, 4}));
        seen.insert(b);
    }
    EXPECT_EQ(seen.size(), 24u);
}

// Strike-two hides two different wrong buttons, and which wrong one is left varies.
TEST(StrikeTwo, HidesTwoWrongButtonsNeverTheAnswer) {
    for (int correct = 1; correct <= 4; ++correct) {
        std::set<int> left;
        for (uint32_t seed = 1; seed < 100; ++seed) {
            FixedSeeds seeds(seed);
            std::array<int, 2> s = TGame::StrikeTwoDraw(correct);
            EXPECT_NE(s[0], s[1]);
            EXPECT_NE(s[0], correct);
            EXPECT_NE(s[1], correct);
            left.insert(10 - correct - s[0] - s[1]);
        }
        EXPECT_EQ(left.size(), 3u) << correct;
    }
}
