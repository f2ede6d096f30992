// Timers on precise Qt timers. TTicker is the one repeating timer under every timer of the
// program; TTimer is the window timer with an enabled flag, an interval and a tick handler, which
// tests switch to manual, where the state is kept but only the test ticks.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class TTicker {
  public:
    explicit TTicker(std::function<void()> tick);
    // Stops the ticks; then, when `run` and `ms` is not 0, ticks every `ms` milliseconds. False
    // when ticks were asked for and would not start (a negative `ms`).
    bool Restart(bool run, int ms);

  private:
    QTimer timer_;
};

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
    TTicker ticker_;
    bool enabled_ = true;
    int interval_ = 1000;
};
