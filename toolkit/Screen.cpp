#include "toolkit/Screen.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

QWidget* ScrolledToFitScreen(QWidget* contents, QSize around)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return contents;
    // The frame is not known before the window manager frames the window: room for the
    // usual borders and title bar.
    const QSize frame(16, 40);
    const QSize room = screen->availableGeometry().size() - around - frame;
    const QSize wanted = contents->size();
    if (wanted.width() <= room.width() && wanted.height() <= room.height())
        return contents;
    auto* scrolled = new QScrollArea;
    scrolled->setFrameShape(QFrame::NoFrame);
    // Scrolled by its bars and by the focus moving through its controls; it is no stop
    // of its own for Tab.
    scrolled->setFocusPolicy(Qt::NoFocus);
    scrolled->setWidget(contents);
    // A scroll bar along one side takes room from the other.
    const int barHeight = scrolled->horizontalScrollBar()->sizeHint().height();
    const bool across = wanted.width() > room.width();
    const bool down = wanted.height() + (across ? barHeight : 0) > room.height();
    const QSize bars(down ? scrolled->verticalScrollBar()->sizeHint().width() : 0, across ? barHeight : 0);
    scrolled->setFixedSize((wanted + bars).boundedTo(room));
    return scrolled;
}
