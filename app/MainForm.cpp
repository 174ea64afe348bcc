#include "app/MainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QUrl>

#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/LessonLook.h"
#include "app/Resources.h"
#include "toolkit/Application.h"
#include "toolkit/Screen.h"
#include "toolkit/Utf8.h"

namespace {

// Qt's menu bar enters its keyboard mode (first item highlighted, arrows, Return and
// Escape working, the focus given back afterwards) on a lone Alt pressed and released
// in its window; F10 plays that tap, as desktop programs open their menu with F10.
void TapAlt(QWidget* window)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &release);
}

} // namespace

TForm1::TForm1()
{
    setWindowFlags(FixedBorderWindow(true));
    CreateControls();
    ConnectHandlers();
    CentreOnScreen(this);
}

void TForm1::SetSecondaryWindows(TForm2* about, TForm3* cribSheet)
{
    about_ = about;
    cribSheet_ = cribSheet;
}

void TForm1::ConnectHandlers()
{
    auto bind = [this](void (TForm1::*handler)(QObject*)) {
        return [this, handler](QObject* sender) { (this->*handler)(sender); };
    };
    ComboBox1->OnChange = bind(&TForm1::ComboBox1Change);
    ComboBox2->OnChange = bind(&TForm1::ComboBox2Change);
    CheckBox1->OnClick = bind(&TForm1::CheckBox1Click);
    xpButton1->OnClick = bind(&TForm1::xpButton1Click);
    Timer1->OnTimer = bind(&TForm1::Timer1Timer);
    Timer2->OnTimer = bind(&TForm1::Timer2Timer);
    Label9->OnClick = bind(&TForm1::Label9Click);
    Label9->OnMouseMove = bind(&TForm1::Label9MouseMove);
    Label8->OnMouseMove = bind(&TForm1::Label8MouseMove);
    OnActivate = bind(&TForm1::FormActivate);
    xpCheckBox1->OnClick = bind(&TForm1::xpCheckBox1Click);
    xpCheckBox2->OnClick = bind(&TForm1::xpCheckBox2Click);

    auto menu = [this](QAction* item, void (TForm1::*handler)(QObject*)) {
        connect(item, &QAction::triggered, this,
                [this, item, handler] { Guarded(item, [&] { (this->*handler)(item); }); });
    };
    menu(N3, &TForm1::N3Click);
    menu(N2, &TForm1::N2Click);
    menu(N4, &TForm1::N4Click);

    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { TapAlt(this); });
}

// The form sees every event of the application (its accelerator filter), so the
// background's mouse moves arrive here without a filter of their own.
bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image4 && event->type() == QEvent::MouseMove)
        Guarded(Image4, [this] { Label8MouseMove(Image4); });
    return TForm::eventFilter(watched, event);
}

// Closing the main window ends the program, whatever other window is open.
void TForm1::closeEvent(QCloseEvent* event)
{
    TForm::closeEvent(event);
    QCoreApplication::quit();
}

void TForm1::N3Click(QObject*)
{
    if (cribSheet_)
        cribSheet_->Show();
}

void TForm1::N2Click(QObject*)
{
    if (about_)
        about_->Show();
}

void TForm1::N4Click(QObject*)
{
    close();
}

void TForm1::Label9MouseMove(QObject*)
{
    Label9->SetFontColor(LessonColours::LinkUnderPointer);
}

// Reached also from the background picture, so leaving the link across the strip or
// the background clears its highlight.
void TForm1::Label8MouseMove(QObject*)
{
    Label9->SetFontColor(LessonColours::Link);
}

void TForm1::Label9Click(QObject*)
{
    // The result is not examined: a desktop without a browser simply shows nothing.
    QDesktopServices::openUrl(QUrl(ToQString(WebSiteUrl)));
}
