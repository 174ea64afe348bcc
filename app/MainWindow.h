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
    Lesson::Lane* State = nullptr;
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

    // The model the window shows; tests set and read it directly.
    Lesson::State& State() { return state_; }

    // The handlers; public so that tests drive them as the toolkit does.
    void ObjectChosen(LaneControls& lane);
    void TowardsClick(QObject* sender);
    void StartClick(QObject* sender);
    void LaneTick(LaneControls& lane);
    void WindowActivated(QObject* sender);
    void ShowAbout(QObject* sender);
    void ShowCribSheet(QObject* sender);
    void ExitClick(QObject* sender);
    void WebLinkClick(QObject* sender);
    void PointerOnWebLink(QObject* sender);
    void PointerOffWebLink(QObject* sender);
    void SwitchToRussianClick(QObject* sender);
    void SwitchToEnglishClick(QObject* sender);

    // Controls, bottom of the drawing order first within each lane.
    QWidget* Client = nullptr; // the client area under the menu bar
    TImage* Background = nullptr;
    TBevel* RightStrip = nullptr;
    TBevel* TitleStrip = nullptr;
    TBevel* LeftStrip = nullptr;
    TBevel* BottomLine = nullptr;
    TLabel* Title = nullptr;
    TLabel* DownloadText = nullptr;
    TLabel* WebLink = nullptr;
    LaneControls UpperLane;
    LaneControls LowerLane;
    TxpButton* StartButton = nullptr;
    TxpCheckBox* SwitchToRussian = nullptr;
    TxpCheckBox* SwitchToEnglish = nullptr;

    QMenuBar* Menu = nullptr;
    QAction* CribSheetItem = nullptr;
    QMenu* HelpMenu = nullptr;
    QAction* AboutItem = nullptr;
    QAction* ExitItem = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls(); // the window's layout, in one place
    void ConnectHandlers();
    void ShowLane(LaneControls& lane);
    void ShowRow(LaneControls& lane, const Lesson::RowTexts& row);
    void SwitchLanguage(TxpCheckBox* chosen, TxpCheckBox* other, Language language);
    void WriteTexts(const LessonTexts& texts, bool atStart = false);
    void RenameListObjects(Language language);
    void WriteAccessibleNames(const LessonTexts& texts);

    Lesson::State state_;
    AboutWindow* about_ = nullptr;
    CribSheetWindow* cribSheet_ = nullptr;
};
