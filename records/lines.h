// Splitting the program's text files into lines, and a line into its tab-separated fields.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The lines of `text`, each ended by CR LF, a lone CR or a lone LF. A last line without a line end
// counts; a zero byte ends the text. An empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);

// The fields of one line, cut at every tab: n tabs give n + 1 fields, empty ones included, so an
// empty line is one empty field. Tab is below 0x40, never the second byte of a CP932 character.
std::vector<std::string> SplitFields(const std::string& line);

// Cuts a text that arrives in pieces into lines by the rule of SplitLines, so that a file need
// not be held whole. A line longer than `limit` bytes is handed on cut to that length and marked
// as not whole.
class LineSplitter {
  public:
    using Sink = std::function<void(const std::string& line, bool whole)>;
    LineSplitter(Sink sink, std::size_t limit);
    // Takes the next piece of the text; false once a zero byte has ended it.
    bool Feed(std::string_view piece);
    // Hands on a last line that has no line end.
    void Finish();

  private:
    void EndLine();
    Sink sink_;
    std::size_t limit_;
    std::string line_;
    bool open_ = false;  // a line has begun and not ended
    bool whole_ = true;  // nothing of the open line was cut
    bool afterCr_ = false;
    bool ended_ = false;  // a zero byte was read
};

// Hands each line of the file `fileName` (CP932) to `sink`, reading it piece by piece, by the rule
// of LineSplitter. Raises the platform's input/output error naming the file.
void ReadLines(const std::string& fileName, std::size_t limit, const LineSplitter::Sink& sink);
