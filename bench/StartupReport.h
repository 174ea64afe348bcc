// The end of a start-up measurement: once a window has been painted for the first
// time (it and every child in the same pass), print the monotonic clock and quit.
// The runner (startup.cpp) reads that line and compares it with when it started us.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(QWidget* window) : QObject(window)
    {
        window->installEventFilter(this);
        // A window that never paints must not hang the measurement.
        QTimer::singleShot(30000, this, [] {
            std::fprintf(stderr, "no painted window within 30 s\n");
            QCoreApplication::exit(1);
        });
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The window's own paint comes first in a pass; a zero timer runs once the
        // whole pass, children included, is on the backing store.
        if (!seen_ && event->type() == QEvent::Paint) {
            seen_ = true;
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("painted_ns=%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};
