#include "accessibility/Clickable.h"

#include <QMetaObject>
#include <QWidget>

TClickableAccessible::TClickableAccessible(QWidget* control, QAccessible::Role role, QString action)
    : QAccessibleWidget(control, role), action_(std::move(action))
{
}

QStringList TClickableAccessible::actionNames() const
{
    if (!widget()->isEnabled())
        return QAccessibleWidget::actionNames();
    return QStringList{action_} + QAccessibleWidget::actionNames();
}

void TClickableAccessible::doAction(const QString& action)
{
    if (action != action_ && action != pressAction()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    // A disabled control hears no mouse either.
    QWidget* control = widget();
    if (!control->isEnabled())
        return;
    // Queued, so that a click that opens a box does not keep the screen reader waiting.
    // The interface is looked up again then: only the control is sure to live that long.
    QMetaObject::invokeMethod(
        control,
        [control] {
            auto* self = dynamic_cast<TClickableAccessible*>(QAccessible::queryAccessibleInterface(control));
            if (self && control->isEnabled())
                self->Click();
        },
        Qt::QueuedConnection);
}
