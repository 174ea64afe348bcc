#include "xpcontrols/XpControl.h"

#include <utility>

#include "xpcontrols/Caption.h"
#include "xpcontrols/XpAccessible.h"

TxpControl::TxpControl(QWidget* owner, std::string caption, int width, int height, TRepaint pointerRepaint)
    : TCustomControl(owner), FCaption(std::move(caption)), FPointerRepaint(pointerRepaint)
{
    resize(width, height);
    SetTabStop(true);
    // The right button is consumed: no context menu, not even the parent's.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

TxpControl::~TxpControl() = default;

void TxpControl::SetCaption(std::string caption)
{
    if (caption == FCaption)
        return;
    FCaption = std::move(caption);
    repaint();
    NotifyAccessibleNameChanged(this);
}

void TxpControl::SetFont(const TFont& font)
{
    FFont = font;
    repaint();
}

std::vector<TPublishedProperty> TxpControl::Published(std::vector<TPublishedProperty> own,
                                                      std::vector<TPublishedProperty> ownEvents) const
{
    std::vector<TPublishedProperty> properties{
        {"Caption", QuotedText(FCaption), std::nullopt},
        {"Font", FontText(FFont), std::nullopt},
        {"Enabled", BoolText(Enabled()), "True"},
        {"ParentFont", BoolText(ParentFont()), "True"},
        {"Hint", QuotedText(Hint()), std::nullopt},
        {"ShowHint", BoolText(ShowHint()), std::nullopt},
        {"TabOrder", std::to_string(TabOrder()), "-1"},
        {"TabStop", BoolText(TabStop()), "False"},
    };
    properties.insert(properties.end(), own.begin(), own.end());
    properties.push_back({"OnClick", EventText(OnClick), ""});
    properties.push_back({"OnEnter", EventText(OnEnter), ""});
    properties.push_back({"OnExit", EventText(OnExit), ""});
    properties.insert(properties.end(), ownEvents.begin(), ownEvents.end());
    return properties;
}

bool TxpControl::DialogChar(char32_t character)
{
    if (isEnabled() && IsAccel(character, FCaption))
        AcceleratorTyped();
    return false;
}

void TxpControl::AcceleratorTyped()
{
    UserClick();
}

void TxpControl::ShowLooks(TRepaint how)
{
    if (how == TRepaint::AtOnce)
        repaint();
    else
        update();
}

void TxpControl::SetLook(bool& flag, bool value, TRepaint repaint)
{
    if (flag == value)
        return;
    flag = value;
    ShowLooks(repaint);
}

void TxpControl::PressByKey()
{
    SetLook(FPressed, true, TRepaint::Invalidate);
}

void TxpControl::ReleaseByKey()
{
    if (FPressed) {
        SetLook(FPressed, false, TRepaint::Invalidate);
        UserClick();
    }
}

void TxpControl::MouseEnter()
{
    SetLook(FHot, true, FPointerRepaint);
}

void TxpControl::MouseLeave()
{
    SetLook(FHot, false, FPointerRepaint);
}

void TxpControl::MouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button != TMouseButton::mbLeft || FPressed)
        return;
    FPressed = true;
    if (!hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
    ShowLooks(FPointerRepaint);
}

void TxpControl::MouseUp(TMouseButton button, TShiftState, int, int)
{
    if (button != TMouseButton::mbLeft || !FPressed)
        return;
    // Where it is painted at once, the released look is on screen while the click's
    // handler runs.
    SetLook(FPressed, false, FPointerRepaint);
    UserClick();
}

void TxpControl::DoubleClick(TMouseButton button, TShiftState, int, int)
{
    if (button == TMouseButton::mbLeft)
        UserClick();
}

void TxpControl::FocusIn()
{
    SetLook(FHasFocus, true, TRepaint::Invalidate);
}

void TxpControl::FocusOut()
{
    SetLook(FHasFocus, false, TRepaint::Invalidate);
}

void TxpControl::Enter()
{
    if (OnEnter)
        OnEnter(this);
}

void TxpControl::Exit()
{
    if (OnExit)
        OnExit(this);
}
