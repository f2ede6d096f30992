// The general error handler and the program's folder.
#include "platform/application.h"

#include "platform/cp932.h"
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

std::string ApplicationFolder() { return ToCp932(QCoreApplication::applicationDirPath()) + "/"; }
