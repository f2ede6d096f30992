// Reading, counting, ordering and writing the player's history.
#include "records/history.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <tuple>

#include "platform/cp932.h"
#include "platform/exception.h"
#include "records/lines.h"
#include "records/settingsfile.h"

namespace {
constexpr int64_t kDay = 24 * 60 * 60;
// How long a cocktail rests in each box before it is due again.
constexpr int64_t kBoxInterval[kLastBox + 1] = {0, 0, 1 * kDay, 3 * kDay, 7 * kDay, 14 * kDay};

bool Number(const std::string& text, int64_t& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end && value >= 0;
}

bool Storable(const std::string& name) {
    return !name.empty() && name.find_first_of("\t\r\n") == std::string::npos;
}
}  // namespace

TPlayerHistory TPlayerHistory::Load(const std::string& path) {
    TPlayerHistory history;
    try {
        const auto lines = ReadSettingsLines(path);
        if (!lines || history.Parse(*lines)) return history;
    } catch (const Exception&) {
        // An unreadable file is set aside like a broken one.
    }
    // Kept for the player to look at or mend; the next save starts a new file.
    std::rename(NativeName(path).c_str(), NativeName(path + ".broken").c_str());
    return {};
}

bool TPlayerHistory::Parse(const std::vector<std::string>& lines) {
    cocktails_.clear();
    if (lines.empty() || lines[0] != kHistoryHeader) return false;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = SplitFields(lines[i]);
        CocktailStats s;
        int64_t box = 0;
        const bool whole = f.size() == 5 && Storable(f[0]) && Number(f[1], s.Asked) &&
                           Number(f[2], s.Missed) && Number(f[3], s.LastSeen) &&
                           Number(f[4], box) && s.Missed <= s.Asked && box >= kFirstBox &&
                           box <= kLastBox;
        s.Box = static_cast<int>(box);
        if (!whole || !cocktails_.emplace(f[0], s).second) {
            cocktails_.clear();
            return false;
        }
    }
    return true;
}

void TPlayerHistory::Record(const std::string& name, bool correct, int64_t time) {
    if (!Storable(name)) return;
    CocktailStats& s = cocktails_[name];
    ++s.Asked;
    if (!correct) ++s.Missed;
    s.LastSeen = time;
    s.Box = correct ? std::min(s.Box + 1, kLastBox) : kFirstBox;
}

CocktailStats TPlayerHistory::Stats(const std::string& name) const {
    const auto found = cocktails_.find(name);
    return found == cocktails_.end() ? CocktailStats{} : found->second;
}

std::vector<std::string> TPlayerHistory::PracticeOrder(size_t count, int64_t now) const {
    using Key = std::tuple<bool, int64_t, int, int64_t, int64_t, std::string>;
    std::vector<Key> order;
    for (const auto& [name, s] : cocktails_) {
        if (s.Missed == 0) continue;
        const int64_t due = s.LastSeen + kBoxInterval[s.Box];
        const bool waiting = due > now;
        // Due ones by box, misses and age; waiting ones by when they fall due.
        order.emplace_back(waiting, waiting ? due : 0, waiting ? 0 : s.Box, waiting ? 0 : -s.Missed,
                           s.LastSeen, name);
    }
    std::sort(order.begin(), order.end());
    std::vector<std::string> names;
    for (size_t i = 0; i < order.size() && i < count; ++i) names.push_back(std::get<5>(order[i]));
    return names;
}

void TPlayerHistory::Save(const std::string& path) const {
    std::vector<std::string> lines{kHistoryHeader};
    for (const auto& [name, s] : cocktails_)
        lines.push_back(name + '\t' + std::to_string(s.Asked) + '\t' + std::to_string(s.Missed) +
                        '\t' + std::to_string(s.LastSeen) + '\t' + std::to_string(s.Box));
    WriteSettingsFile(path, lines);
}
