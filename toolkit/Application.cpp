#include "toolkit/Application.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "runtime/Locale.h"
#include "runtime/NumText.h"

namespace {
TApplication* theApplication = nullptr;
}

TApplication* Application()
{
    return theApplication;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    theApplication = this;
    SetDecimalSeparator(LocaleDecimalSeparator());
}

TApplication::~TApplication()
{
    if (theApplication == this)
        theApplication = nullptr;
}

void TApplication::SetTitle(const std::string& title)
{
    // Kept apart from Qt's display name, which would be appended to every window title.
    title_ = title;
}

bool TApplication::event(QEvent* event)
{
    // The desktop announces a changed locale: numbers follow the new separator at once.
    if (event->type() == QEvent::LocaleChange)
        SetDecimalSeparator(LocaleDecimalSeparator());
    return QApplication::event(event);
}

void TApplication::Guard(QObject* sender, const std::function<void()>& handler) noexcept
{
    try {
        try {
            handler();
        } catch (const Exception& error) {
            HandleException(sender, error);
        } catch (const std::exception& error) {
            HandleException(sender, Exception(error.what()));
        }
    } catch (...) {
        // The error box itself failed (or a hook threw): nothing more can be shown,
        // and nothing may reach Qt's frames.
    }
}

void TApplication::HandleException(QObject* sender, const Exception& error)
{
    // A pressed button or a drag must not stay captured behind the box.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (dynamic_cast<const EAbort*>(&error))
        return;
    if (errorHook_) {
        errorHook_(sender, error);
        return;
    }
    ShowException(error);
}

// The window the pupil was using: the box opens over it, on its screen, and it is made
// active again when the box closes.
static QWidget* WindowInUse()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isWindow())
            return window;
    }
    return nullptr;
}

void TApplication::ShowException(const Exception& error)
{
    QPointer<QWidget> inUse = WindowInUse();
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(title_),
                    QString::fromStdString(WithFinalPeriod(error.Message())), QMessageBox::Ok, inUse);
    // The message quotes what the pupil typed: never read it as markup.
    box.setTextFormat(Qt::PlainText);
    // No window of the program takes input while the box is open; ticks and painting go on.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    if (inUse) {
        inUse->activateWindow();
        QApplication::setActiveWindow(inUse);
    }
}
