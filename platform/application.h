// The application object: its general error handler shows every exception that leaves an event
// handler in an error box, and the program goes on.
#pragma once

#include <QApplication>
#include <exception>

class TApplication : public QApplication {
  public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The general error handler itself, for failures caught outside the event loop (start-up).
void HandleException(const std::exception& error);
