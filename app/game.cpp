// The quiz's flow and rules. Every group of draws re-seeds the random source first.
#include "app/game.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "catalogue/cocktaildb.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/random.h"
#include "platform/tick.h"

namespace {
// Why `what` (a game or a practice round) cannot start with `present` icons of the `needed`.
Exception TooFewIcons(const QString& what, int needed, size_t present) {
    return Exception(
        ToCp932(QStringLiteral("カクテルのアイコンが足りないため、%1を開始できません。"
                               "cocktailフォルダに%2個以上のアイコンが必要です（現在%3個）。")
                    .arg(what)
                    .arg(needed)
                    .arg(present)));
}
}  // namespace

TGame::TGame(std::vector<std::string>& catalogueList, TPictureLoader loadPicture,
             TDisplaySource displayTexts, QObject* parent)
    : QObject(parent),
      questionOrder_(catalogueList),
      loadPicture_(std::move(loadPicture)),
      displayTexts_(std::move(displayTexts)) {
    questionTimer_.SetEnabled(false);
    countdownTimer_.SetEnabled(false);
    questionTimer_.SetInterval(TickMs);
    countdownTimer_.SetInterval(TickMs);
    questionTimer_.OnTimer = [this] { QuestionTick(); };
    countdownTimer_.OnTimer = [this] { CountdownTick(); };
}

int TGame::Mark(int button) const {
    return button >= 1 && button <= ButtonCount ? marks_[static_cast<size_t>(button - 1)] : 1;
}

bool TGame::LifelineUsed(int lifeline) const {
    return lifelineUsed_[static_cast<size_t>(lifeline - 1)];
}

int TGame::AnswerButton() const {
    int button = 1;
    while (button < ButtonCount && Mark(button) != 0) ++button;
    return button;
}

TGameFigures TGame::Figures() const {
    return TGameFigures{gameCount_, score_, ClockText(elapsedMs_), correctCount_, combo_};
}

void TGame::ChooseCount(int32_t count) {
    nextCount_ = count;
    questionCount_ = count;
}

void TGame::PresetCount(int32_t count) { nextCount_ = count; }

void TGame::Start() {
    emit statusText(Cp932Text("現在問題をシャッフル中です..."));
    Shuffle(questionOrder_);
    questionCount_ = nextCount_;
    Begin(nextCount_, false);
}

bool TGame::StartPractice(const std::vector<std::string>& entries) {
    if (static_cast<int>(questionOrder_.size()) < MinimumPracticeCatalogue)
        throw TooFewIcons(QStringLiteral("練習"), MinimumPracticeCatalogue, questionOrder_.size());
    const auto has = [](const std::vector<std::string>& list, const std::string& entry) {
        return std::find(list.begin(), list.end(), entry) != list.end();
    };
    std::vector<std::string> order;
    for (const std::string& entry : entries)
        if (has(questionOrder_, entry) && !has(order, entry)) order.push_back(entry);
    if (order.empty()) return false;
    const int32_t count = static_cast<int32_t>(order.size());
    for (const std::string& entry : questionOrder_)
        if (!has(order, entry)) order.push_back(entry);
    questionOrder_ = std::move(order);
    Begin(count, true);
    return true;
}

void TGame::Begin(int32_t count, bool practice) {
    EndPause();
    practice_ = practice;
    gameActive_ = 1;
    questionIndex_ = 0;
    elapsedMs_ = 0;
    score_ = 0;
    combo_ = 0;
    correctCount_ = 0;
    gameCount_ = count;
    misses_.clear();
    emit scoreChanged(score_);
    emit comboChanged(combo_);
    emit clockChanged(ClockText(elapsedMs_));
    questionTimer_.SetEnabled(true);
}

void TGame::Stop() {
    // The clocks run again, so that an open question still times out as after any stop.
    EndPause();
    gameActive_ = 0;
    inView_ = false;
    emit gameStopped();
}

void TGame::TogglePause() {
    if (paused_) {
        EndPause();
        return;
    }
    if (!practice_ || gameActive_ != 1) return;
    paused_ = true;
    pausedQuestionClock_ = questionTimer_.Enabled();
    pausedCountdown_ = countdownTimer_.Enabled();
    questionTimer_.SetEnabled(false);
    countdownTimer_.SetEnabled(false);
    pauseStartTick_ = GetTickCount();
    emit pauseChanged(true);
}

void TGame::EndPause() {
    if (!paused_) return;
    paused_ = false;
    // The answer time leaves the pause out.
    questionStartTick_ += GetTickCount() - pauseStartTick_;
    questionTimer_.SetEnabled(pausedQuestionClock_);
    countdownTimer_.SetEnabled(pausedCountdown_);
    emit pauseChanged(false);
}

void TGame::QuestionTick() {
    if (!questionTimer_.Enabled()) return;
    if (gameActive_ != 1) {
        questionTimer_.SetEnabled(false);
        if (phase_ == TPhase::Verdict) phase_ = TPhase::Idle;
        return;
    }
    if (questionIndex_ >= gameCount_) {
        EndWithResult();
        return;
    }
    ShowNextQuestion();
}

void TGame::EndWithResult() {
    questionTimer_.SetEnabled(false);
    if (phase_ == TPhase::Verdict) phase_ = TPhase::Idle;
    if (practice_)
        emit practiceFinished(correctCount_, gameCount_);
    else
        emit gameFinished(Figures());
    Stop();
}

bool TGame::LoadNextPicture(QImage& picture, std::string& skipped) {
    const auto at = questionOrder_.begin() + questionIndex_;
    for (auto left = questionOrder_.end() - at; left > 0; --left) {
        try {
            picture = loadPicture_(*at);
            return true;
        } catch (const Exception&) {
            skipped += Cp932Text("「") + *at + Cp932Text("」");
            std::rotate(at, at + 1, questionOrder_.end());
        }
    }
    return false;
}

void TGame::ShowNextQuestion() {
    QImage picture;
    std::string skipped;
    if (!LoadNextPicture(picture, skipped)) {
        emit statusText(Cp932Text("残りのアイコンを読み込めないため、ゲームを終えました。"));
        EndWithResult();
        return;
    }
    if (questionIndex_ == 0) {
        lifelineUsed_.fill(false);
        emit gameShown();
    }
    phase_ = TPhase::QuestionOpen;
    inView_ = true;
    lifelineReady_ = true;
    struck_.fill(false);
    const std::array<int, 3> wrong =
        WrongChoices(questionIndex_, static_cast<int>(questionOrder_.size()));
    const std::array<int, 4> buttons = PlaceChoices();
    TChoices names;
    for (int choice = 0; choice < 3; ++choice) {
        names[buttons[choice] - 1] =
            NameWithoutExtension(questionOrder_[static_cast<size_t>(wrong[choice])]);
        marks_[buttons[choice] - 1] = 1;
    }
    names[buttons[3] - 1] = NameWithoutExtension(questionOrder_[questionIndex_]);
    marks_[buttons[3] - 1] = 0;
    names_ = names;
    countdown_ = CountdownSeconds;
    ++questionIndex_;
    questionStartTick_ = GetTickCount();
    emit questionShown(questionIndex_, picture, names);
    emit statusText(skipped.empty()
                        ? std::string()
                        : skipped + Cp932Text("を読み込めないため、別の問題にしました。"));
    emit countdownChanged(countdown_);
    countdownTimer_.SetEnabled(true);
    questionTimer_.SetEnabled(false);
}

void TGame::CountdownTick() {
    if (!countdownTimer_.Enabled()) return;
    emit countdownChanged(--countdown_);
    if (countdown_ == 0) CloseQuestion(TimeOutButton);
}

void TGame::Answer(int button) {
    if (phase_ != TPhase::QuestionOpen || !inView_ || paused_) return;
    if (button < TimeOutButton || button > ButtonCount) return;
    if (button != TimeOutButton && struck_[static_cast<size_t>(button - 1)]) return;
    CloseQuestion(button);
}

void TGame::CloseQuestion(int button) {
    countdownTimer_.SetEnabled(false);
    phase_ = TPhase::Verdict;
    emit questionClosed();
    // A question left open by an earlier game: this game has no question to judge yet.
    if (questionIndex_ < 1) return;
    const TDisplayTexts display = displayTexts_();
    const std::string& entry = questionOrder_[questionIndex_ - 1];
    uint32_t answerMs;
    if (Mark(button) != 0) {
        misses_.push_back(ReviewMiss{entry, button == TimeOutButton
                                                ? std::string()
                                                : names_[static_cast<size_t>(button - 1)]});
        answerMs = WrongAnswerMs;
        emit statusText(Cp932Text("×不正解！！『") + NameWithoutExtension(entry) +
                        Cp932Text("』です..."));
        questionTimer_.SetInterval(DisplayTime(display.Wrong, WrongDisplayFallback));
        combo_ /= 2;
    } else {
        answerMs = GetTickCount() - questionStartTick_;
        emit statusText(Cp932Text("○正解！！"));
        questionTimer_.SetInterval(DisplayTime(display.Correct, CorrectDisplayFallback));
        ++combo_;
        ++correctCount_;
        score_ += Points(answerMs, combo_);
        emit scoreChanged(score_);
    }
    elapsedMs_ += static_cast<int32_t>(answerMs);
    emit clockChanged(ClockText(elapsedMs_));
    emit comboChanged(combo_);
    emit questionJudged(entry, AnswerButton(), button);
    questionTimer_.SetEnabled(true);
}

void TGame::UseLifeline(int lifeline) {
    if (phase_ != TPhase::QuestionOpen || !inView_ || paused_) return;
    if (lifeline < 1 || lifeline > LifelineCount || LifelineUsed(lifeline)) return;
    if (!lifelineReady_) {
        emit statusText(Cp932Text("すでに救済処置を使っているので使えません！"));
        return;
    }
    lifelineReady_ = false;
    lifelineUsed_[static_cast<size_t>(lifeline - 1)] = true;
    std::vector<int> struck;
    if (lifeline == CertainAnswerLifeline) {
        for (int button = 1; button <= ButtonCount; ++button)
            if (Mark(button) != 0) struck.push_back(button);
    } else {
        const std::array<int, 2> two = StrikeTwoDraw(AnswerButton());
        struck.assign(two.begin(), two.end());
    }
    for (int button : struck) struck_[static_cast<size_t>(button - 1)] = true;
    emit lifelineStruck(lifeline, struck);
}

void TGame::Shuffle(std::vector<std::string>& list) {
    if (static_cast<int>(list.size()) < MinimumCatalogue)
        throw TooFewIcons(QStringLiteral("ゲーム"), MinimumCatalogue, list.size());
    Randomize();
    const int count = static_cast<int>(list.size());
    for (int i = 0; i < MinimumCatalogue; ++i) std::swap(list[i], list[Random(count)]);
}

std::array<int, 3> TGame::WrongChoices(int index, int count) {
    Randomize();
    const int low = index + 1;
    const int span = count - index - 1;
    std::array<int, 3> w{};
    if (span >= 3) {
        do {
            for (int& v : w) v = low + Random(span);
        } while (w[0] == w[1] || w[0] == w[2] || w[1] == w[2]);
        return w;
    }
    // Too few entries are left after the question: take the rest from those before it.
    int taken = 0;
    std::vector<int> later, earlier;
    for (int p = low; p < count; ++p) later.push_back(p);
    for (int p = 0; p < index; ++p) earlier.push_back(p);
    while (taken < 3 && !later.empty()) {
        int pick = Random(static_cast<int>(later.size()));
        w[taken++] = later[pick];
        later.erase(later.begin() + pick);
    }
    while (taken < 3) {
        int pick = Random(static_cast<int>(earlier.size()));
        w[taken++] = earlier[pick];
        earlier.erase(earlier.begin() + pick);
    }
    return w;
}

std::array<int, 4> TGame::PlaceChoices() {
    std::string slotDigits = "1234";
    std::array<int, 4> buttons{};
    Randomize();
    for (int choice = 0; choice < 3; ++choice) {
        int k = Random(static_cast<int>(slotDigits.size()));
        buttons[choice] = slotDigits[k] - '0';
        slotDigits.erase(k, 1);
    }
    buttons[3] = slotDigits[0] - '0';
    return buttons;
}

std::array<int, 2> TGame::StrikeTwoDraw(int correct) {
    Randomize();
    int x, y;
    do {
        x = Random(4) + 1;
        y = Random(4) + 1;
    } while (x == y || x == correct || y == correct);
    return {x, y};
}

int32_t TGame::Points(uint32_t answerMs, int32_t combo) {
    const int32_t multiplier = combo / ComboStep + 1;
    const int32_t raw = (AnswerWindowMs - static_cast<int32_t>(answerMs)) * multiplier;
    const int32_t points = static_cast<int32_t>(std::trunc(raw / MsPerPoint + 0.5));
    return ScorePerPoint * points;
}

namespace {
std::string TwoDigits(int32_t value) {
    if (value >= 0 && value < 10) return "0" + std::to_string(value);
    return std::to_string(value).substr(0, 2);
}
}  // namespace

std::string TGame::ClockText(int32_t elapsedMs) {
    return TwoDigits(elapsedMs / 60000) + ":" + TwoDigits(elapsedMs / 1000 % 60) + "`" +
           TwoDigits(elapsedMs % 1000 / 10);
}

int32_t TGame::DisplayTime(const std::string& text, int32_t fallback) {
    int32_t value = StrToIntDef(text, fallback);
    return value > 0 ? value : fallback;
}

int32_t StrToIntDef(const std::string& text, int32_t fallback) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == text.size()) return fallback;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1) return fallback;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min())
        return fallback;
    return static_cast<int32_t>(value);
}
