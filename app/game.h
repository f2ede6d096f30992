// A game of the quiz without widgets: its state and every rule that changes it. The main window
// forwards its handlers here and shows what the game says; it never holds game state itself.
//
// Who owns what: the main window owns the catalogue list, and the game reorders that same list in
// place at every start (so the browser and the about box see the game's order); the game owns
// everything else of a game, from the count to the marks of the four answer buttons.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TGame {
  public:
    // The shuffle exchanges positions 0 to 100, so a catalogue needs this many entries to start.
    static constexpr int MinimumCatalogue = 101;
    // The countdown of a question, in seconds, and the flat answer time of a wrong answer.
    static constexpr int CountdownSeconds = 10;
    static constexpr uint32_t WrongAnswerMs = 10000;
    static constexpr int32_t CorrectDisplayFallback = 1000;
    static constexpr int32_t WrongDisplayFallback = 3000;
    // The button number of the hidden button a time-out "clicks"; its mark is always 1.
    static constexpr int TimeOutButton = 0;

    // `catalogueList` is the question order of every game: the same list, reordered in place.
    explicit TGame(std::vector<std::string>& catalogueList);

    uint8_t GameActive() const { return gameActive_; }
    const std::vector<std::string>& QuestionOrder() const { return questionOrder_; }
    int32_t QuestionIndex() const { return questionIndex_; }
    uint32_t QuestionStartTick() const { return questionStartTick_; }
    bool LifelineReady() const { return lifelineReady_; }
    int32_t ElapsedMs() const { return elapsedMs_; }
    int32_t Score() const { return score_; }
    int32_t CorrectCount() const { return correctCount_; }
    int32_t Combo() const { return combo_; }
    int32_t QuestionCount() const { return questionCount_; }
    // The question-count menu sets the count at once, also during a game.
    void SetQuestionCount(int32_t count) { questionCount_ = count; }
    // The seconds the countdown shows.
    int Countdown() const { return countdown_; }
    // A button's mark: 0 for the open question's answer, 1 for a wrong choice and the time-out.
    int Mark(int button) const;

    // Shuffles the question order and resets the game for `questionCount` questions. A catalogue
    // too small to shuffle raises Exception before anything changes. An open question stays as
    // it is until the next one is shown.
    void Start(int32_t questionCount);
    // The game is no longer active; every figure stays as it is.
    void Stop() { gameActive_ = 0; }
    // The end test at a question tick: as many questions shown as the count asks (or more, when
    // the count was lowered during the game).
    bool AllQuestionsShown() const { return questionIndex_ >= questionCount_; }

    // The entry of the question to show next, whose picture the window loads first.
    const std::string& NextEntry() const;
    // Shows the next question: the wrong choices and the places of all four are drawn, the
    // countdown starts at 10, the answer clock at the tick count now. Returns the names of
    // buttons 1 to 4 (CP932, without extension).
    std::array<std::string, 4> NextQuestion();

    // One countdown tick: one second less; true when it reaches 0 and the question times out.
    bool CountDown();

    struct TVerdict {
        // False when no question of this game is open to judge (a start confirmed while one of
        // the old game was still open): nothing changes then.
        bool Judged = false;
        bool Correct = false;
        // For a wrong answer or a time-out, the open question's cocktail name (CP932).
        std::string Answer;
        // How long the verdict stays, from the settings' text, before the next question.
        int32_t DisplayMs = 0;
    };
    // Judges a click on `button` (1 to 4, or TimeOutButton): score, correct count, combo and the
    // clock change by the rules. `correctDisplay` and `wrongDisplay` are the settings' texts of
    // the display times after a correct and after a wrong answer.
    TVerdict Judge(int button, const std::string& correctDisplay, const std::string& wrongDisplay);

    // The strike-two lifeline: the two wrong buttons to hide, or nothing when a lifeline was used
    // on this question already.
    std::optional<std::array<int, 2>> StrikeTwo();
    // The certain-answer lifeline: the answer's button, the only one left, or nothing when a
    // lifeline was used on this question already.
    std::optional<int> CertainAnswer();

    // ---- The rules themselves, each on its own ----
    // 101 exchanges of positions 0 to 100 with partners drawn from the whole list; a shorter
    // list raises Exception before anything moves.
    static void Shuffle(std::vector<std::string>& list);
    // Three different positions for the wrong choices of the question at `index`: drawn from the
    // positions after it. Where fewer than three such positions exist, the missing ones are drawn
    // from the positions before it, never the answer itself. Needs a list of at least 4 entries.
    static std::array<int, 3> WrongChoices(int index, int count);
    // Which button (1 to 4) gets each choice: the three wrong ones in order, then the answer,
    // drawn through the working text of free button digits.
    static std::array<int, 4> PlaceChoices();
    // The two buttons (1 to 4) a strike-two lifeline hides, neither of them `correct`.
    static std::array<int, 2> StrikeTwoDraw(int correct);
    // Points added to the score for a correct answer after `answerMs` at the combo after it.
    static int32_t Points(uint32_t answerMs, int32_t combo);
    // "mm:ss`hh" of an elapsed time in milliseconds.
    static std::string ClockText(int32_t elapsedMs);
    // A display time from its settings text: the fallback for a text that is no decimal integer,
    // and for 0 or less, which would never tick.
    static int32_t DisplayTime(const std::string& text, int32_t fallback);

  private:
    int AnswerButton() const;

    std::vector<std::string>& questionOrder_;
    uint8_t gameActive_ = 0;
    int32_t questionIndex_ = 0;
    uint32_t questionStartTick_ = 0;
    bool lifelineReady_ = false;
    int32_t elapsedMs_ = 0;
    int32_t score_ = 0;
    int32_t correctCount_ = 0;
    int32_t combo_ = 0;
    int32_t questionCount_ = 0;
    int countdown_ = CountdownSeconds;
    // Marks of buttons 1 to 4; before the first question every button is a wrong one.
    std::array<int, 4> marks_{1, 1, 1, 1};
};

// A text read as a decimal integer (an optional sign, then digits), or `fallback` when it is not
// one or does not fit 32 bits.
int32_t StrToIntDef(const std::string& text, int32_t fallback);
