// The hidden receiver of a socket component's notifications.
#pragma once

#include <QObject>

class TSocket;

class TSockWindow : public QObject {
  public:
    explicit TSockWindow(TSocket* owner) : owner_(owner) {}
    ~TSockWindow() override;
    bool event(QEvent* event) override;

  private:
    TSocket* owner_;
};
