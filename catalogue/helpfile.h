// The help file cocktail.hlp: its topics, keyed by the context numbers the dialogs ask for.
//
// Format (CP932 text, lines ended by CR LF, a lone CR or a lone LF):
//   [topic 4] インターネットランキング
//   ...the topic's text, any number of lines...
//   [topic 5] ゲームセッティング
//   ...
// A line that begins with "[topic ", a decimal context number and "]" starts a topic; the rest of
// that line, less the blanks after "]", is its title. The lines up to the next such line are the
// topic's text, shown as they stand, without the blank lines at its end. Lines before the first
// topic are notes for the file's writers and are never shown. Topics keep the file's order; where
// two share a context number, the first is the one found by that number.
#pragma once

#include <string>
#include <vector>

struct HelpTopic {
    int Context = 0;
    std::string Title;  // CP932
    std::string Text;   // CP932, lines joined by "\n"
};

// The largest help file read: far beyond any help text, far below what would exhaust the memory.
constexpr long long HelpFileLimit = 16 << 20;

// What the help window lays out of one topic: many help pages, yet little enough to open at once
// (the layout of a single line grows faster than its length).
constexpr size_t HelpShownBytes = 256 * 1024;
constexpr size_t HelpShownLineBytes = 4096;

std::vector<HelpTopic> ParseHelpFile(const std::string& bytes);
// Reads and parses a help file (CP932 path); a file that cannot be read, or one beyond
// HelpFileLimit bytes, raises EInOutError naming it.
std::vector<HelpTopic> LoadHelpFile(const std::string& fileName);
// A topic's text as the help window shows it: a line beyond HelpShownLineBytes is broken at
// character boundaries into lines of that length, and text beyond HelpShownBytes gives way to a
// line saying that the rest is not shown.
std::string ShownTopicText(const std::string& text);
// The position of the topic with context number `context`, or -1.
int FindHelpTopic(const std::vector<HelpTopic>& topics, int context);
