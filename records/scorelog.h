// The score log log.dat: one checksummed record per saved game, only ever appended.
#pragma once

#include <cstdint>
#include <string>

// The figures of a finished game, as its record holds them; Time is the clock text (CP932).
struct TGameFigures {
    int32_t Questions = 0;
    int32_t Score = 0;
    std::string Time;
    int32_t Correct = 0;
    int32_t Combo = 0;
};

// The record "Questions,Score,Time,Correct,Combo,Check" of the given field texts (CP932), where
// Check is the checksum of everything up to and including the fifth comma.
std::string MakeRecord(const std::string& questions, const std::string& score,
                       const std::string& time, const std::string& correct,
                       const std::string& combo);
// The record of a finished game.
std::string MakeRecord(const TGameFigures& figures);

// Appends `record` and CR LF to the log at `path`, creating the file on first use. A log whose
// last line lacks its line end gets one first, so that the record stands on a line of its own.
// A write that fails part-way (a full disk) leaves the log exactly as long as it was.
void AppendRecord(const std::string& path, const std::string& record);

// True when the text after the line's last comma is exactly the decimal checksum of the text up
// to and including that comma.
bool IsValidRecord(const std::string& line);
