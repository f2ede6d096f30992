// Measures the ranking page over large ranking files: the page built in process, and the page
// program run as the web server runs it, with the most memory it held.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "service/rankingfile.h"
#include "service/rankingpage.h"

namespace {

struct Figures {
    double median, low, high;
};

Figures Summary(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

// Lines as players send them: CP932 handles and comments, addresses or "0", varied results.
std::string Entries(int count, std::mt19937& random) {
    const std::string handles[] = {Cp932Text("ﾊﾞｰﾃﾝﾀﾞｰ"), "taro", Cp932Text("ねこ"), "Mixer"};
    const std::string comments[] = {Cp932Text("初めて送ります<br />よろしく"), "",
                                    "gimlet or daiquiri? hard to tell apart at a glance, but fun",
                                    Cp932Text("＊＊")};
    std::string text;
    char time[16];
    for (int i = 0; i < count; ++i) {
        const unsigned r = random();
        std::snprintf(time, sizeof time, "%02u:%02u`%02u", r % 20, r / 20 % 60, r / 1200 % 100);
        text += std::to_string(static_cast<int>(random() % 90000) - 1000) + "*" + time + "\t" +
                std::to_string(r % 100) + "\t" + std::to_string(r % 37) + "\t" + handles[r % 4] +
                "\t" + (r % 3 ? "0" : "someone@example.jp") + "\t" +
                (r % 5 ? "0" : "http://www.example.jp/~someone/") + "\t" + comments[r / 7 % 4] +
                "\r\n";
    }
    return text;
}

void Write(const QString& path, const std::string& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// One run of the page program as the web server starts it: its time and its peak memory in KiB.
// A forked child starts from the bench's own small memory, which therefore sets a floor.
std::pair<double, long> RunPage(const std::string& data) {
    std::string settings[] = {"RANKING_DATA=" + data, "QUERY_STRING=count=50"};
    char* environment[] = {settings[0].data(), settings[1].data(), nullptr};
    char* arguments[] = {const_cast<char*>(BARTENDAM_PAGE), nullptr};
    QElapsedTimer clock;
    clock.start();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execve(BARTENDAM_PAGE, arguments, environment);
        _exit(127);
    }
    int status;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return {clock.nsecsElapsed() / 1e6, usage.ru_maxrss};
}

// What a data folder holds: its files, their size and their lines.
std::string Contents(const std::string& data) {
    const QFileInfoList files =
        QDir(QString::fromStdString(data) + "/ranking/cocktail").entryInfoList(QDir::Files);
    qint64 bytes = 0, lines = 0;
    for (const QFileInfo& info : files) {
        bytes += info.size();
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        for (QByteArray block; !(block = file.read(1 << 20)).isEmpty();) lines += block.count('\n');
    }
    char text[96];
    std::snprintf(text, sizeof text, "%lld files, %.1f MB, %lld lines", qlonglong(files.size()),
                  bytes / 1e6, qlonglong(lines));
    return text;
}

void Measure(const char* name, const std::string& data, int runs) {
    std::vector<double> inProcess, program;
    long programKiB = 0;
    for (int i = 0; i <= runs; ++i) {  // the first run of each only warms the file cache
        QElapsedTimer clock;
        clock.start();
        RankingPageHtml(ReadRanking(data, 50), "nonce");
        const double ms = clock.nsecsElapsed() / 1e6;
        const auto [programMs, kib] = RunPage(data);
        if (i == 0) continue;
        inProcess.push_back(ms);
        program.push_back(programMs);
        programKiB = std::max(programKiB, kib);
    }
    const Figures a = Summary(inProcess), b = Summary(program);
    std::printf("| %s (%s) | %.1f (%.1f–%.1f) | %.1f (%.1f–%.1f) | %.1f |\n", name,
                Contents(data).c_str(), a.median, a.low, a.high, b.median, b.low, b.high,
                programKiB / 1024.0);
}

// The files are made by a child process, so that the bench itself stays small.
void MakeFiles(const std::function<void()>& make) {
    const pid_t child = fork();
    if (child == 0) {
        make();
        _exit(0);
    }
    waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    QTemporaryDir none, everyCount, oneLarge, longLines;
    for (const QTemporaryDir* dir : {&none, &everyCount, &oneLarge, &longLines})
        QDir(dir->path()).mkpath("ranking/cocktail");
    auto file = [](const QTemporaryDir& dir, int count) {
        return QString::fromStdString(RankingFilePath(dir.path().toStdString(), count));
    };
    MakeFiles([&] {
        std::mt19937 random(2026);
        for (int count = FirstCount; count <= LastCount; count += CountStep)
            Write(file(everyCount, count), Entries(100000, random));
        std::string large;
        while (large.size() < 100u << 20) large += Entries(10000, random);
        Write(file(oneLarge, 50), large);
        std::string lines;
        for (int i = 0; i < 100; ++i) lines += std::string(1 << 20, 'x') + "\r\n";
        Write(file(longLines, 50), lines + Entries(100, random));
    });

    std::printf("%d runs each; times as median (lowest–highest)\n\n", runs);
    std::printf(
        "| Files | In process ms | Page program ms | Page program peak MiB |\n|---|---|---|---|\n");
    Measure("none", none.path().toStdString(), runs);
    Measure("100,000 entries for every count", everyCount.path().toStdString(), runs);
    Measure("one count's file of 100 MB", oneLarge.path().toStdString(), runs);
    Measure("100 lines of 1 MB, then 100 entries", longLines.path().toStdString(), runs);
    return 0;
}
