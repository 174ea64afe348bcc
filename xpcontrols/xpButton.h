// TxpButton: a self-drawn push button with a blue-grey rounded frame, a light vertical
// gradient face, an orange inner frame under the pointer, a reversed face and a caption
// shifted one pixel while held down, and the dotted focus rectangle.
//
// It raises OnClick on a left release over it, on the second press of a double click,
// on the release of any key after Enter or Space went down, on its accelerator
// (Alt + the character after "&") and, as Default or Cancel button, on Enter or
// Escape that the focused control lets through. It does not capture the mouse: a
// release outside leaves it held until the next release over it or key release.
#pragma once

#include <QColor>
#include <QFont>
#include <string>
#include <vector>

#include "toolkit/CustomControl.h"
#include "toolkit/Font.h"
#include "xpcontrols/Published.h"

class TxpButton : public TCustomControl {
public:
    // 75 x 25, caption "XP Button", the toolkit's default font, a tab stop.
    explicit TxpButton(QWidget* owner);
    ~TxpButton() override;

    const std::string& Caption() const { return FCaption; }
    // Repaints at once when the text changes.
    void SetCaption(std::string caption);
    // The button's own font; later changes to it show at the next repaint.
    TFont& Font() { return FFont; }
    const TFont& Font() const { return FFont; }
    // Copies the font in and repaints at once.
    void SetFont(const TFont& font);
    void SetFont(const QFont& font, const QColor& color) { SetFont(TFont(font, TColor::FromQColor(color))); }
    bool Cancel() const { return FCancel; }
    void SetCancel(bool cancel) { FCancel = cancel; }
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault) { FDefault = isDefault; }
    // Given to the owning form by Click when not 0.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int modalResult) { FModalResult = modalResult; }

    TNotifyEvent OnClick;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    // Raised for every key the button hears, after its own handling.
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;

    // OnClick, then the modal result to the owning form.
    void Click();

    // The looks' inputs, for whoever needs to know what is on screen.
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    bool HasFocus() const { return FHasFocus; }

    std::vector<TPublishedProperty> PublishedProperties() const;

    bool DialogKey(std::uint16_t key, TShiftState shift) override;
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
    void PaintEnabled(int textX, int textY);
    void PaintDisabled(int textX, int textY);
    void PaintAcceleratorUnderline(int textX, int textY, int textHeight, TColor color);

    std::string FCaption;
    bool FHot = false;
    bool FPressed = false;
    TFont FFont;
    bool FHasFocus = false;
    int FModalResult = 0;
    bool FCancel = false;
    bool FDefault = false;
};
