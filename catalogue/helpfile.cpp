// Reading the help file: topic headers and texts, byte by byte on CP932 lines.
#include "catalogue/helpfile.h"

#include <cerrno>

#include "platform/boundedfile.h"
#include "platform/cp932.h"
#include "platform/exception.h"

namespace {
// The same words as every other file error of the program.
constexpr const char* CannotOpen = "ファイルを開けません:";
constexpr const char* CannotRead = "ファイルを読み込めません:";

const std::string kHeaderStart = "[topic ";
// More digits could not be an int; such a line is text.
constexpr size_t kMaxContextDigits = 9;

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// A header line gives its topic (without text); any other line gives false.
bool ParseHeader(const std::string& line, HelpTopic& topic) {
    if (line.compare(0, kHeaderStart.size(), kHeaderStart) != 0) return false;
    size_t pos = kHeaderStart.size();
    const size_t digitsStart = pos;
    while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9') ++pos;
    const size_t digits = pos - digitsStart;
    if (digits == 0 || digits > kMaxContextDigits || pos >= line.size() || line[pos] != ']') {
        return false;
    }
    topic.Context = std::stoi(line.substr(digitsStart, digits));
    ++pos;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    topic.Title = line.substr(pos);
    return true;
}

void FinishTopic(HelpTopic& topic, std::vector<std::string>& textLines) {
    while (!textLines.empty() && textLines.back().empty()) textLines.pop_back();
    for (size_t i = 0; i < textLines.size(); ++i) {
        if (i > 0) topic.Text += '\n';
        topic.Text += textLines[i];
    }
    textLines.clear();
}
}  // namespace

std::vector<HelpTopic> ParseHelpFile(const std::string& bytes) {
    std::vector<HelpTopic> topics;
    std::vector<std::string> textLines;
    for (const std::string& line : SplitLines(bytes)) {
        HelpTopic header;
        if (ParseHeader(line, header)) {
            if (!topics.empty()) FinishTopic(topics.back(), textLines);
            topics.push_back(header);
            textLines.clear();
        } else if (!topics.empty()) {
            textLines.push_back(line);
        }
    }
    if (!topics.empty()) FinishTopic(topics.back(), textLines);
    return topics;
}

std::vector<HelpTopic> LoadHelpFile(const std::string& fileName) {
    std::string bytes;
    if (const auto failure = ReadBoundedFile(fileName, HelpFileLimit, bytes)) {
        throw IoError(Cp932Text(failure->Step == TReadFailure::Open ? CannotOpen : CannotRead),
                      fileName, failure->Error == 0 ? EINVAL : failure->Error);
    }
    return ParseHelpFile(bytes);
}

std::string ShownTopicText(const std::string& text) {
    std::string shown;
    size_t lineBytes = 0;
    for (size_t i = 0; i < text.size();) {
        // A trail byte is never a line feed, so a lead byte before one stands alone.
        const bool pair = IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                          text[i + 1] != '\n';
        const size_t length = pair ? 2 : 1;
        const bool breakFirst = text[i] != '\n' && lineBytes + length > HelpShownLineBytes;
        if (shown.size() + length + (breakFirst ? 1 : 0) > HelpShownBytes) {
            return shown + Cp932Text("\n\n（長すぎるため、ここから先は表示されません。）");
        }
        if (breakFirst) {
            shown += '\n';
            lineBytes = 0;
        }
        shown.append(text, i, length);
        lineBytes = text[i] == '\n' ? 0 : lineBytes + length;
        i += length;
    }
    return shown;
}

int FindHelpTopic(const std::vector<HelpTopic>& topics, int context) {
    for (size_t i = 0; i < topics.size(); ++i) {
        if (topics[i].Context == context) return static_cast<int>(i);
    }
    return -1;
}
