// TxpControl: what the XP-look push button and check box share. Each has its own
// caption and font, which the base control's text, font and ParentFont do not reach;
// the pointer-over, held-down and focus flags its looks are painted from; the left
// mouse button and the double click, which end in the control's click; the
// accelerator; the enter and exit events; and the order of its published properties.
//
// The two differ in how the pointer's changes show: the button repaints at once when
// the pointer enters, leaves, presses or releases, the check box only invalidates.
// Focus and key changes invalidate in both. Neither control captures the mouse: a
// release outside leaves it held until the next release over it or key release.
#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/CustomControl.h"
#include "toolkit/Font.h"
#include "xpcontrols/Published.h"

// How a control shows a change of its looks.
enum class TRepaint : std::uint8_t {
    AtOnce,     // painted before the notification returns
    Invalidate, // painted when the event loop next processes paint requests
};

class TxpControl : public TCustomControl {
    Q_OBJECT
public:
    ~TxpControl() override;

    const std::string& Caption() const { return FCaption; }
    // Repaints at once when the text changes.
    void SetCaption(std::string caption);
    // The control's own font; later changes to it show at the next repaint.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    // Copies the font in and repaints at once.
    void SetFont(const TFont& font);
    void SetFont(const QFont& font, const QColor& color) { SetFont(TFont(font, TColor::FromQColor(color))); }

    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The user's click, as the mouse and the keyboard complete it: the button's Click,
    // the check box's Toggle.
    virtual void UserClick() = 0;

    // The looks' inputs, for whoever needs to know what is on screen.
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    bool ShowsFocus() const { return FHasFocus; }

    // An enabled control answers its accelerator with AcceleratorTyped, and leaves the
    // character unclaimed either way, so the other controls hear it too.
    bool DialogChar(char32_t character) override;

protected:
    // A tab stop of the given size and caption, with the toolkit's default font.
    TxpControl(QWidget* owner, std::string caption, int width, int height, TRepaint pointerRepaint);

    // The published properties in their order: Caption, Font, Enabled, ParentFont,
    // Hint, ShowHint, TabOrder and TabStop; the control's own; OnClick, OnEnter and
    // OnExit; then the control's own events.
    std::vector<TPublishedProperty> Published(std::vector<TPublishedProperty> own,
                                              std::vector<TPublishedProperty> ownEvents = {}) const;

    // What the accelerator does: UserClick.
    virtual void AcceleratorTyped();

    // Held down by a key (invalidated) unless already held.
    void PressByKey();
    // When held: released (invalidated), then UserClick.
    void ReleaseByKey();

    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoubleClick(TMouseButton button, TShiftState shift, int x, int y) override;
    void FocusIn() override;
    void FocusOut() override;
    void Enter() override;
    void Exit() override;

private:
    void ShowLooks(TRepaint how);
    // Sets one of the looks' flags and, when it changed, shows that as asked.
    void SetLook(bool& flag, bool value, TRepaint repaint);

    std::string FCaption;
    bool FHot = false;
    bool FPressed = false;
    TFont FFont;
    bool FHasFocus = false;
    TRepaint FPointerRepaint;
};
