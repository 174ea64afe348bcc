#include "toolkit/Form.h"

#include <QKeyEvent>
#include <QPointer>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/CustomControl.h"

namespace {

// The character an Alt+key press types; the key's own letter or digit when the
// platform gives no text with Alt held.
char32_t CharacterOf(const QKeyEvent& event)
{
    const QList<uint> text = event.text().toUcs4();
    if (!text.isEmpty() && QChar::isPrint(text.front()))
        return static_cast<char32_t>(text.front());
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char32_t>(U'a' + (key - Qt::Key_A));
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<char32_t>(key);
    return 0;
}

// The form the program's input last went to; message boxes and other programs'
// windows are not forms, so they never replace it.
QPointer<TForm> activeForm;

} // namespace

TForm::TForm(QWidget* parent) : QWidget(parent, Qt::Window) {}

bool TForm::AcceleratorKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers shift = key.modifiers();
    if (!(shift & Qt::AltModifier) || (shift & Qt::ControlModifier))
        return false;
    const char32_t character = CharacterOf(key);
    if (character == 0)
        return false;
    // Alt+character is an accelerator here, never text, whether or not a control claims it.
    OfferToControls([&](TCustomControl& c) { return c.DialogChar(character); });
    return true;
}

bool TForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && activeForm != this) {
        activeForm = this;
        emit activated();
    }
    return QWidget::event(event);
}

void TForm::ShowInFront()
{
    // Qt's show() leaves a window that is already shown wherever it is, maybe behind others.
    show();
    raise();
    activateWindow();
}

void TForm::keyPressEvent(QKeyEvent* event)
{
    // Only keys the focused control let through arrive here.
    const std::uint16_t key = VirtualKeyOf(*event);
    const Qt::KeyboardModifiers shift = event->modifiers();
    const bool dialogKey = !(shift & Qt::AltModifier) && (key == VirtualKey::Return || key == VirtualKey::Escape);
    if (dialogKey && OfferToControls([&](TCustomControl& c) { return c.DialogKey(key, shift); }))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool TForm::OfferToControls(const std::function<bool(TCustomControl&)>& offer)
{
    // A handler run by an offer may delete controls; those are skipped.
    std::vector<QPointer<TCustomControl>> controls;
    for (TCustomControl* control : findChildren<TCustomControl*>())
        if (control->window() == this)
            controls.emplace_back(control);
    for (const QPointer<TCustomControl>& control : controls) {
        bool claimed = false;
        if (control)
            Guarded(control, [&] { claimed = offer(*control); });
        if (claimed)
            return true;
    }
    return false;
}
