#include "accessibility/QuietEvents.h"

#include <QAccessible>
#include <QApplication>
#include <QWidget>

namespace {

// Two kinds of event are kept from the screen reader: the caret and selection events of
// a control while it takes or leaves the focus, and, while many texts are rewritten at
// once, the changes of every control without the focus. Every other event goes on as
// Qt would send it.
QObject* quietedControl = nullptr;
bool gathering = false;
int filterUsers = 0;
QAccessible::UpdateHandler previousHandler = nullptr;

// Whether object is control or one of its parts (a list's text field).
bool IsPartOf(const QObject* object, const QObject* control)
{
    for (; object; object = object->parent())
        if (object == control)
            return true;
    return false;
}

bool IsCaretEvent(QAccessible::Event type)
{
    return type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged;
}

bool IsContentEvent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::TextAttributeChanged:
    case QAccessible::ValueChanged:
    case QAccessible::Selection:
    case QAccessible::SelectionAdd:
    case QAccessible::SelectionRemove:
    case QAccessible::SelectionWithin:
        return true;
    default:
        return false;
    }
}

void FilterEvents(QAccessibleEvent* event);

void PassOn(QAccessibleEvent* event)
{
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // Qt's own path to the screen reader is the one taken without a handler: Qt 6.4 keeps
    // one update handler for the whole program and gives no other way to filter events.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(FilterEvents);
}

void FilterEvents(QAccessibleEvent* event)
{
    const QAccessible::Event type = event->type();
    QObject* object = event->object();
    if (IsCaretEvent(type) && quietedControl && IsPartOf(object, quietedControl))
        return;
    // Qt 6.4 has applied a table's change to its own records before the handler runs, and
    // passing it on would apply it twice. The filter is in place only while an edit
    // takes the focus or texts are rewritten in place, when no table gains or loses rows.
    if (type == QAccessible::TableModelChanged)
        return;
    if (gathering && object && object != QApplication::focusWidget()) {
        if (IsContentEvent(type))
            return;
        // A window's title is told, shown or hidden; a control's name and description
        // are read afresh when the screen reader comes to it.
        const bool window = object->isWidgetType() && static_cast<QWidget*>(object)->isWindow();
        if ((type == QAccessible::NameChanged || type == QAccessible::DescriptionChanged) && !window)
            return;
    }
    PassOn(event);
}

// Runs work with the filter in place; scopes may nest.
void Filtered(const std::function<void()>& work)
{
    if (filterUsers++ == 0)
        previousHandler = QAccessible::installUpdateHandler(FilterEvents);
    work();
    if (--filterUsers == 0) {
        QAccessible::installUpdateHandler(previousHandler);
        previousHandler = nullptr;
    }
}

} // namespace

void WithoutCaretEvents(QWidget* control, const std::function<void()>& work)
{
    if (!QAccessible::isActive() || quietedControl) {
        work();
        return;
    }
    quietedControl = control;
    Filtered(work);
    quietedControl = nullptr;
}

void AsOneChange(const std::function<void()>& work)
{
    if (!QAccessible::isActive() || gathering) {
        work();
        return;
    }
    gathering = true;
    Filtered(work);
    gathering = false;
}
