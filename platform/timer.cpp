// Window timers on precise Qt timers, so that the countdown and the pacing do not drift.
#include "platform/timer.h"
#include "platform/guard.h"

namespace {
bool& Manual() {
    static bool manual = false;
    return manual;
}
}  // namespace

TTimer::TTimer(QObject* owner) : QObject(owner) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, Guarded([this] {
        if (OnTimer) OnTimer();
    }));
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

void TTimer::Update() {
    timer_.stop();
    if (enabled_ && interval_ > 0 && !Manual()) timer_.start(interval_);
}

void TTimer::SetManual(bool manual) { Manual() = manual; }
