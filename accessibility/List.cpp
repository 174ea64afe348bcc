#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>

#include "accessibility/Interfaces.h"

namespace {

// Qt 6.4 names a list on X11 after its text; here the window's name for it wins and the
// text is its value, so two lists holding the same object can be told apart.
class TComboBoxAccessible : public QAccessibleWidget {
public:
    explicit TComboBoxAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && !List().accessibleName().isEmpty())
            return List().accessibleName();
        if (t == QAccessible::Name || t == QAccessible::Value)
            return List().currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = List().view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (List().view()->isVisible())
            List().hidePopup();
        else
            List().showPopup();
    }

private:
    QComboBox& List() const { return static_cast<QComboBox&>(*widget()); }
};

} // namespace

QAccessibleInterface* ListInterface(QComboBox* list)
{
    return new TComboBoxAccessible(list);
}
