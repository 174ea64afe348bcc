// The main window: two lanes, their fields and object lists, the start button, the
// language boxes, the menu and the web link. It shows the lesson's model (lesson/) and
// passes each control's event on to the model's operations.
#pragma once

#include <QWidget>

#include "lesson/Lesson.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/StdControls.h"
#include "toolkit/Timer.h"
#include "xpcontrols/XpButton.h"
#include "xpcontrols/XpCheckBox.h"

class QAction;
class QMenu;
class QMenuBar;
class AboutWindow;
class CribSheetWindow;

// The controls of one lane, with the model's lane they show.
struct LaneControls {
    Lesson::LaneId Id = Lesson::LaneId::Upper;
    TLabel* TimeLabel = nullptr; // "t=", "v=", "s=" before the fields
    TLabel* SpeedLabel = nullptr;
    TLabel* DistanceLabel = nullptr;
    TComboBox* ObjectList = nullptr;
    TEdit* Time = nullptr;
    TEdit* Speed = nullptr;
    TEdit* Distance = nullptr;
    TPanel* Track = nullptr;
    TImage* Picture = nullptr;
    TImage* TowardsPicture = nullptr; // lower lane only
    TCheckBox* TowardsBox = nullptr;  // lower lane only
    TTimer* Timer = nullptr;
};

class MainWindow : public TForm {
public:
    MainWindow();

    // Set at start-up: the windows the menu shows.
    void SetSecondaryWindows(AboutWindow* about, CribSheetWindow* cribSheet);

    // The model the window shows; only the window's handlers change it.
    const Lesson::State& State() const { return state_; }

    // The handlers that tests drive as the toolkit does.
    void ObjectChosen(LaneControls& lane);
    void StartClick(QObject* sender);
    void LaneTick(LaneControls& lane);
    void PointerOnWebLink(QObject* sender);
    void PointerOffWebLink(QObject* sender);

    // Controls, bottom of the drawing order first within each lane.
    QWidget* Client = nullptr; // the client area under the menu bar
    TImage* Background = nullptr;
    TLabel* Title = nullptr;
    TLabel* DownloadText = nullptr;
    TLabel* WebLink = nullptr;
    LaneControls UpperLane;
    LaneControls LowerLane{.Id = Lesson::LaneId::Lower};
    TxpButton* StartButton = nullptr;
    TxpCheckBox* SwitchToRussian = nullptr;
    TxpCheckBox* SwitchToEnglish = nullptr;

    QMenuBar* Menu = nullptr;
    QAction* CribSheetItem = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* AboutItem = nullptr;
    QAction* ExitItem = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls(); // the window's layout, in one place
    void ConnectHandlers();
    void TowardsClick(QObject* sender);
    void WindowActivated(QObject* sender);
    void ShowAbout(QObject* sender);
    void ShowCribSheet(QObject* sender);
    void ExitClick(QObject* sender);
    void WebLinkClick(QObject* sender);

    void ShowLane(LaneControls& lane);
    void ShowRow(LaneControls& lane, const Lesson::RowTexts& row);
    void SwitchLanguage(Lesson::Language language);
    void WriteTexts(const Lesson::LessonTexts& texts, bool atStart = false);
    void WriteAccessibleNames(const Lesson::LessonTexts& texts);

    Lesson::State state_;
    AboutWindow* about_ = nullptr;
    CribSheetWindow* cribSheet_ = nullptr;
};
