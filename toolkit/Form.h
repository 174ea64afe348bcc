// TForm: a top-level window with a modal result and the desktop's keyboard routing
// to its custom controls:
//   - Enter or Escape that the focused control does not take is offered to the
//     window's controls in turn (DialogKey) until one claims it;
//   - Alt+character is offered to every control of the window (DialogChar) before
//     the focused control sees it, so an accelerator works wherever the focus is and
//     an edit field never types it.
// Activation is about the program's own windows: activated() is emitted when this window
// becomes the program's active form, coming from another of its forms (or shown for
// the first time). A message box closing, or the desktop switching back from another
// program, gives the focus back to the active form without a new activation.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class QKeyEvent;
class TCustomControl;

// Modal results: a button with a non-zero one hands it to its form when clicked.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;

class TForm : public QWidget {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }

    // Shows the window; one already shown is brought to the front and activated, and
    // nothing else happens to it.
    void ShowInFront();

    // A key pressed in this window, seen before the control it is meant for (the
    // application sends each one here first). Returns true for an Alt+character, which
    // is an accelerator offered to the controls, never text.
    bool AcceleratorKey(const QKeyEvent& key);

signals:
    void activated();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Offers to each control of this window in turn until one claims it.
    bool OfferToControls(const std::function<bool(TCustomControl&)>& offer);

    int modalResult_ = mrNone;
};
