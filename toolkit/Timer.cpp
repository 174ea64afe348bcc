#include "toolkit/Timer.h"

TTimer::TTimer(QObject* parent) : QObject(parent)
{
    // A coarse timer would let the pictures stutter; ticks must come evenly.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(1000);
    connect(&timer_, &QTimer::timeout, this, &TTimer::timeout);
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == timer_.isActive())
        return;
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

void TTimer::SetInterval(int milliseconds)
{
    if (milliseconds == timer_.interval())
        return;
    timer_.setInterval(milliseconds);
}
