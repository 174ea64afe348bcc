// Feeding real Qt input events to a control and reading back what it painted.
#pragma once

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <cstdint>

namespace driving {

inline std::uint32_t Rgb(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

inline QImage Render(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Sent as Qt delivers it: a release after a press goes to the pressed widget even
// when the pointer is outside it.
inline void Mouse(QWidget& widget, QEvent::Type type, Qt::MouseButton button, QPoint at = {5, 5})
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(widget.mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void Press(QWidget& widget, QPoint at = {5, 5})
{
    Mouse(widget, QEvent::MouseButtonPress, Qt::LeftButton, at);
}

inline void Release(QWidget& widget, QPoint at = {5, 5})
{
    Mouse(widget, QEvent::MouseButtonRelease, Qt::LeftButton, at);
}

inline void Click(QWidget& widget)
{
    Press(widget);
    Release(widget);
}

// Press, release, then the double-click press and its release.
inline void DoubleClick(QWidget& widget)
{
    Click(widget);
    Mouse(widget, QEvent::MouseButtonDblClick, Qt::LeftButton);
    Release(widget);
}

inline void Hover(QWidget& widget, bool inside)
{
    if (inside) {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(widget.mapToGlobal(QPoint(5, 5))));
        QApplication::sendEvent(&widget, &event);
    } else {
        QEvent event(QEvent::Leave);
        QApplication::sendEvent(&widget, &event);
    }
}

// Delivered like typing: to the widget, and on to its parents when not accepted.
inline bool Key(QWidget& widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                const QString& text = {}, bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(&widget, &event);
    return event.isAccepted();
}

inline void KeyDown(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = {})
{
    Key(widget, QEvent::KeyPress, key, modifiers, text);
}

inline void KeyUp(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  const QString& text = {})
{
    Key(widget, QEvent::KeyRelease, key, modifiers, text);
}

// Runs posted events, invalidated controls' paints among them.
inline void Flush()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

} // namespace driving
