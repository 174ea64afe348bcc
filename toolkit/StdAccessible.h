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
// telling a screen reader of the caret moves and selections it or its parts (a list's
// text field) make. Qt reports those
// before the focus itself, so a screen reader would move there silently and never name
// the control; the focus report that follows carries the caret and the selection.
void WithoutCaretEvents(QWidget* control, const std::function<void()>& work);

// Runs `work`, which rewrites many texts at once, and tells a screen reader of it once
// per control: each name or description that changed, once, after the work; nothing of
// the texts, carets, selections and values of the controls without the focus, which a
// screen reader reads afresh when it comes to them. A rewrite of a list's items would
// otherwise send several events per item, and a screen reader that falls that far
// behind drops what it was about to say. A text rewritten to what it was is no change.
// A control that is not showing (in a hidden window, or hidden itself) is told of its
// changes when it is next shown, before the screen reader hears of the showing; a
// window is told of its own title at once, shown or hidden.
void AsOneChange(const std::function<void()>& work);

// Tells a screen reader a short text without moving its focus, as a notification of
// the window that holds `control` (an object nobody sees). Texts announced while one
// handler runs are spoken together, in order, once the handler returns.
void Announce(QWidget* control, const QString& text);
