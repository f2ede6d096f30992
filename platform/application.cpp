// The general error handler and the program's look.
#include "platform/application.h"

#include <QFile>

#include "platform/msgbox.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // One style sheet for every window, so that message boxes and the help window look the same
    // whichever window opened them.
    QFile look(QStringLiteral(":/bartendam.qss"));
    if (look.open(QIODevice::ReadOnly)) setStyleSheet(QString::fromUtf8(look.readAll()));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        HandleException(error);
    }
    return false;
}

void HandleException(const std::exception& error) { ErrorBox(error.what(), ApplicationTitle()); }
