// The program's look.
#include "platform/application.h"

#include <QFile>

#include "platform/fonts.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The windows' font is every widget's from the start: a window's own setFont would not reach
    // controls the style sheet has already given the font of their making.
    setFont(UiFont());
    // One style sheet for every window, so that message boxes and the help window look the same
    // whichever window opened them.
    QFile look(QStringLiteral(":/bartendam.qss"));
    if (look.open(QIODevice::ReadOnly)) setStyleSheet(QString::fromUtf8(look.readAll()));
}
