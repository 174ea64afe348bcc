// A timer: timeout() every 1000 ms unless given another interval, evenly, while enabled.
#pragma once

#include <QObject>
#include <QTimer>

class TTimer : public QObject {
    Q_OBJECT
public:
    explicit TTimer(QObject* parent);

    bool Enabled() const { return timer_.isActive(); }
    // Enabling an enabled timer changes nothing; in particular its rhythm is kept.
    void SetEnabled(bool enabled);
    int Interval() const { return timer_.interval(); }
    void SetInterval(int milliseconds);

signals:
    void timeout();

private:
    QTimer timer_;
};
