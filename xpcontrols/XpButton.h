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

#include <string>
#include <vector>

#include "xpcontrols/XpControl.h"

class TxpButton : public TxpControl {
    Q_OBJECT
public:
    // 75 x 25, caption "XP Button", the toolkit's default font, a tab stop.
    explicit TxpButton(QWidget* owner);
    ~TxpButton() override;

    bool Cancel() const { return FCancel; }
    void SetCancel(bool cancel) { FCancel = cancel; }
    bool Default() const { return FDefault; }
    void SetDefault(bool isDefault) { FDefault = isDefault; }
    // Given to the owning form by Click when not 0.
    int ModalResult() const { return FModalResult; }
    void SetModalResult(int modalResult) { FModalResult = modalResult; }

    // Raised for every key the button hears, after its own handling.
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;

    // OnClick, then the modal result to the owning form.
    void Click();
    void UserClick() override { Click(); }

    std::vector<TPublishedProperty> PublishedProperties() const;

    bool DialogKey(std::uint16_t key, TShiftState shift) override;

protected:
    void Paint() override;
    void KeyDown(std::uint16_t& key, TShiftState shift) override;
    void KeyUp(std::uint16_t& key, TShiftState shift) override;

private:
    void PaintEnabled(int textX, int textY);
    void PaintDisabled(int textX, int textY);
    void PaintAcceleratorUnderline(int textX, int textY, int textHeight, TColor color);

    int FModalResult = 0;
    bool FCancel = false;
    bool FDefault = false;
};
