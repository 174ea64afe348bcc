// A control that a screen reader clicks through one action (Press, or Toggle for a
// check box, which answers to Press as well): offered while the control is enabled,
// it schedules Click and returns at once. Click then runs from the event loop, as the
// mouse's click runs, unless the control has been disabled or destroyed meanwhile.
#pragma once

#include <QAccessibleWidget>

class TClickableAccessible : public QAccessibleWidget {
public:
    TClickableAccessible(QWidget* control, QAccessible::Role role, QString action);

    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    // Runs from the event loop: an error must not escape it into Qt (the toolkit's
    // controls run their handlers through the application's catch point).
    virtual void Click() = 0;
    const QString& ClickAction() const { return action_; }

private:
    QString action_;
};
