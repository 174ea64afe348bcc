// The application object: its title, and the one catch point through which every
// handler the toolkit calls (control events, menu commands, painting, timer ticks) runs.
#pragma once

#include <QApplication>
#include <QPointer>
#include <deque>
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "runtime/Errors.h"

class QObject;

class TApplication : public QApplication {
    Q_OBJECT
public:
    // Called instead of the error box when set (tests capture errors with it).
    using ErrorHook = std::function<void(QObject* sender, const Exception& error)>;

    TApplication(int& argc, char** argv);
    ~TApplication() override;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Runs a handler; an error it raises ends it and goes to HandleException.
    // Nothing ever escapes into Qt from here.
    void Guard(QObject* sender, const std::function<void()>& handler) noexcept;

    // The catch point of painting: an error is kept until the paint has returned and
    // then handled as Guard handles it, in the order raised. A box opened inside the
    // paint would run its message loop there, repainting from within a repaint.
    void GuardPaint(QObject* sender, const std::function<void()>& handler) noexcept;

    // Releases any mouse grab, then drops EAbort, calls the hook if one is set,
    // otherwise shows the error box.
    void HandleException(QObject* sender, const Exception& error);

    void SetErrorHook(ErrorHook hook) { errorHook_ = std::move(hook); }

protected:
    bool event(QEvent* event) override;
    // Offers each key pressed in a form to that form before its control sees it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowException(const Exception& error);
    void HandlePaintErrors();

    std::string title_;
    ErrorHook errorHook_;
    std::deque<std::pair<QPointer<QObject>, std::exception_ptr>> paintErrors_;
    bool paintErrorsPosted_ = false;
};

// The one application object, as the toolkit's global "Application".
TApplication* Application();

// Runs a handler through the application's catch point.
inline void Guarded(QObject* sender, const std::function<void()>& handler)
{
    Application()->Guard(sender, handler);
}

// Connects a control's event (a signal) to its handler, which runs through the catch
// point with the control as its sender: an error it raises ends it and shows the box.
template <typename Control, typename Signal, typename Handler>
void ConnectHandler(Control* control, Signal signal, QObject* receiver, Handler handler)
{
    QObject::connect(control, signal, receiver, [control, handler] { Guarded(control, [&] { handler(control); }); });
}

inline void GuardedPaint(QObject* sender, const std::function<void()>& handler)
{
    Application()->GuardPaint(sender, handler);
}
