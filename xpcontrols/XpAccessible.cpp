#include "xpcontrols/XpAccessible.h"

#include <optional>
#include <string>

#include "toolkit/Application.h"
#include "toolkit/ImageAccessible.h"
#include "toolkit/StdAccessible.h"
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

// "Alt+S" for "&Start"; empty when the caption has no accelerator.
QString AcceleratorOf(const std::string& caption)
{
    const std::optional<char32_t> key = Accelerator(caption);
    if (!key)
        return {};
    return QStringLiteral("Alt+") + QString::fromUcs4(&*key, 1).toUpper();
}

class TxpButtonAccessible : public TClickableAccessible {
public:
    explicit TxpButtonAccessible(TxpButton* button) : TClickableAccessible(button, QAccessible::Button, pressAction())
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return NameOf(Button(), Button().Caption());
        if (t == QAccessible::Accelerator)
            return AcceleratorOf(Button().Caption());
        return TClickableAccessible::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TClickableAccessible::state();
        s.pressed = Button().Pressed();
        s.hotTracked = Button().Hot();
        s.defaultButton = Button().Default();
        return s;
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString accelerator = AcceleratorOf(Button().Caption());
        if (action == pressAction() && !accelerator.isEmpty())
            return {accelerator};
        return TClickableAccessible::keyBindingsForAction(action);
    }

protected:
    void Click() override { Button().Click(); }

private:
    TxpButton& Button() const { return static_cast<TxpButton&>(*widget()); }
};

class TxpCheckBoxAccessible : public TClickableAccessible {
public:
    explicit TxpCheckBoxAccessible(TxpCheckBox* box) : TClickableAccessible(box, QAccessible::CheckBox, toggleAction())
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return NameOf(Box(), Box().Caption());
        if (t == QAccessible::Accelerator)
            return AcceleratorOf(Box().Caption());
        return TClickableAccessible::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TClickableAccessible::state();
        s.checkable = true;
        s.checked = Box().Checked();
        s.pressed = Box().Pressed();
        s.hotTracked = Box().Hot();
        return s;
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString accelerator = AcceleratorOf(Box().Caption());
        if (action == toggleAction() && !accelerator.isEmpty())
            return {accelerator};
        return TClickableAccessible::keyBindingsForAction(action);
    }

protected:
    void Click() override { Box().Toggle(); }

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
    InstallStdAccessibility();
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
