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

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/Color.h"
#include "xpcontrols/XpControl.h"

// Which side the caption is on.
enum class TCheckBoxAlignment : std::uint8_t {
    cbaLeft = 0,  // caption left, box at the right edge
    cbaRight = 1, // caption right, box at the left edge
};

class TxpCheckBox : public TxpControl {
    Q_OBJECT
public:
    // 97 x 17, caption "XP Checkbox", unchecked, box at the left, button-face
    // background, the toolkit's default font, a tab stop.
    explicit TxpCheckBox(QWidget* owner);
    ~TxpCheckBox() override;

    // The background of the whole control; a change is painted by the event loop.
    TColor Color() const { return FColor; }
    void SetColor(TColor color);
    bool Checked() const { return FChecked; }
    // Repaints at once when the value changes; never raises OnClick.
    void SetChecked(bool checked);
    TCheckBoxAlignment Alignment() const { return FAlignment; }
    // Repaints at once when the value changes.
    void SetAlignment(TCheckBoxAlignment alignment);

    // The user's click: inverts Checked, asks for a repaint, then raises OnClick.
    void Toggle();
    void UserClick() override { Toggle(); }

    std::vector<TPublishedProperty> PublishedProperties() const;

protected:
    void Paint() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;
    // Takes the focus, then toggles.
    void AcceleratorTyped() override;

private:
    void DrawBox();

    bool FChecked = false;
    TCheckBoxAlignment FAlignment = TCheckBoxAlignment::cbaRight;
    TColor FColor = clBtnFace;
};
