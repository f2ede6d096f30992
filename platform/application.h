// The application object: the program's look for every window, its style sheet and its font. Failures of handlers are caught
// where Qt calls them (platform/guard.h), so none reaches the event loop.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
  public:
    TApplication(int& argc, char** argv);
};
