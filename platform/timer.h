// A window timer: enabled flag, millisecond interval and a tick handler. Ticks come from a precise
// Qt timer; tests switch every timer to manual, where the state is kept but only the test ticks.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class TTimer : public QObject {
  public:
    explicit TTimer(QObject* owner = nullptr);

    bool Enabled() const { return enabled_; }
    // Enabling a running timer does not restart it.
    void SetEnabled(bool enabled);
    int Interval() const { return interval_; }
    // A new interval restarts a running timer; 0 stops the ticks while it stays enabled.
    void SetInterval(int interval);

    std::function<void()> OnTimer;

    // Manual mode for tests: timers keep their state but never tick by themselves.
    static void SetManual(bool manual);

  private:
    void Update();
    QTimer timer_;
    bool enabled_ = true;
    int interval_ = 1000;
};
