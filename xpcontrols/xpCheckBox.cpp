#include "xpcontrols/xpCheckBox.h"

#include "xpcontrols/Caption.h"
#include "xpcontrols/XPGraphUtil.h"
#include "xpcontrols/XpAccessible.h"

namespace {

constexpr TColor PressedTop = TColor::FromHex(0xB0B0A7);
constexpr TColor PressedBottom = TColor::FromHex(0xF1EFDF);
constexpr TColor HotTop = TColor::FromHex(0xFFF0CF);
constexpr TColor HotBottom = TColor::FromHex(0xF8B330);
constexpr TColor NormalTop = TColor::FromHex(0xDCDCD7);
constexpr TColor NormalBottom = TColor::FromHex(0xFFFFFF);
constexpr TColor Frame = TColor::FromHex(0x1C5180);
constexpr TColor DisabledFrame = TColor::FromHex(0x808080);
constexpr TColor DisabledFace = TColor::FromHex(0xFFFFFF);
constexpr TColor CheckMark = TColor::FromHex(0x00A000);
constexpr TColor DisabledCheckMark = TColor::FromHex(0xC0C0C0);
constexpr TColor DisabledText = TColor::FromHex(0x808080);
constexpr std::uint8_t BoxSteps = 10;

} // namespace

TxpCheckBox::TxpCheckBox(QWidget* owner) : TCustomControl(owner), FCaption("XP Checkbox")
{
    resize(97, 17);
    SetTabStop(true);
    // The right button is consumed: no context menu, not even the parent's.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

TxpCheckBox::~TxpCheckBox() = default;

void TxpCheckBox::SetCaption(std::string caption)
{
    if (caption == FCaption)
        return;
    FCaption = std::move(caption);
    Repaint();
    NotifyAccessibleNameChanged(this);
}

void TxpCheckBox::SetFont(const TFont& font)
{
    FFont = font;
    Repaint();
}

void TxpCheckBox::SetColor(TColor color)
{
    if (color == FColor)
        return;
    FColor = color;
    Invalidate();
}

void TxpCheckBox::SetChecked(bool checked)
{
    if (checked == FChecked)
        return;
    FChecked = checked;
    Repaint();
    NotifyAccessibleCheckedChanged(this);
}

void TxpCheckBox::SetAlignment(TCheckBoxAlignment alignment)
{
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Repaint();
}

void TxpCheckBox::Toggle()
{
    FChecked = !FChecked;
    Invalidate();
    NotifyAccessibleCheckedChanged(this);
    if (OnClick)
        OnClick(this);
}

std::vector<TPublishedProperty> TxpCheckBox::PublishedProperties() const
{
    return {
        {"Caption", QuotedText(FCaption), std::nullopt},
        {"Font", FontText(FFont), std::nullopt},
        {"Enabled", BoolText(Enabled()), "True"},
        {"ParentFont", BoolText(ParentFont()), "True"},
        {"Hint", QuotedText(Hint()), std::nullopt},
        {"ShowHint", BoolText(ShowHint()), std::nullopt},
        {"TabOrder", std::to_string(TabOrder()), "-1"},
        {"TabStop", BoolText(TabStop()), "False"},
        {"Color", ColorText(FColor), std::nullopt},
        {"Checked", BoolText(FChecked), "False"},
        {"Alignment", FAlignment == TCheckBoxAlignment::cbaLeft ? "cbaLeft" : "cbaRight", std::nullopt},
        {"OnClick", EventText(OnClick), ""},
        {"OnEnter", EventText(OnEnter), ""},
        {"OnExit", EventText(OnExit), ""},
    };
}

void TxpCheckBox::Paint()
{
    TCanvas& canvas = Canvas();
    const int W = width(), H = height();
    canvas.Brush() = TBrush{FColor, TBrushStyle::bsSolid};
    canvas.FillRect(TRect{0, 0, W, H});

    DrawBox();

    const TColor textColor = Enabled() ? FFont.Color() : DisabledText;
    canvas.Font() = FFont;
    canvas.Font().SetColor(textColor);
    const std::string text = DisplayText(FCaption);
    const TSize extent = canvas.TextExtent(text);
    const bool boxLeft = FAlignment == TCheckBoxAlignment::cbaRight;
    const int textX = boxLeft ? 20 : 2;
    const int textY = (H - extent.cy) / 2;
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.TextRect(boxLeft ? TRect{20, 2, W - 2, H} : TRect{2, 2, W - 20, H}, textX, textY, text);

    if (const std::optional<TAcceleratorSpan> span = AcceleratorSpan(FCaption)) {
        canvas.Pen() = TPen{textColor, 1, TPenStyle::psSolid, TPenMode::pmCopy};
        canvas.MoveTo(textX + canvas.TextWidth(span->Before), extent.cy + 2);
        canvas.LineTo(textX + canvas.TextWidth(span->Through), extent.cy + 2);
    }

    if (Enabled() && FHasFocus)
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
        if (FPressed) {
            FillGradient(canvas, box, PressedTop, PressedBottom, TGradientDirection::gdTopToBottom, BoxSteps);
        } else if (FHot) {
            FillGradient(canvas, box, HotTop, HotBottom, TGradientDirection::gdTopToBottom, BoxSteps);
            // Leaves the gradient as a ring inside the frame.
            canvas.FillRect(TRect{box.Left + 2, box.Top + 2, box.Right - 3, box.Bottom - 3}, FColor);
        } else {
            FillGradient(canvas, box, NormalTop, NormalBottom, TGradientDirection::gdTopToBottom, BoxSteps);
        }
    }

    canvas.Pen() = TPen{enabled ? Frame : DisabledFrame, 1, TPenStyle::psSolid, TPenMode::pmCopy};
    if (enabled)
        canvas.Brush().Style = TBrushStyle::bsClear;
    else
        canvas.Brush() = TBrush{DisabledFace, TBrushStyle::bsSolid};
    canvas.Rectangle(box);

    if (FChecked) {
        canvas.Pen() = TPen{enabled ? CheckMark : DisabledCheckMark, 3, TPenStyle::psSolid, TPenMode::pmCopy};
        canvas.Polyline({{box.Left + 3, box.Top + 6}, {box.Left + 5, box.Bottom - 5}, {box.Right - 5, box.Top + 4}});
    }
}

void TxpCheckBox::MouseEnter()
{
    if (!FHot) {
        FHot = true;
        Invalidate();
    }
}

void TxpCheckBox::MouseLeave()
{
    if (FHot) {
        FHot = false;
        Invalidate();
    }
}

void TxpCheckBox::MouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != TMouseButton::mbLeft || FPressed)
        return;
    FPressed = true;
    if (!hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    Invalidate();
}

void TxpCheckBox::MouseUp(TMouseButton button, TShiftState, int, int)
{
    if (button != TMouseButton::mbLeft || !FPressed)
        return;
    FPressed = false;
    Invalidate();
    Toggle();
}

void TxpCheckBox::DoubleClick(TMouseButton button, TShiftState, int, int)
{
    if (button == TMouseButton::mbLeft)
        Toggle();
}

void TxpCheckBox::KeyDown(std::uint16_t& key, TShiftState shift)
{
    const bool space = key == VirtualKey::Space;
    if (space && !FPressed) {
        FPressed = true;
        Invalidate();
    }
    TCustomControl::KeyDown(key, shift);
    if (space)
        key = 0;
}

void TxpCheckBox::KeyUp(std::uint16_t& key, TShiftState)
{
    if (FPressed) {
        FPressed = false;
        Toggle();
    }
    // Every key release ends here.
    key = 0;
}

void TxpCheckBox::FocusIn()
{
    if (!FHasFocus) {
        FHasFocus = true;
        Invalidate();
    }
}

void TxpCheckBox::FocusOut()
{
    if (FHasFocus) {
        FHasFocus = false;
        Invalidate();
    }
}

void TxpCheckBox::Enter()
{
    if (OnEnter)
        OnEnter(this);
}

void TxpCheckBox::Exit()
{
    if (OnExit)
        OnExit(this);
}

bool TxpCheckBox::DialogChar(char32_t character)
{
    if (isEnabled() && IsAccel(character, FCaption)) {
        if (!FHasFocus)
            setFocus(Qt::ShortcutFocusReason);
        Toggle();
    }
    return false;
}
