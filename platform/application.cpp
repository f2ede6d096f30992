// The program's look.
#include "platform/application.h"

#include <QFile>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // One style sheet for every window, so that message boxes and the help window look the same
    // whichever window opened them.
    QFile look(QStringLiteral(":/bartendam.qss"));
    if (look.open(QIODevice::ReadOnly)) setStyleSheet(QString::fromUtf8(look.readAll()));
}
