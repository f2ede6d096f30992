// Splitting the program's text files into lines.
#pragma once

#include <string>
#include <vector>

// The lines of `text`, each ended by CR LF, a lone CR or a lone LF. A last line without a line end
// counts; a zero byte ends the text. An empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);
