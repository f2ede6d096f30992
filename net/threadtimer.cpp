// The socket components' time-out timer on the program's one ticker; it does not follow the
// window timers' manual mode, and a failure in its handler goes to the application's general
// error handler like any other event's.
#include "net/threadtimer.h"

#include <climits>

#include "platform/exception.h"

TThreadTimer::TThreadTimer(QObject* owner) : QObject(owner), ticker_([this] { Timer(); }) {}

void TThreadTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    UpdateTimer();
}

void TThreadTimer::SetInterval(uint32_t value) {
    if (value == interval_) return;
    interval_ = value;
    UpdateTimer();
}

void TThreadTimer::SetOnTimer(TTimerEvent value) {
    onTimer_ = std::move(value);
    UpdateTimer();
}

void TThreadTimer::UpdateTimer() {
    // An interval beyond what the platform timer holds will not start.
    int ms = interval_ > uint32_t(INT_MAX) ? -1 : int(interval_);
    if (!ticker_.Restart(enabled_ && onTimer_, ms)) throw Exception("No Timer");
}

void TThreadTimer::Timer() {
    if (onTimer_) onTimer_(this);
}
