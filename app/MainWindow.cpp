#include "app/MainWindow.h"

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

#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
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

MainWindow::MainWindow()
{
    setWindowFlags(FixedBorderWindow(true));
    CreateControls();
    ConnectHandlers();
    CentreOnScreen(this);
}

void MainWindow::SetSecondaryWindows(AboutWindow* about, CribSheetWindow* cribSheet)
{
    about_ = about;
    cribSheet_ = cribSheet;
}

void MainWindow::ConnectHandlers()
{
    auto bind = [this](void (MainWindow::*handler)(QObject*)) {
        return [this, handler](QObject* sender) { (this->*handler)(sender); };
    };
    for (LaneControls* lane : {&UpperLane, &LowerLane}) {
        lane->ObjectList->OnChange = [this, lane](QObject*) { ObjectChosen(*lane); };
        lane->Timer->OnTimer = [this, lane](QObject*) { LaneTick(*lane); };
    }
    LowerLane.TowardsBox->OnClick = bind(&MainWindow::TowardsClick);
    StartButton->OnClick = bind(&MainWindow::StartClick);
    WebLink->OnClick = bind(&MainWindow::WebLinkClick);
    WebLink->OnMouseMove = bind(&MainWindow::PointerOnWebLink);
    DownloadText->OnMouseMove = bind(&MainWindow::PointerOffWebLink);
    OnActivate = bind(&MainWindow::WindowActivated);
    SwitchToRussian->OnClick = [this](QObject*) { SwitchLanguage(Lesson::Language::Russian); };
    SwitchToEnglish->OnClick = [this](QObject*) { SwitchLanguage(Lesson::Language::English); };

    auto menu = [this](QAction* item, void (MainWindow::*handler)(QObject*)) {
        connect(item, &QAction::triggered, this,
                [this, item, handler] { Guarded(item, [&] { (this->*handler)(item); }); });
    };
    menu(CribSheetItem, &MainWindow::ShowCribSheet);
    menu(AboutItem, &MainWindow::ShowAbout);
    menu(ExitItem, &MainWindow::ExitClick);

    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { TapAlt(this); });
}

// The form sees every event of the application (its accelerator filter), so the
// background's mouse moves arrive here without a filter of their own.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Background && event->type() == QEvent::MouseMove)
        Guarded(Background, [this] { PointerOffWebLink(Background); });
    return TForm::eventFilter(watched, event);
}

// Closing the main window ends the program, whatever other window is open.
void MainWindow::closeEvent(QCloseEvent* event)
{
    TForm::closeEvent(event);
    QCoreApplication::quit();
}

void MainWindow::ShowCribSheet(QObject*)
{
    if (cribSheet_)
        cribSheet_->Show();
}

void MainWindow::ShowAbout(QObject*)
{
    if (about_)
        about_->Show();
}

void MainWindow::ExitClick(QObject*)
{
    close();
}

void MainWindow::PointerOnWebLink(QObject*)
{
    WebLink->SetFontColor(LessonColours::LinkUnderPointer);
}

// Reached from the text before the link and from the background picture, so leaving
// the link across the strip or the background clears its highlight.
void MainWindow::PointerOffWebLink(QObject*)
{
    WebLink->SetFontColor(LessonColours::Link);
}

void MainWindow::WebLinkClick(QObject*)
{
    // The result is not examined: a desktop without a browser simply shows nothing.
    QDesktopServices::openUrl(QUrl(ToQString(WebSiteUrl)));
}
