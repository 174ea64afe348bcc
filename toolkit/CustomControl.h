// TCustomControl: a focusable child window that paints itself completely through its
// TCanvas and hears mouse, keyboard and focus as the classic desktop reports them.
//
// Every notification runs through the application's catch point, so nothing a
// control or its event handlers raise ever reaches Qt. What Qt does differently from
// the desktop the controls were written for is evened out here:
//   - a left release is reported only over the control: Qt grabs the mouse on a press
//     and delivers releases outside too, which the desktop would send elsewhere;
//   - the pointer leaving or re-entering while a button is held is reported at once,
//     not only after the release;
//   - the pointer no longer over the control is reported as leaving it, also where
//     Qt sends no leave, as after a modal box closes;
//   - the second press of a double click arrives as DoubleClick instead of MouseDown;
//   - a held key gives one KeyDown and one KeyUp, whatever repeats the platform
//     reports (HeldKey.h);
//   - Enter/Exit (becoming or ceasing to be the window's active control) are told
//     apart from focus moving because the whole window was activated or deactivated.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Canvas.h"
#include "toolkit/HeldKey.h"

// A control's event handler, given the control that raised it.
using TNotifyEvent = std::function<void(QObject* sender)>;
using TShiftState = Qt::KeyboardModifiers;
// The sender, the key's virtual-key code (set it to 0 to swallow the key) and the
// modifier keys held.
using TKeyEvent = std::function<void(QObject* sender, std::uint16_t& key, TShiftState shift)>;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// Virtual-key codes of the keys the controls react to.
namespace VirtualKey {
inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;
} // namespace VirtualKey

class QKeyEvent;

// The desktop's virtual-key code for a Qt key: letters and digits as their capitals
// and digits, Enter 13, Escape 27, Space 32, arrows 37-40, F1 112, ...; 255 for a
// key without one.
std::uint16_t VirtualKeyOf(const QKeyEvent& event);

class TCustomControl : public QWidget {
    Q_OBJECT
public:
    explicit TCustomControl(QWidget* parent);
    ~TCustomControl() override;

    TCanvas& Canvas() { return canvas_; }

    // The control's own flag (setEnabled), which a control on a disabled parent keeps
    // while it gets no input. Disabling the focused control leaves the focus with its
    // window: Qt would push it into the next control, where a typed key would edit a
    // list or a field.
    bool Enabled() const;

    // Whether Tab stops at the control. It can still take the focus when asked.
    bool TabStop() const;
    void SetTabStop(bool tabStop);
    // Position among the parent's tab stops in the Tab sequence; -1 when not a tab stop.
    int TabOrder() const;
    // Moves the control to that position among the parent's tab stops (clamped).
    void MoveInTabOrder(int position);

    // While true the control's font follows its parent's.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    // The tooltip, shown only while ShowHint is true.
    const std::string& Hint() const { return hint_; }
    void SetHint(std::string hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);

    // Enter or Escape that the focused control did not take, offered by the form.
    // Returns true to stop the form offering it to further controls.
    virtual bool DialogKey(std::uint16_t key, TShiftState shift);
    // An Alt+character accelerator, offered by the form to its controls.
    virtual bool DialogChar(char32_t character);

protected:
    // Draws the whole control on Canvas(); the background is already erased in the
    // parent's colour.
    virtual void Paint();

    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    // Only for releases over the control.
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // The second press of a double click.
    virtual void DoubleClick(TMouseButton button, TShiftState shift, int x, int y);
    // A key not swallowed (key left non-zero) goes on to the parent, and so to the form.
    virtual void KeyDown(std::uint16_t& key, TShiftState shift);
    virtual void KeyUp(std::uint16_t& key, TShiftState shift);
    virtual void FocusIn();
    virtual void FocusOut();
    virtual void Enter();
    virtual void Exit();

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void SetUnderMouse(bool underMouse);

    TCanvas canvas_;
    THeldKey heldKey_;
    bool underMouse_ = false;
    bool activeControl_ = false;
    bool parentFont_ = true;
    bool showHint_ = false;
    std::string hint_;
};
