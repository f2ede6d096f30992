// The checksum rule and the line splitter that every reader of the program's text files uses.
#include <gtest/gtest.h>

#include "records/checksum.h"
#include "records/lines.h"
#include "tests/support/testsupport.h"

// The checksum is twice the unsigned byte sum up to the first zero byte, wrapping at 32 bits.
TEST(RecordsChecksum, TableOfTexts) {
    struct Row {
        std::string text;
        int32_t expected;
    };
    const std::vector<Row> rows = {
        {"", 0},
        {"abc", 588},
        {"50,12340,03:05`67,40,3,", 2370},
        {"10,0,01:40`00,0,0,", 1816},
        {std::string("ab\0zz", 5), 2 * (97 + 98)},
        {"\xFF", 510},                         // bytes count unsigned
        {Cp932Text("カ"), 2 * (0x83 + 0x4A)},  // CP932 bytes, not Unicode
        {std::string(8421505, '\xFF'), static_cast<int32_t>(8421505u * 255u * 2u)},  // wraps
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Checksum(row.text), row.expected) << "text of " << row.text.size() << " bytes";
    }
}

// Every line end a file may carry splits lines; a last line without one still counts.
TEST(RecordsSplitLines, TableOfLineEnds) {
    using Lines = std::vector<std::string>;
    struct Row {
        std::string text;
        Lines expected;
    };
    const std::vector<Row> rows = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\n\rb", {"a", "", "b"}},
        {"\r\n\r\n", {"", ""}},
        {"a\r\r\nb", {"a", "", "b"}},
        {std::string("a\r\nb\0c\r\n", 8), {"a", "b"}},
        {"x", {"x"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SplitLines(row.text), row.expected) << row.text;
        // Read in two pieces, cut anywhere (between CR and LF too), the lines are the same.
        for (std::size_t cut = 0; cut <= row.text.size(); ++cut) {
            Lines lines;
            LineSplitter splitter([&](const std::string& line, bool) { lines.push_back(line); },
                                  100);
            const std::string_view text(row.text);
            if (splitter.Feed(text.substr(0, cut))) splitter.Feed(text.substr(cut));
            splitter.Finish();
            EXPECT_EQ(lines, row.expected) << row.text << " cut at " << cut;
        }
    }
}

// Every tab cuts, so empty fields at either end or between two tabs count.
TEST(RecordsSplitFields, EveryTabCuts) {
    using Fields = std::vector<std::string>;
    const std::vector<std::pair<std::string, Fields>> rows = {
        {"", {""}}, {"a", {"a"}}, {"a\tb", {"a", "b"}}, {"\ta\t\tb\t", {"", "a", "", "b", ""}}};
    for (const auto& [line, expected] : rows) EXPECT_EQ(SplitFields(line), expected) << line;
}

// Lines beyond the limit arrive cut to it and marked; the lines after them are whole again.
TEST(RecordsSplitLines, LongLinesArriveCut) {
    std::vector<std::pair<std::string, bool>> lines;
    LineSplitter splitter(
        [&](const std::string& line, bool whole) { lines.emplace_back(line, whole); }, 3);
    splitter.Feed("abcd");
    splitter.Feed("ef\r");
    splitter.Feed("\nabc\nab");
    splitter.Finish();
    EXPECT_EQ(lines, (std::vector<std::pair<std::string, bool>>{
                         {"abc", false}, {"abc", true}, {"ab", true}}));
}
