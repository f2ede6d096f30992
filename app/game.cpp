// The quiz's state and rules. Every group of draws re-seeds the random source first.
#include "app/game.h"

#include <QString>
#include <cmath>
#include <limits>
#include <utility>

#include "catalogue/cocktaildb.h"
#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/random.h"
#include "platform/tick.h"

TGame::TGame(std::vector<std::string>& catalogueList) : questionOrder_(catalogueList) {}

int TGame::Mark(int button) const {
    return button >= 1 && button <= 4 ? marks_[static_cast<size_t>(button - 1)] : 1;
}

int TGame::AnswerButton() const {
    int button = 1;
    while (button < 4 && Mark(button) != 0) ++button;
    return button;
}

void TGame::Start(int32_t questionCount) {
    Shuffle(questionOrder_);
    gameActive_ = 1;
    questionIndex_ = 0;
    elapsedMs_ = 0;
    score_ = 0;
    combo_ = 0;
    correctCount_ = 0;
    questionCount_ = questionCount;
}

const std::string& TGame::NextEntry() const {
    return questionOrder_[static_cast<size_t>(questionIndex_)];
}

std::array<std::string, 4> TGame::NextQuestion() {
    lifelineReady_ = true;
    const std::array<int, 3> wrong =
        WrongChoices(questionIndex_, static_cast<int>(questionOrder_.size()));
    const std::array<int, 4> buttons = PlaceChoices();
    std::array<std::string, 4> names;
    for (int choice = 0; choice < 3; ++choice) {
        names[buttons[choice] - 1] =
            NameWithoutExtension(questionOrder_[static_cast<size_t>(wrong[choice])]);
        marks_[buttons[choice] - 1] = 1;
    }
    names[buttons[3] - 1] = NameWithoutExtension(NextEntry());
    marks_[buttons[3] - 1] = 0;
    countdown_ = CountdownSeconds;
    ++questionIndex_;
    questionStartTick_ = GetTickCount();
    return names;
}

bool TGame::CountDown() { return --countdown_ == 0; }

TGame::TVerdict TGame::Judge(int button, const std::string& correctDisplay,
                             const std::string& wrongDisplay) {
    TVerdict verdict;
    if (questionIndex_ < 1) return verdict;
    verdict.Judged = true;
    uint32_t answerMs;
    if (Mark(button) != 0) {
        answerMs = WrongAnswerMs;
        verdict.Answer =
            NameWithoutExtension(questionOrder_[static_cast<size_t>(questionIndex_ - 1)]);
        verdict.DisplayMs = DisplayTime(wrongDisplay, WrongDisplayFallback);
        combo_ /= 2;
    } else {
        verdict.Correct = true;
        answerMs = GetTickCount() - questionStartTick_;
        verdict.DisplayMs = DisplayTime(correctDisplay, CorrectDisplayFallback);
        ++combo_;
        ++correctCount_;
        score_ += Points(answerMs, combo_);
    }
    elapsedMs_ += static_cast<int32_t>(answerMs);
    return verdict;
}

std::optional<std::array<int, 2>> TGame::StrikeTwo() {
    if (!lifelineReady_) return std::nullopt;
    lifelineReady_ = false;
    return StrikeTwoDraw(AnswerButton());
}

std::optional<int> TGame::CertainAnswer() {
    if (!lifelineReady_) return std::nullopt;
    lifelineReady_ = false;
    return AnswerButton();
}

void TGame::Shuffle(std::vector<std::string>& list) {
    if (static_cast<int>(list.size()) < MinimumCatalogue)
        throw Exception(
            ToCp932(QStringLiteral("カクテルのアイコンが足りないため、ゲームを開始できません。"
                                   "cocktailフォルダに%1個以上のアイコンが必要です（現在%2個）。")
                        .arg(MinimumCatalogue)
                        .arg(list.size())));
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
    const int32_t multiplier = combo / 5 + 1;
    const int32_t raw = (10000 - static_cast<int32_t>(answerMs)) * multiplier;
    const int32_t points = static_cast<int32_t>(std::trunc(raw / 100.0 + 0.5));
    return 10 * points;
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
