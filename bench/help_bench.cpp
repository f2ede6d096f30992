// Measures opening the help window on topics of absurd size: the window made, shown and laid out.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextBrowser>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/cp932.h"
#include "tests/support/testinghelp.h"

namespace {
void Measure(const char* name, const std::string& text, int runs) {
    std::vector<double> ms;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        TestingHelp window({HelpTopic{4, "topic", text}}, 4);
        window.show();
        QApplication::processEvents();
        // The page's whole height needs the whole layout, as a scroll to the end would.
        window.memTopic()->document()->size();
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("| %s | %.0f | %.0f–%.0f |\n", name, ms[ms.size() / 2], ms.front(), ms.back());
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    constexpr std::size_t Size = 10 * 1000 * 1000;
    // Text made by repeating `piece` up to 10 MB.
    const auto repeated = [](const std::string& piece) {
        std::string text;
        while (text.size() < 10'000'000) text += piece;
        return text;
    };
    std::printf("%d runs of each\n\n| Topic | Median ms | Range ms |\n|---|---|---|\n", runs);
    Measure("one line of 10 MB", repeated("a"), runs);
    Measure("10 MB in lines of 78 bytes", repeated(std::string(78, 'a') + "\n"), runs);
    Measure("one line of 10 MB, words of 9 letters", repeated("abcdefghi "), runs);
    Measure("one line of 10 MB of Japanese",
            repeated(Cp932Text("ランキングの説明がとても長く続きます。")), runs);
    return 0;
}
