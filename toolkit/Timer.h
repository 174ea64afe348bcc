// A timer (1000 ms unless given another interval) whose ticks run through the
// application's catch point.
#pragma once

#include <QObject>
#include <QTimer>

#include "toolkit/StdControls.h"

class TTimer : public QObject {
public:
    explicit TTimer(QObject* parent);

    bool Enabled() const { return timer_.isActive(); }
    // Enabling an enabled timer changes nothing; in particular its rhythm is kept.
    void SetEnabled(bool enabled);
    int Interval() const { return timer_.interval(); }
    void SetInterval(int milliseconds);

    TNotifyEvent OnTimer;

private:
    QTimer timer_;
};
