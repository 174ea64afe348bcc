#include "toolkit/CustomControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <algorithm>
#include <optional>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Utf8.h"

namespace {

std::optional<TMouseButton> ButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return TMouseButton::mbLeft;
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return std::nullopt;
    }
}

int X(const QMouseEvent& event)
{
    return event.position().toPoint().x();
}

int Y(const QMouseEvent& event)
{
    return event.position().toPoint().y();
}

// The parent's children that Tab stops at, in Tab order.
std::vector<QWidget*> TabStopsOf(QWidget* parent)
{
    std::vector<QWidget*> stops;
    if (!parent)
        return stops;
    for (QWidget* w = parent->nextInFocusChain(); w && w != parent; w = w->nextInFocusChain()) {
        if (w->parentWidget() == parent && (w->focusPolicy() & Qt::TabFocus))
            stops.push_back(w);
    }
    return stops;
}

bool WindowFocusReason(Qt::FocusReason reason)
{
    // The window lost or regained the focus, or a menu opened: the window's active
    // control stays what it was.
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

std::uint16_t VirtualKeyOf(const QKeyEvent& event)
{
    const int key = event.key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<std::uint16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::uint16_t>(0x70 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VirtualKey::Return;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return VirtualKey::Escape;
    case Qt::Key_Space: return VirtualKey::Space;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 255;
    }
}

TCustomControl::TCustomControl(QWidget* parent) : QWidget(parent)
{
    // The erase before each paint uses the parent's colour, as the palette is inherited.
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

TCustomControl::~TCustomControl() = default;

bool TCustomControl::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

bool TCustomControl::focusNextPrevChild(bool next)
{
    // Qt asks a focused control it has just disabled to pass the focus on.
    if (!isEnabled() && hasFocus()) {
        window()->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

bool TCustomControl::TabStop() const
{
    return (focusPolicy() & Qt::TabFocus) != 0;
}

void TCustomControl::SetTabStop(bool tabStop)
{
    // Clicks never focus by themselves: a control takes the focus when it decides to.
    setFocusPolicy(tabStop ? Qt::TabFocus : Qt::NoFocus);
}

int TCustomControl::TabOrder() const
{
    const std::vector<QWidget*> stops = TabStopsOf(parentWidget());
    const auto it = std::find(stops.begin(), stops.end(), this);
    return it == stops.end() ? -1 : static_cast<int>(it - stops.begin());
}

void TCustomControl::MoveInTabOrder(int position)
{
    std::vector<QWidget*> stops = TabStopsOf(parentWidget());
    const auto it = std::find(stops.begin(), stops.end(), this);
    if (it == stops.end())
        return;
    stops.erase(it);
    const auto at = static_cast<std::ptrdiff_t>(std::clamp(position, 0, static_cast<int>(stops.size())));
    stops.insert(stops.begin() + at, this);
    // Qt skips widgets that take no focus when it checks whether a widget already
    // follows another, and would take the chain's wrap through the parent for "in
    // order"; while the parent takes focus, the first stop can be moved to the front.
    QWidget* parent = parentWidget();
    const Qt::FocusPolicy parentPolicy = parent->focusPolicy();
    parent->setFocusPolicy(Qt::TabFocus);
    for (size_t i = 0; i + 1 < stops.size(); ++i)
        QWidget::setTabOrder(stops[i], stops[i + 1]);
    parent->setFocusPolicy(parentPolicy);
}

void TCustomControl::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    // A font with nothing set inherits the parent's; one with everything set stays put.
    QFont own = parentFont ? QFont() : font();
    own.setResolveMask(parentFont ? 0 : QFont::AllPropertiesResolved);
    setFont(own);
}

void TCustomControl::SetHint(std::string hint)
{
    hint_ = std::move(hint);
    setToolTip(showHint_ ? ToQString(hint_) : QString());
}

void TCustomControl::SetShowHint(bool showHint)
{
    showHint_ = showHint;
    setToolTip(showHint_ ? ToQString(hint_) : QString());
}

bool TCustomControl::DialogKey(std::uint16_t, TShiftState)
{
    return false;
}

bool TCustomControl::DialogChar(char32_t)
{
    return false;
}

void TCustomControl::Paint() {}
void TCustomControl::MouseEnter() {}
void TCustomControl::MouseLeave() {}
void TCustomControl::MouseDown(TMouseButton, TShiftState, int, int) {}
void TCustomControl::MouseUp(TMouseButton, TShiftState, int, int) {}
void TCustomControl::DoubleClick(TMouseButton, TShiftState, int, int) {}
void TCustomControl::KeyDown(std::uint16_t&, TShiftState) {}
void TCustomControl::KeyUp(std::uint16_t&, TShiftState) {}
void TCustomControl::FocusIn() {}
void TCustomControl::FocusOut() {}
void TCustomControl::Enter() {}
void TCustomControl::Exit() {}

void TCustomControl::paintEvent(QPaintEvent*)
{
    // An error box opened by a failing paint may ask for this control again; one
    // painter at a time.
    if (canvas_.IsDrawing())
        return;
    canvas_.Begin(*this);
    GuardedPaint(this, [this] { Paint(); });
    canvas_.End();
}

void TCustomControl::SetUnderMouse(bool underMouse)
{
    if (underMouse == underMouse_)
        return;
    underMouse_ = underMouse;
    // While the pointer is over the control, its moves over any of the program's windows
    // are watched: Qt may not say that it left, as after a modal box closes.
    if (QCoreApplication* application = QCoreApplication::instance())
        underMouse ? application->installEventFilter(this) : application->removeEventFilter(this);
    Guarded(this, [this, underMouse] { underMouse ? MouseEnter() : MouseLeave(); });
}

bool TCustomControl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove && watched->isWindowType()) {
        const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (QApplication::widgetAt(at) != this)
            SetUnderMouse(false);
    }
    return QWidget::eventFilter(watched, event);
}

void TCustomControl::enterEvent(QEnterEvent*)
{
    SetUnderMouse(true);
}

void TCustomControl::leaveEvent(QEvent*)
{
    SetUnderMouse(false);
}

void TCustomControl::mouseMoveEvent(QMouseEvent* event)
{
    // While a button is held Qt keeps sending moves here and holds back enter and leave.
    if (event->buttons() != Qt::NoButton)
        SetUnderMouse(rect().contains(event->position().toPoint()));
    event->accept();
}

void TCustomControl::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (const auto button = ButtonOf(event->button()))
        Guarded(this, [&] { MouseDown(*button, event->modifiers(), X(*event), Y(*event)); });
}

void TCustomControl::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!rect().contains(event->position().toPoint()))
        return;
    if (const auto button = ButtonOf(event->button()))
        Guarded(this, [&] { MouseUp(*button, event->modifiers(), X(*event), Y(*event)); });
}

void TCustomControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (const auto button = ButtonOf(event->button()))
        Guarded(this, [&] { DoubleClick(*button, event->modifiers(), X(*event), Y(*event)); });
}

void TCustomControl::keyPressEvent(QKeyEvent* event)
{
    if (heldKey_.RepeatedPress(*event)) {
        event->accept();
        return;
    }
    std::uint16_t key = VirtualKeyOf(*event);
    bool handled = false;
    Guarded(this, [&] {
        KeyDown(key, event->modifiers());
        handled = true;
    });
    // A key whose handling failed goes no further.
    event->setAccepted(key == 0 || !handled);
}

void TCustomControl::keyReleaseEvent(QKeyEvent* event)
{
    if (heldKey_.RepeatedRelease(*event)) {
        event->accept();
        return;
    }
    std::uint16_t key = VirtualKeyOf(*event);
    bool handled = false;
    Guarded(this, [&] {
        KeyUp(key, event->modifiers());
        handled = true;
    });
    event->setAccepted(key == 0 || !handled);
}

void TCustomControl::focusInEvent(QFocusEvent*)
{
    Guarded(this, [this] { FocusIn(); });
    if (!activeControl_) {
        activeControl_ = true;
        Guarded(this, [this] { Enter(); });
    }
}

void TCustomControl::focusOutEvent(QFocusEvent* event)
{
    Guarded(this, [this] { FocusOut(); });
    if (activeControl_ && !WindowFocusReason(event->reason())) {
        activeControl_ = false;
        Guarded(this, [this] { Exit(); });
    }
}
