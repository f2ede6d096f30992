// A game of the quiz without widgets: its phases, its two clocks, its figures and every rule that
// changes them. It refuses what the rules forbid, whoever calls it, and announces every change;
// the main window forwards its handlers here and shows what the game announces.
//
// Who owns what: the main window owns the catalogue list, and the game reorders that same list in
// place at every start (so the browser and the about box see the game's order); the game owns
// everything else of a game, from the counts to the marks of the four answer buttons.
#pragma once

#include <QImage>
#include <QObject>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/timer.h"
#include "records/reviewmiss.h"
#include "records/scorelog.h"

class TGame : public QObject {
    Q_OBJECT

  public:
    // Where the question on the screen stands. Idle: none is open. QuestionOpen: its countdown
    // runs, and it takes one answer and at most one lifeline. Verdict: it was answered or timed
    // out, and the pacing clock runs towards the next question. A paused practice round keeps its
    // phase with both clocks stopped.
    enum class TPhase { Idle, QuestionOpen, Verdict };

    // The shuffle exchanges positions 0 to 100, so a catalogue needs this many entries to start.
    static constexpr int MinimumCatalogue = 101;
    // The interval of both clocks at first: the countdown's second, and the wait before the
    // program's first question.
    static constexpr int TickMs = 1000;
    static constexpr int CountdownSeconds = 10;
    // A correct answer earns a point for every MsPerPoint left of the answer window, times one
    // more for every ComboStep of the combo; the score counts each point ScorePerPoint times.
    static constexpr int32_t AnswerWindowMs = 10000;
    static constexpr int32_t ComboStep = 5;
    static constexpr double MsPerPoint = 100.0;
    static constexpr int32_t ScorePerPoint = 10;
    // A wrong answer or a time-out costs the whole window, whatever time really passed.
    static constexpr uint32_t WrongAnswerMs = AnswerWindowMs;
    static constexpr int32_t CorrectDisplayFallback = 1000;
    static constexpr int32_t WrongDisplayFallback = 3000;
    // The button number of the hidden button a time-out "clicks"; its mark is always 1.
    static constexpr int TimeOutButton = 0;
    static constexpr int ButtonCount = 4;
    // Lifelines 1 to 3 strike two wrong choices; the last one leaves only the answer.
    static constexpr int LifelineCount = 4;
    static constexpr int CertainAnswerLifeline = 4;
    // The count of a game when the menu's item reads no number, and before any choice.
    static constexpr int32_t DefaultCount = 50;
    // A practice round needs the answer and three other names on the buttons.
    static constexpr int MinimumPracticeCatalogue = ButtonCount;

    // The names on buttons 1 to 4 (CP932, without extension).
    using TChoices = std::array<std::string, ButtonCount>;
    // The picture of a catalogue entry; raises Exception when the file cannot be read.
    using TPictureLoader = std::function<QImage(const std::string& entry)>;
    // The settings' texts of the display times after a correct and after a wrong answer, read at
    // every answer, so that a change applies from the next answer on.
    struct TDisplayTexts {
        std::string Correct;
        std::string Wrong;
    };
    using TDisplaySource = std::function<TDisplayTexts()>;

    // `catalogueList` is the question order of every game: the same list, reordered in place.
    TGame(std::vector<std::string>& catalogueList, TPictureLoader loadPicture,
          TDisplaySource displayTexts, QObject* parent = nullptr);

    // ---- What the player asks ----
    // The question-count menu: the count of the next game (a running game keeps its own), and the
    // count the settings file keeps.
    void ChooseCount(int32_t count);
    // The settings file's choice, shown by the menu: the count of the next game only.
    void PresetCount(int32_t count);
    // Shuffles the question order, resets the figures for the chosen count and starts the pacing
    // clock; the first question follows at its tick. A catalogue too small to shuffle raises
    // Exception with the figures untouched. An open question stays open, counting down, until
    // the next one is shown; closing it then judges nothing.
    void Start();
    // The game is no longer active and its question out of the player's reach; the clocks and
    // every figure stay, so an open question still times out and its verdict shows.
    void Stop();
    // A practice round: the same play over `entries` (catalogue entries, asked in this order, each
    // once; entries the catalogue lacks are left out), its wrong names drawn from the whole
    // catalogue. It is never ranked: it ends without a result, and it can be paused. Moves
    // `entries` to the front of the catalogue list, the rest keeping their order. False, with
    // nothing changed, when no entry is left to ask; a catalogue of fewer than
    // MinimumPracticeCatalogue entries raises Exception.
    bool StartPractice(const std::vector<std::string>& entries);
    // A click on button 1 to 4 (or TimeOutButton). Only the open question of the active game's
    // view takes an answer, and only one, never on a button a lifeline struck, never while paused.
    // A key goes here too, so that it counts exactly where a click would.
    void Answer(int button);
    // Lifeline 1 to 4 on the open question: each once per game, one per question, none once the
    // question is closed or while paused. A second one on the same question is refused with a
    // message.
    void UseLifeline(int lifeline);
    // Pauses a running practice round, or resumes a paused one: while paused both clocks stand,
    // the answer time does not run, and the question takes no answer and no lifeline. A ranked
    // game never pauses.
    void TogglePause();

    // ---- The clocks' ticks: each does nothing while its clock is off ----
    // Shows the next question, or ends the game with its result when its count is reached.
    void QuestionTick();
    // One second less; at 0 the question times out and is judged as a wrong answer.
    void CountdownTick();

    // ---- What the game holds ----
    uint8_t GameActive() const { return gameActive_; }
    // The running (or last) game is a practice round.
    bool Practice() const { return practice_; }
    bool Paused() const { return paused_; }
    // Every question of the running (or last) game answered wrongly or timed out, in the order
    // asked.
    const std::vector<ReviewMiss>& Misses() const { return misses_; }
    TPhase Phase() const { return phase_; }
    const std::vector<std::string>& QuestionOrder() const { return questionOrder_; }
    // Questions shown in this game; the open question's entry is QuestionOrder()[index - 1].
    int32_t QuestionIndex() const { return questionIndex_; }
    uint32_t QuestionStartTick() const { return questionStartTick_; }
    bool LifelineUsed(int lifeline) const;
    int32_t ElapsedMs() const { return elapsedMs_; }
    int32_t Score() const { return score_; }
    int32_t CorrectCount() const { return correctCount_; }
    int32_t Combo() const { return combo_; }
    // The count the settings file keeps: 0 until one is chosen or a game starts.
    int32_t QuestionCount() const { return questionCount_; }
    // The count the running (or last) game was started with; a later choice never changes it.
    int32_t GameCount() const { return gameCount_; }
    int32_t NextCount() const { return nextCount_; }
    // A button's mark: 0 for the open question's answer, 1 for a wrong choice and the time-out.
    int Mark(int button) const;
    // The figures of the game as its result records them.
    TGameFigures Figures() const;
    // tmrQuestion, the pacing between questions, and tmrRest, the countdown.
    const TTimer& QuestionTimer() const { return questionTimer_; }
    const TTimer& CountdownTimer() const { return countdownTimer_; }

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

  signals:
    // The status bar's text (CP932); an empty text clears it.
    void statusText(const std::string& text);
    void scoreChanged(int32_t score);
    void comboChanged(int32_t combo);
    // The game clock as its text.
    void clockChanged(const std::string& text);
    void countdownChanged(int seconds);
    // A game's first question is coming: the game and all four lifelines come into view.
    void gameShown();
    // Question `number` (from 1) is open with its picture and the names on buttons 1 to 4.
    void questionShown(int number, const QImage& picture, const TGame::TChoices& names);
    // The open question was answered or timed out: no answer and no lifeline until the next.
    void questionClosed();
    // The closed question of catalogue entry `entry` was judged: `answerButton` held its name, and
    // the player picked `pickedButton` (TimeOutButton for a time-out). Follows questionClosed.
    void questionJudged(const std::string& entry, int answerButton, int pickedButton);
    // `lifeline` is used up for this game; `buttons` are the choices it strikes.
    void lifelineStruck(int lifeline, const std::vector<int>& buttons);
    // The game reached its count; its result is shown before the game stops.
    void gameFinished(const TGameFigures& figures);
    // A practice round reached its count, `correct` of its `count` questions answered rightly;
    // there is no result, and the round stops.
    void practiceFinished(int32_t correct, int32_t count);
    // A practice round was paused or resumed.
    void pauseChanged(bool paused);
    void gameStopped();

  private:
    // Resets the figures for a game (or a practice round) of `count` questions and starts the
    // pacing clock.
    void Begin(int32_t count, bool practice);
    // Resumes the clocks of a paused round; nothing when not paused.
    void EndPause();
    void ShowNextQuestion();
    // Loads the picture of the next question into `picture`. An entry whose picture cannot be
    // loaded goes to the end of the order, the next entry taking its place, and is named in
    // `skipped`. False when no entry left has a picture.
    bool LoadNextPicture(QImage& picture, std::string& skipped);
    // Closes the open question with a click on `button` and judges it.
    void CloseQuestion(int button);
    void EndWithResult();
    int AnswerButton() const;

    std::vector<std::string>& questionOrder_;
    TPictureLoader loadPicture_;
    TDisplaySource displayTexts_;
    TTimer questionTimer_;
    TTimer countdownTimer_;
    TPhase phase_ = TPhase::Idle;
    // The open question is on the screen and the player may act on it: from its showing until a
    // stop.
    bool inView_ = false;
    uint8_t gameActive_ = 0;
    bool practice_ = false;
    bool paused_ = false;
    // What a pause stopped: which clocks ran, and the tick count at its start.
    bool pausedQuestionClock_ = false;
    bool pausedCountdown_ = false;
    uint32_t pauseStartTick_ = 0;
    int32_t questionIndex_ = 0;
    uint32_t questionStartTick_ = 0;
    bool lifelineReady_ = false;
    std::array<bool, LifelineCount> lifelineUsed_{};
    int32_t elapsedMs_ = 0;
    int32_t score_ = 0;
    int32_t correctCount_ = 0;
    int32_t combo_ = 0;
    int32_t questionCount_ = 0;
    int32_t gameCount_ = 0;
    int32_t nextCount_ = DefaultCount;
    int countdown_ = CountdownSeconds;
    // Marks of buttons 1 to 4; before the first question every button is a wrong one.
    std::array<int, ButtonCount> marks_{1, 1, 1, 1};
    // The open question's names, and the buttons a lifeline took away from it.
    TChoices names_;
    std::array<bool, ButtonCount> struck_{};
    std::vector<ReviewMiss> misses_;
};

// A text read as a decimal integer (an optional sign, then digits), or `fallback` when it is not
// one or does not fit 32 bits.
int32_t StrToIntDef(const std::string& text, int32_t fallback);
