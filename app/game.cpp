// The quiz's rules. Every group of draws re-seeds the random source first.
#include "app/game.h"

#include <QString>
#include <cmath>
#include <limits>
#include <utility>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "platform/random.h"

void ShuffleQuestions(std::vector<std::string>& list) {
    if (static_cast<int>(list.size()) < kMinimumCatalogue)
        throw Exception(
            ToCp932(QStringLiteral("カクテルのアイコンが足りないため、ゲームを開始できません。"
                                   "cocktailフォルダに%1個以上のアイコンが必要です（現在%2個）。")
                        .arg(kMinimumCatalogue)
                        .arg(list.size())));
    Randomize();
    const int count = static_cast<int>(list.size());
    for (int i = 0; i < kMinimumCatalogue; ++i) std::swap(list[i], list[Random(count)]);
}

std::array<int, 3> DrawWrongChoices(int index, int count) {
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

std::array<int, 4> PlaceChoices() {
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

std::array<int, 2> StrikeTwo(int correct) {
    Randomize();
    int x, y;
    do {
        x = Random(4) + 1;
        y = Random(4) + 1;
    } while (x == y || x == correct || y == correct);
    return {x, y};
}

int32_t AnswerPoints(uint32_t answerMs, int32_t combo) {
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

std::string ClockText(int32_t elapsedMs) {
    return TwoDigits(elapsedMs / 60000) + ":" + TwoDigits(elapsedMs / 1000 % 60) + "`" +
           TwoDigits(elapsedMs % 1000 / 10);
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

int32_t DisplayTime(const std::string& text, int32_t fallback) {
    int32_t value = StrToIntDef(text, fallback);
    return value > 0 ? value : fallback;
}
