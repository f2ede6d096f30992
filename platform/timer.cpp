// Timers on precise Qt timers, so that the countdown, the pacing and the time-outs do not drift.
#include "platform/timer.h"

#include "platform/guard.h"

namespace {
bool& Manual() {
    static bool manual = false;
    return manual;
}
}  // namespace

TTicker::TTicker(std::function<void()> tick) {
    timer_.setTimerType(Qt::PreciseTimer);
    // Qt calls the ticks: every handler runs inside the guard.
    QObject::connect(&timer_, &QTimer::timeout, Guarded([tick = std::move(tick)] { tick(); }));
}

bool TTicker::Restart(bool run, int ms) {
    timer_.stop();
    if (!run || ms == 0) return true;
    if (ms < 0) return false;
    timer_.start(ms);
    return timer_.isActive();
}

TTimer::TTimer(QObject* owner)
    : QObject(owner), ticker_([this] {
          if (OnTimer) OnTimer();
      }) {
    Update();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(int interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::Update() { ticker_.Restart(enabled_ && interval_ > 0 && !Manual(), interval_); }

void TTimer::SetManual(bool manual) { Manual() = manual; }
