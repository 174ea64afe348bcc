#include "toolkit/Screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

void PlaceFrame(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QRect frame(QPoint(0, 0), window->frameGeometry().size());
    frame.moveCenter(area.center());
    // A top-level window's position is its frame's.
    window->move(std::max(frame.left(), area.left()), std::max(frame.top(), area.top()));
}

// Places the window again once its frame is known, then goes.
class PlaceWhenFramed : public QObject {
public:
    explicit PlaceWhenFramed(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Move && window->frameGeometry().size() != window->size()) {
            window->removeEventFilter(this);
            PlaceFrame(window);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void CentreOnScreen(QWidget* window)
{
    window->adjustSize();
    PlaceFrame(window);
    new PlaceWhenFramed(window);
}
