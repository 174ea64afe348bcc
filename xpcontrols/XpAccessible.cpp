#include "xpcontrols/XpAccessible.h"

#include <optional>
#include <string>
#include <utility>

#include "accessibility/Clickable.h"
#include "accessibility/Install.h"
#include "toolkit/Application.h"
#include "toolkit/Utf8.h"
#include "xpcontrols/Caption.h"
#include "xpcontrols/XpButton.h"
#include "xpcontrols/XpCheckBox.h"

namespace {

// The accessible name: one the window gave the control, or else what its caption shows.
QString NameOf(const QWidget& control, const std::string& caption)
{
    if (!control.accessibleName().isEmpty())
        return control.accessibleName();
    return ToQString(DisplayText(caption));
}

// "Alt+S" for "&Start"; empty when the caption has no accelerator.
QString AcceleratorOf(const std::string& caption)
{
    const std::optional<char32_t> key = Accelerator(caption);
    if (!key)
        return {};
    return QStringLiteral("Alt+") + QString::fromUcs4(&*key, 1).toUpper();
}

// Adds what only one kind of control tells: a default button, a checked box.
using TExtraState = void (*)(const TxpControl& control, QAccessible::State& state);

// An XP-look control as a screen reader meets it: named after its caption, its
// accelerator bound to its one action, which runs the user's click.
class TxpControlAccessible : public TClickableAccessible {
public:
    TxpControlAccessible(TxpControl* control, QAccessible::Role role, QString action, TExtraState extraState)
        : TClickableAccessible(control, role, std::move(action)), FExtraState(extraState)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return NameOf(Control(), Control().Caption());
        if (t == QAccessible::Accelerator)
            return AcceleratorOf(Control().Caption());
        return TClickableAccessible::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TClickableAccessible::state();
        s.pressed = Control().Pressed();
        s.hotTracked = Control().Hot();
        FExtraState(Control(), s);
        return s;
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QString accelerator = AcceleratorOf(Control().Caption());
        if (action == ClickAction() && !accelerator.isEmpty())
            return {accelerator};
        return TClickableAccessible::keyBindingsForAction(action);
    }

protected:
    void Click() override
    {
        Guarded(&Control(), [this] { Control().UserClick(); });
    }

private:
    TxpControl& Control() const { return static_cast<TxpControl&>(*widget()); }

    TExtraState FExtraState;
};

QAccessibleInterface* XpFactory(const QString&, QObject* object)
{
    if (auto* button = qobject_cast<TxpButton*>(object))
        return new TxpControlAccessible(button, QAccessible::Button, QAccessibleActionInterface::pressAction(),
                                        [](const TxpControl& control, QAccessible::State& s) {
                                            s.defaultButton = static_cast<const TxpButton&>(control).Default();
                                        });
    if (auto* box = qobject_cast<TxpCheckBox*>(object))
        return new TxpControlAccessible(box, QAccessible::CheckBox, QAccessibleActionInterface::toggleAction(),
                                        [](const TxpControl& control, QAccessible::State& s) {
                                            s.checkable = true;
                                            s.checked = static_cast<const TxpCheckBox&>(control).Checked();
                                        });
    return nullptr;
}

} // namespace

void InstallXpAccessibility()
{
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
