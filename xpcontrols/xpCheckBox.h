// TxpCheckBox: a self-drawn check box with a shaded 14 x 14 box, a green check mark,
// an orange ring under the pointer, a darker box while held down, and the dotted
// focus rectangle around its caption.
//
// A left release over it, the second press of a double click, the release of any key
// after Space went down, or its accelerator toggles Checked and then raises OnClick,
// which already sees the new value. Writing Checked raises nothing. It does not
// capture the mouse: a release outside leaves it held until the next release over it
// or key release.
#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Font.h"
#include "xpcontrols/Published.h"

// Which side the caption is on.
enum class TCheckBoxAlignment : std::uint8_t {
    cbaLeft = 0,  // caption left, box at the right edge
    cbaRight = 1, // caption right, box at the left edge
};

class TxpCheckBox : public TCustomControl {
public:
    // 97 x 17, caption "XP Checkbox", unchecked, box at the left, button-face
    // background, the toolkit's default font, a tab stop.
    explicit TxpCheckBox(QWidget* owner);
    ~TxpCheckBox() override;

    const std::string& Caption() const { return FCaption; }
    // Repaints at once when the text changes.
    void SetCaption(std::string caption);
    // The box's own font; later changes to it show at the next repaint.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    // Copies the font in and repaints at once.
    void SetFont(const TFont& font);
    void SetFont(const QFont& font, const QColor& color) { SetFont(TFont(font, TColor::FromQColor(color))); }
    // The background of the whole control; a change is painted by the event loop.
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool Checked() const { return FChecked; }
    // Repaints at once when the value changes; never raises OnClick.
    void SetChecked(bool checked);
    TCheckBoxAlignment Alignment() const { return FAlignment; }
    // Repaints at once when the value changes.
    void SetAlignment(TCheckBoxAlignment alignment);

    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // The user's click: inverts Checked, asks for a repaint, then raises OnClick.
    void Toggle();

    // The looks' inputs, for whoever needs to know what is on screen.
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    bool HasFocus() const { return FHasFocus; }

    std::vector<TPublishedProperty> PublishedProperties() const;

    bool DialogChar(char32_t character) override;

protected:
    void Paint() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DoubleClick(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    void FocusIn() override;
    void FocusOut() override;
    void Enter() override;
    void Exit() override;

private:
    void DrawBox();

    std::string FCaption;
    bool FHot = false;
    bool FChecked = false;
    bool FPressed = false;
    TFont FFont;
    bool FHasFocus = false;
    TCheckBoxAlignment FAlignment = TCheckBoxAlignment::cbaRight;
    TColor FColor = clBtnFace;
};
