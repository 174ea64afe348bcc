#include "xpcontrols/XpCheckBox.h"

#include "xpcontrols/Caption.h"
#include "xpcontrols/XpDrawing.h"
#include "xpcontrols/XpAccessible.h"

namespace {

// The enabled box's face: a gradient from its top row to its bottom.
struct TBoxFace {
    TColor Top;
    TColor Bottom;
};
constexpr TBoxFace PressedFace{TColor::FromHex(0xB0B0A7), TColor::FromHex(0xF1EFDF)};
constexpr TBoxFace HotFace{TColor::FromHex(0xFFF0CF), TColor::FromHex(0xF8B330)};
constexpr TBoxFace NormalFace{TColor::FromHex(0xDCDCD7), TColor::FromHex(0xFFFFFF)};
constexpr std::uint8_t BoxSteps = 10;

// A colour of the enabled look and the one the disabled look uses instead.
struct TLookColor {
    TColor Enabled;
    TColor Disabled;
    constexpr TColor For(bool enabled) const { return enabled ? Enabled : Disabled; }
};
constexpr TLookColor Frame{TColor::FromHex(0x1C5180), TColor::FromHex(0x808080)};
constexpr TLookColor CheckMark{TColor::FromHex(0x00A000), TColor::FromHex(0xC0C0C0)};
constexpr TColor DisabledFace = TColor::FromHex(0xFFFFFF);
constexpr TColor DisabledText = TColor::FromHex(0x808080);

} // namespace

TxpCheckBox::TxpCheckBox(QWidget* owner) : TxpControl(owner, "XP Checkbox", 97, 17, TRepaint::Invalidate)
{
}

TxpCheckBox::~TxpCheckBox() = default;

void TxpCheckBox::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    update();
}

void TxpCheckBox::SetChecked(bool checked)
{
    if (checked == FChecked)
        return;
    FChecked = checked;
    repaint();
    NotifyAccessibleCheckedChanged(this);
}

void TxpCheckBox::SetAlignment(TCheckBoxAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    repaint();
}

void TxpCheckBox::Toggle()
{
    FChecked = !FChecked;
    update();
    NotifyAccessibleCheckedChanged(this);
    if (OnClick)
        OnClick(this);
}

std::vector<TPublishedProperty> TxpCheckBox::PublishedProperties() const
{
    return Published({
        {"Color", ColorText(FColor), std::nullopt},
        {"Checked", BoolText(FChecked), "False"},
        {"Alignment", FAlignment == TCheckBoxAlignment::cbaLeft ? "cbaLeft" : "cbaRight", std::nullopt},
    });
}

void TxpCheckBox::Paint()
{
    TCanvas& canvas = Canvas();
    const int W = width(), H = height();
    canvas.Brush() = TBrush{FColor, TBrushStyle::bsSolid};
    canvas.FillRect(TRect{0, 0, W, H});

    DrawBox();

    const TColor textColor = Enabled() ? Font().Color() : DisabledText;
    canvas.Font() = Font();
    canvas.Font().SetColor(textColor);
    const std::string text = DisplayText(Caption());
    const TSize extent = canvas.TextExtent(text);
    const bool boxLeft = FAlignment == TCheckBoxAlignment::cbaRight;
    const int textX = boxLeft ? 20 : 2;
    const int textY = (H - extent.cy) / 2;
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.TextRect(boxLeft ? TRect{20, 2, W - 2, H} : TRect{2, 2, W - 20, H}, textX, textY, text);

    if (const std::optional<TAcceleratorSpan> span = AcceleratorSpan(Caption())) {
        canvas.Pen() = TPen{textColor, 1, TPenStyle::psSolid, TPenMode::pmCopy};
        // Just below the text cell, as on the button.
        canvas.MoveTo(textX + canvas.TextWidth(span->Before), textY + extent.cy);
        canvas.LineTo(textX + canvas.TextWidth(span->Through), textY + extent.cy);
    }

    if (Enabled() && ShowsFocus())
        canvas.DrawFocusRect(boxLeft ? TRect{17, 1, extent.cx + 25, H - 1} : TRect{1, 1, extent.cx + 8, H - 1});
}

void TxpCheckBox::DrawBox()
{
    TCanvas& canvas = Canvas();
    const int W = width(), h = height() / 2;
    const TRect box = FAlignment == TCheckBoxAlignment::cbaRight ? TRect{1, h - 7, 15, h + 7}
                                                                 : TRect{W - 15, h - 7, W - 1, h + 7};
    const bool enabled = Enabled();
    if (enabled) {
        const TBoxFace& face = Pressed() ? PressedFace : Hot() ? HotFace : NormalFace;
        FillGradient(canvas, box, face.Top, face.Bottom, TGradientDirection::gdTopToBottom, BoxSteps);
        // The hot face is left as a ring inside the frame.
        if (!Pressed() && Hot())
            canvas.FillRect(TRect{box.Left + 2, box.Top + 2, box.Right - 3, box.Bottom - 3}, FColor);
    }

    canvas.Pen() = TPen{Frame.For(enabled), 1, TPenStyle::psSolid, TPenMode::pmCopy};
    if (enabled)
        canvas.Brush().Style = TBrushStyle::bsClear;
    else
        canvas.Brush() = TBrush{DisabledFace, TBrushStyle::bsSolid};
    canvas.Rectangle(box);

    if (FChecked) {
        canvas.Pen() = TPen{CheckMark.For(enabled), 3, TPenStyle::psSolid, TPenMode::pmCopy};
        canvas.Polyline({{box.Left + 3, box.Top + 6}, {box.Left + 5, box.Bottom - 5}, {box.Right - 5, box.Top + 4}});
    }
}

void TxpCheckBox::KeyDown(std::uint16_t& key, TShiftState shift)
{
    const bool space = key == VirtualKey::Space;
    if (space)
        PressByKey();
    TCustomControl::KeyDown(key, shift);
    if (space)
        key = 0;
}

void TxpCheckBox::KeyUp(std::uint16_t& key, TShiftState)
{
    ReleaseByKey();
    // Every key release ends here.
    key = 0;
}

void TxpCheckBox::AcceleratorTyped()
{
    if (!ShowsFocus())
        setFocus(Qt::ShortcutFocusReason);
    Toggle();
}
