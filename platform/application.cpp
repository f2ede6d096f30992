// The general error handler.
#include "platform/application.h"

#include "platform/msgbox.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        HandleException(error);
    }
    return false;
}

void HandleException(const std::exception& error) { ErrorBox(error.what(), ApplicationTitle()); }
