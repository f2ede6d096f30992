// What the player knows: per cocktail, how often it was asked and missed, when it was last seen and
// its Leitner box, kept in history.dat in the game's folder.
//
// history.dat is CP932 text, each line ended by CR LF. The first line is the header
// "# bartendam history 1"; then one line per cocktail, its fields separated by tabs:
//   name  asked  missed  last seen  box
// name: the cocktail's name (its icon's file name without ".ico"); asked, missed: answers given and
// answers wrong or timed out, 0 <= missed <= asked; last seen: seconds since 1970-01-01 UTC; box:
// the Leitner box, 1 to 5. A file that breaks any of this is set aside whole as history.dat.broken.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

inline constexpr char kHistoryHeader[] = "# bartendam history 1";
// Leitner boxes: a right answer moves a cocktail up one box, a miss back to the first.
inline constexpr int kFirstBox = 1;
inline constexpr int kLastBox = 5;

struct CocktailStats {
    int64_t Asked = 0;
    int64_t Missed = 0;
    int64_t LastSeen = 0;  // seconds since 1970-01-01 UTC; 0: never
    int Box = kFirstBox;
};

class TPlayerHistory {
  public:
    // The history of the file at `path` (CP932). No file gives an empty history. A file that cannot
    // be read or is not a history file is renamed to `path` + ".broken" (replacing an older one)
    // and the history starts empty: nothing here stops the game's start.
    static TPlayerHistory Load(const std::string& path);
    // The history of a file's lines; false for a file that is not a history file.
    bool Parse(const std::vector<std::string>& lines);

    // Counts an answer to the cocktail `name` (CP932) given at `time`. A name that the file cannot
    // hold (empty, or with a tab or line end) is not counted.
    void Record(const std::string& name, bool correct, int64_t time);
    // What the player has done with `name`; a cocktail never asked has all zeros in box 1.
    CocktailStats Stats(const std::string& name) const;
    // Up to `count` cocktails ever missed, in the order a practice round asks them at `now`: those
    // due first (a box's interval has passed since last seen: box 1 always, then 1, 3, 7 and 14
    // days), lower boxes before higher, more misses before fewer, longer unseen before recent;
    // then those not yet due, soonest due first.
    std::vector<std::string> PracticeOrder(size_t count, int64_t now) const;
    // Writes the history to `path` as the settings file is written: whole or not at all.
    void Save(const std::string& path) const;

  private:
    std::map<std::string, CocktailStats> cocktails_;
};
