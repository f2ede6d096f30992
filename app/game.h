// The quiz's rules without widgets: the shuffle, the draws of wrong choices and of their places,
// the score of an answer, the clock text, and the strike-two lifeline's draw.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The shuffle exchanges positions 0 to 100, so a catalogue needs this many entries to start.
constexpr int kMinimumCatalogue = 101;
// The countdown of a question, in seconds, and the flat answer time of a wrong answer.
constexpr int kCountdownSeconds = 10;
constexpr uint32_t kWrongAnswerMs = 10000;
constexpr int kCorrectDisplayFallback = 1000;
constexpr int kWrongDisplayFallback = 3000;

// Shuffles a start's question order in place: 101 exchanges of positions 0 to 100 with uniformly
// drawn partners. A shorter list raises an Exception before anything moves.
void ShuffleQuestions(std::vector<std::string>& list);

// Three different positions for the wrong choices of the question at `index`: drawn from the
// positions after it. Where fewer than three such positions exist, the missing ones are drawn from
// the other positions before it, never the answer itself. Needs a list of at least 4 entries.
std::array<int, 3> DrawWrongChoices(int index, int count);

// Which button (1 to 4) gets each choice: the three wrong ones in order, then the answer, drawn
// through the working text of free button digits.
std::array<int, 4> PlaceChoices();

// The two buttons (1 to 4) a strike-two lifeline hides, neither of them `correct`.
std::array<int, 2> StrikeTwo(int correct);

// Points added to the score for a correct answer after `answerMs` at the combo after the answer.
int32_t AnswerPoints(uint32_t answerMs, int32_t combo);

// "mm:ss`hh" of an elapsed time in milliseconds.
std::string ClockText(int32_t elapsedMs);

// A text read as a decimal integer, or `fallback` when it is not one.
int32_t StrToIntDef(const std::string& text, int32_t fallback);

// A display time from its settings text: the fallback also for 0 or less, which would never tick.
int32_t DisplayTime(const std::string& text, int32_t fallback);
