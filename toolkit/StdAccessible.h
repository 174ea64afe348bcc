// Screen readers meet the toolkit's windows and standard controls as a desktop user
// expects them, where Qt's defaults for the plain widgets underneath fall short:
//   - a form is a frame (a window), whose title change is announced, shown or hidden;
//   - a panel is a panel; bevels and the controls marked as decoration are left out;
//   - a drop-down list is named by the name the window gives it, its text its value;
//   - a label marked as a link is a link whose action clicks it.
#pragma once

#include <QAccessibleWidget>
#include <functional>

class QWidget;

// A control that a screen reader clicks through one action (Press, or Toggle for a
// check box, which answers to Press as well): offered while the control is enabled,
// it schedules Click and returns at once. Click then runs from the event loop through
// the application's catch point, as the mouse's click runs, unless the control has
// been disabled or destroyed meanwhile.
class TClickableAccessible : public QAccessibleWidget {
public:
    TClickableAccessible(QWidget* control, QAccessible::Role role, QString action);

    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    virtual void Click() = 0;
    const QString& ClickAction() const { return action_; }

private:
    QString action_;
};

// Call once the application object exists and before any window is made; calling
// again changes nothing.
void InstallStdAccessibility();

// Leaves a purely decorative control (a bevel, a background picture) out of what
// screen readers read.
void MarkAsDecoration(QWidget* control);

// Exposes a label whose click opens something as a link.
void MarkAsLink(QWidget* label);

// Runs `work`, a control's own handling of receiving or losing the focus, without
// telling a screen reader of the caret moves and selections it, or a part of it (a
// list's text field), makes. Qt reports those before the focus itself, so a screen
// reader would move there silently and never name the control; the focus report that
// follows carries the caret and the selection.
void WithoutCaretEvents(QWidget* control, const std::function<void()>& work);

// Runs `work`, which rewrites many texts at once, telling a screen reader only of the
// focused control's changes and of the windows' titles. Of every other control nothing
// is told (its texts, caret, selection, value, name or description): the screen reader
// reads it afresh when it comes to it, by the focus, by exploring or as its window is
// shown. A rewrite of a list's items would otherwise send several events per item, a
// language switch one per control, and a screen reader that falls that far behind
// drops what it was about to say.
void AsOneChange(const std::function<void()>& work);

// Tells a screen reader a short text without moving its focus, as a notification of
// the window that holds `control` (an object nobody sees). Texts announced while one
// handler runs are spoken together, in order, once the handler returns.
void Announce(QWidget* control, const QString& text);
