// Measures opening the ranking dialog over a score log of 100,000 lines, in the shapes that cost
// most: every line a count of its own, and one count whose every line is a listed result.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "ranking/openranking.h"
#include "ranking/ranking.h"
#include "records/scorelog.h"
#include "tests/ranking/rankingtestsupport.h"
#include "tests/support/testsupport.h"

namespace {
constexpr int LineCount = 100000;

struct Shape {
    const char* name;
    std::function<std::string(int)> line;
};

std::string Record(const std::string& count, int i) {
    return MakeRecord(count, std::to_string(i), "01:02`03", "7", "2");
}

void Measure(const Shape& shape, int runs) {
    TestAppFolder folder;
    std::vector<std::string> lines;
    for (int i = 0; i < LineCount; ++i) lines.push_back(shape.line(i));
    folder.WriteLog(lines);
    std::vector<double> ms;
    int counts = 0;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        auto ranking = PrepareRanking(
            folder.AppFolder(), "taro", "", "", [](int) {}, nullptr);
        ms.push_back(clock.nsecsElapsed() / 1e6);
        counts = Named<QComboBox>(*ranking, "cmbMondai")->count();
        rows = Named<QTableWidget>(*ranking, "lsRanking")->rowCount();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("| %s | %d | %d | %.0f | %.0f–%.0f |\n", shape.name, counts, rows,
                ms[ms.size() / 2], ms.front(), ms.back());
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::vector<Shape> shapes = {
        {"a count of its own per line", [](int i) { return Record(std::to_string(i + 1), i); }},
        {"one count, every line listed", [](int i) { return Record("50", i); }},
        {"one count, no line valid", [](int i) { return Record("50", i) + "0"; }},
        {"two counts alternating, letter case aside",
         [](int i) { return Record(i % 2 ? "ab" : "AB", i); }},
    };
    std::printf("%d runs of each, %d lines\n\n", runs, LineCount);
    std::printf(
        "| Log | Counts offered | Rows listed | Median ms | Range ms |\n|---|---|---|---|---|\n");
    for (const Shape& shape : shapes) Measure(shape, runs);
    return 0;
}
