// The one-shot time-out of each socket component: a repeating timer that its user switches off
// when it fires.
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>

#include "platform/timer.h"

class TThreadTimer : public QObject {
  public:
    using TTimerEvent = std::function<void(QObject* Sender)>;

    explicit TThreadTimer(QObject* owner = nullptr);

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    uint32_t Interval() const { return interval_; }
    void SetInterval(uint32_t value);
    const TTimerEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TTimerEvent value);

    // Restarts the ticks from the current settings; raises "No Timer" if they will not start.
    void UpdateTimer();
    void Timer();

  private:
    bool enabled_ = true;
    uint32_t interval_ = 1000;
    TTimerEvent onTimer_;
    TTicker ticker_;
};
