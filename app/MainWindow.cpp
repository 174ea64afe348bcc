#include "app/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
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
        ConnectHandler(lane->ObjectList, &TComboBox::changed, this, [this, lane](QObject*) { ObjectChosen(*lane); });
        ConnectHandler(lane->Timer, &TTimer::timeout, this, [this, lane](QObject*) { LaneTick(*lane); });
    }
    ConnectHandler(LowerLane.TowardsBox, &TCheckBox::toggled, this, bind(&MainWindow::TowardsClick));
    ConnectHandler(WebLink, &TLabel::clicked, this, bind(&MainWindow::WebLinkClick));
    ConnectHandler(WebLink, &TLabel::mouseMoved, this, bind(&MainWindow::PointerOnWebLink));
    // Leaving the link across the strip or the background clears its highlight.
    ConnectHandler(DownloadText, &TLabel::mouseMoved, this, bind(&MainWindow::PointerOffWebLink));
    ConnectHandler(Background, &TImage::mouseMoved, this, bind(&MainWindow::PointerOffWebLink));
    ConnectHandler(this, &TForm::activated, this, bind(&MainWindow::WindowActivated));
    ConnectHandler(CribSheetItem, &QAction::triggered, this, bind(&MainWindow::ShowCribSheet));
    ConnectHandler(AboutItem, &QAction::triggered, this, bind(&MainWindow::ShowAbout));
    ConnectHandler(ExitItem, &QAction::triggered, this, bind(&MainWindow::ExitClick));
    // The XP controls keep their own event properties.
    StartButton->OnClick = bind(&MainWindow::StartClick);
    SwitchToRussian->OnClick = [this](QObject*) { SwitchLanguage(Lesson::Language::Russian); };
    SwitchToEnglish->OnClick = [this](QObject*) { SwitchLanguage(Lesson::Language::English); };

    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, [this] { TapAlt(this); });
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
        cribSheet_->ShowInFront();
}

void MainWindow::ShowAbout(QObject*)
{
    if (about_)
        about_->ShowInFront();
}

void MainWindow::ExitClick(QObject*)
{
    close();
}

void MainWindow::PointerOnWebLink(QObject*)
{
    WebLink->SetFontColor(LessonColours::LinkUnderPointer);
}

void MainWindow::PointerOffWebLink(QObject*)
{
    WebLink->SetFontColor(LessonColours::Link);
}

void MainWindow::WebLinkClick(QObject*)
{
    // The result is not examined: a desktop without a browser simply shows nothing.
    QDesktopServices::openUrl(QUrl(ToQString(WebSiteUrl)));
}
