#include <QAccessibleWidget>

#include "accessibility/Interfaces.h"

namespace {

class TContainerAccessible : public QAccessibleWidget {
public:
    TContainerAccessible(QWidget* container, QAccessible::Role role) : QAccessibleWidget(container, role) {}

    int childCount() const override { return static_cast<int>(Kept().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QAccessibleInterface*> kept = Kept();
        return index >= 0 && index < kept.size() ? kept[index] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return static_cast<int>(Kept().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> Kept() const
    {
        QList<QAccessibleInterface*> kept;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* child = QAccessibleWidget::child(i);
            if (child && !IsDecoration(child->object()))
                kept.append(child);
        }
        return kept;
    }
};

} // namespace

QAccessibleInterface* ContainerInterface(QWidget* container, QAccessible::Role role)
{
    return new TContainerAccessible(container, role);
}
