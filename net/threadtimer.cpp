// The socket components' time-out timer on Qt's timers; a failure in its handler goes to the
// application's general error handler like any other event's.
#include "net/threadtimer.h"

#include <QTimerEvent>

#include "platform/exception.h"
#include "platform/guard.h"

TThreadTimer::TThreadTimer(QObject* owner) : QObject(owner) {}

TThreadTimer::~TThreadTimer() {
    enabled_ = false;
    if (timerId_ != 0) killTimer(timerId_);
}

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
    if (timerId_ != 0) killTimer(timerId_);
    timerId_ = 0;
    if (interval_ != 0 && enabled_ && onTimer_) {
        timerId_ = startTimer(int(interval_), Qt::PreciseTimer);
        if (timerId_ == 0) throw Exception("No Timer");
    }
}

void TThreadTimer::Timer() {
    if (onTimer_) onTimer_(this);
}

void TThreadTimer::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timerId_) RunGuarded([this] { Timer(); });
}
