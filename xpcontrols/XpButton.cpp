#include "xpcontrols/XpButton.h"

#include "toolkit/Form.h"
#include "xpcontrols/Caption.h"
#include "xpcontrols/XpDrawing.h"

namespace {

constexpr TColor OuterRing = TColor::FromHex(0xD6D3D3);
constexpr TColor Frame = TColor::FromHex(0x003C74);
constexpr TColor FaceLight = TColor::FromHex(0xFDFDFD);
constexpr TColor FaceDark = TColor::FromHex(0xCDCCDF);
constexpr TColor TopShine = TColor::FromHex(0xCEE7FF);
constexpr TColor BottomShade = TColor::FromHex(0x6982EE);
constexpr TColor InnerFrame = TColor::FromHex(0xBCD4F6);
constexpr TColor HotFrame = TColor::FromHex(0xF8B330);
constexpr TColor DisabledFace = TColor::FromHex(0xF1F1ED);
constexpr TColor DisabledFrame = TColor::FromHex(0xC4C3BF);
constexpr TColor DisabledText = TColor::FromHex(0xA1A192);

void UsePen(TCanvas& canvas, TColor color)
{
    canvas.Pen() = TPen{color, 1, TPenStyle::psSolid, TPenMode::pmCopy};
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2)
{
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x2, y2);
}

} // namespace

TxpButton::TxpButton(QWidget* owner) : TxpControl(owner, "XP Button", 75, 25, TRepaint::AtOnce) {}

TxpButton::~TxpButton() = default;

void TxpButton::Click()
{
    if (OnClick)
        OnClick(this);
    if (FModalResult != 0)
        if (auto* form = qobject_cast<TForm*>(window()))
            form->SetModalResult(FModalResult);
}

std::vector<TPublishedProperty> TxpButton::PublishedProperties() const
{
    return Published(
        {
            {"Cancel", BoolText(FCancel), "False"},
            {"Default", BoolText(FDefault), "False"},
            {"ModalResult", std::to_string(FModalResult), "0"},
        },
        {
            {"OnKeyDown", EventText(OnKeyDown), ""},
            {"OnKeyUp", EventText(OnKeyUp), ""},
        });
}

void TxpButton::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    const TSize extent = canvas.TextExtent(DisplayText(Caption()));
    const int W = width(), H = height();
    const int textX = (W - extent.cx) / 2, textY = (H - extent.cy) / 2;
    if (Enabled()) {
        const int shift = Pressed() ? 1 : 0;
        PaintEnabled(textX + shift, textY + shift);
        PaintAcceleratorUnderline(textX + shift, textY + shift, extent.cy, Font().Color());
    } else {
        PaintDisabled(textX, textY);
        PaintAcceleratorUnderline(textX, textY, extent.cy, DisabledText);
    }
}

void TxpButton::PaintEnabled(int textX, int textY)
{
    TCanvas& canvas = Canvas();
    const int W = width(), H = height();

    UsePen(canvas, OuterRing);
    canvas.Brush() = TBrush{OuterRing, TBrushStyle::bsSolid};
    canvas.RoundRect(0, 0, W, H, 3, 3);
    UsePen(canvas, Frame);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.RoundRect(1, 1, W - 1, H - 1, 5, 5);

    const TRect face{4, 4, W - 4, H - 4};
    if (Pressed() && Hot())
        FillGradient(canvas, face, FaceLight, FaceDark, TGradientDirection::gdBottomToTop,
                     static_cast<std::uint8_t>(H / 2));
    else
        FillGradient(canvas, face, FaceLight, FaceDark, TGradientDirection::gdTopToBottom,
                     static_cast<std::uint8_t>(H / 3));

    UsePen(canvas, TopShine);
    Line(canvas, 3, 2, W - 3, 2);
    UsePen(canvas, BottomShade);
    Line(canvas, 3, H - 3, W - 3, H - 3);
    UsePen(canvas, InnerFrame);
    canvas.Rectangle(2, 3, W - 2, H - 3);
    UsePen(canvas, clWhite);
    Line(canvas, 3, 4, 3, H - 4);
    Line(canvas, W - 4, 4, W - 4, H - 4);
    Line(canvas, 3, H - 1, W - 3, H - 1);
    Line(canvas, W - 1, H - 4, W - 1, 2);

    if (Hot()) {
        UsePen(canvas, HotFrame);
        canvas.RoundRect(3, 3, W - 3, H - 3, 2, 2);
    }
    canvas.TextRect(face, textX, textY, DisplayText(Caption()));
    if (ShowsFocus())
        canvas.DrawFocusRect(face);
}

void TxpButton::PaintDisabled(int textX, int textY)
{
    TCanvas& canvas = Canvas();
    const int W = width(), H = height();

    UsePen(canvas, OuterRing);
    canvas.Brush() = TBrush{DisabledFace, TBrushStyle::bsSolid};
    canvas.RoundRect(0, 0, W, H, 3, 3);
    canvas.SetPixel(0, 0, clBtnFace);
    canvas.SetPixel(W - 1, 0, clBtnFace);
    canvas.SetPixel(W - 1, H - 1, clBtnFace);
    canvas.SetPixel(0, H - 1, clBtnFace);
    UsePen(canvas, DisabledFrame);
    canvas.Brush().Style = TBrushStyle::bsClear;
    canvas.RoundRect(1, 1, W - 1, H - 1, 5, 5);

    canvas.Font().SetColor(DisabledText);
    canvas.TextRect(TRect{4, 4, W - 4, H - 4}, textX, textY, DisplayText(Caption()));
}

void TxpButton::PaintAcceleratorUnderline(int textX, int textY, int textHeight, TColor color)
{
    const std::optional<TAcceleratorSpan> span = AcceleratorSpan(Caption());
    if (!span)
        return;
    TCanvas& canvas = Canvas();
    canvas.Font() = Font();
    const int y = textY + textHeight;
    UsePen(canvas, color);
    Line(canvas, textX + canvas.TextWidth(span->Before), y, textX + canvas.TextWidth(span->Through), y);
}

void TxpButton::KeyDown(std::uint16_t& key, TShiftState shift)
{
    const bool pressKey = key == VirtualKey::Return || key == VirtualKey::Space;
    if (pressKey)
        PressByKey();
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    // The button completes Enter and Space itself, on their release; offered on to the
    // form as well, Enter would click a Default button a second time.
    if (pressKey)
        key = 0;
}

void TxpButton::KeyUp(std::uint16_t& key, TShiftState shift)
{
    ReleaseByKey();
    if (OnKeyUp)
        OnKeyUp(this, key, shift);
}

bool TxpButton::DialogKey(std::uint16_t key, TShiftState)
{
    if (isEnabled() && ((FCancel && key == VirtualKey::Escape) || (FDefault && key == VirtualKey::Return)))
        Click();
    // Left unclaimed, so the other controls hear it too.
    return false;
}
