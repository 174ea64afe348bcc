#include "xpcontrols/XpAccessible.h"

#include <QAccessibleWidget>
#include <string>

#include "toolkit/Application.h"
#include "toolkit/ImageAccessible.h"
#include "xpcontrols/Caption.h"
#include "xpcontrols/xpButton.h"
#include "xpcontrols/xpCheckBox.h"

namespace {

// The accessible name: one the window gave the control, or else what its caption shows.
QString NameOf(const QWidget& control, const std::string& caption)
{
    if (!control.accessibleName().isEmpty())
        return control.accessibleName();
    return QString::fromStdString(DisplayText(caption));
}

// "Alt+S" for "&Start": the character after the last single "&", as the controls
// read their accelerator; empty when there is none.
QString AcceleratorOf(const std::string& caption)
{
    const QString text = QString::fromStdString(caption);
    QString key;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (i + 1 < text.size() && text[i + 1] == u'&') {
            ++i;
            continue;
        }
        key = i + 1 < text.size() ? text.mid(i + 1, 1).toUpper() : QString();
    }
    return key.isEmpty() ? QString() : QStringLiteral("Alt+") + key;
}

class TxpButtonAccessible : public QAccessibleWidget {
public:
    explicit TxpButtonAccessible(TxpButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return NameOf(Button(), Button().Caption());
        if (t == QAccessible::Accelerator)
            return AcceleratorOf(Button().Caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = Button().Pressed();
        s.hotTracked = Button().Hot();
        s.defaultButton = Button().Default();
        return s;
    }

    QStringList actionNames() const override
    {
        if (!widget()->isEnabled())
            return QAccessibleWidget::actionNames();
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // A disabled button hears no mouse either.
        if (!widget()->isEnabled())
            return;
        TxpButton* button = &Button();
        Guarded(button, [button] { button->Click(); });
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString accelerator = AcceleratorOf(Button().Caption());
        if (action == pressAction() && !accelerator.isEmpty())
            return {accelerator};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    TxpButton& Button() const { return static_cast<TxpButton&>(*widget()); }
};

class TxpCheckBoxAccessible : public QAccessibleWidget {
public:
    explicit TxpCheckBoxAccessible(TxpCheckBox* box) : QAccessibleWidget(box, QAccessible::CheckBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return NameOf(Box(), Box().Caption());
        if (t == QAccessible::Accelerator)
            return AcceleratorOf(Box().Caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = Box().Checked();
        s.pressed = Box().Pressed();
        s.hotTracked = Box().Hot();
        return s;
    }

    QStringList actionNames() const override
    {
        if (!widget()->isEnabled())
            return QAccessibleWidget::actionNames();
        return QStringList{toggleAction()} + QAccessibleWidget::actionNames();
    }

    // Pressing a check box is clicking it, so both names toggle.
    void doAction(const QString& action) override
    {
        if (action != toggleAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (!widget()->isEnabled())
            return;
        TxpCheckBox* box = &Box();
        Guarded(box, [box] { box->Toggle(); });
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString accelerator = AcceleratorOf(Box().Caption());
        if (action == toggleAction() && !accelerator.isEmpty())
            return {accelerator};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    TxpCheckBox& Box() const { return static_cast<TxpCheckBox&>(*widget()); }
};

QAccessibleInterface* XpFactory(const QString&, QObject* object)
{
    // The controls have no meta-object of their own, so the class name cannot tell them apart.
    if (auto* button = dynamic_cast<TxpButton*>(object))
        return new TxpButtonAccessible(button);
    if (auto* box = dynamic_cast<TxpCheckBox*>(object))
        return new TxpCheckBoxAccessible(box);
    return nullptr;
}

} // namespace

void InstallXpAccessibility()
{
    InstallImageAccessibility();
    static const bool installed = (QAccessible::installFactory(XpFactory), true);
    (void)installed;
}

void NotifyAccessibleNameChanged(QWidget* control)
{
    // Nothing to tell while no screen reader listens; asking would make interfaces for nothing.
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(control, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

void NotifyAccessibleCheckedChanged(QWidget* control)
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}
