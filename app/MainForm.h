// The main window: two lanes, their fields and object lists, the start button, the
// language boxes, the menu and the web link; and the lesson's handlers behind them.
#pragma once

#include <QWidget>

#include "app/LanguageTable.h"
#include "app/LessonState.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/StdControls.h"
#include "toolkit/Timer.h"
#include "xpcontrols/XpButton.h"
#include "xpcontrols/XpCheckBox.h"

class QAction;
class QMenu;
class QMenuBar;
class TForm2;
class TForm3;

class TForm1 : public TForm {
public:
    TForm1();

    // Set at start-up: the windows the menu shows.
    void SetSecondaryWindows(TForm2* about, TForm3* cribSheet);

    // The lesson's handlers; public so that tests drive them as the toolkit does.
    void ComboBox1Change(QObject* sender);
    void ComboBox2Change(QObject* sender);
    void CheckBox1Click(QObject* sender);
    void xpButton1Click(QObject* sender);
    void Timer1Timer(QObject* sender);
    void Timer2Timer(QObject* sender);
    void FormActivate(QObject* sender);
    void N2Click(QObject* sender);
    void N3Click(QObject* sender);
    void N4Click(QObject* sender);
    void Label9Click(QObject* sender);
    void Label9MouseMove(QObject* sender);
    void Label8MouseMove(QObject* sender);
    void xpCheckBox1Click(QObject* sender);
    void xpCheckBox2Click(QObject* sender);

    LessonState State;

    // Controls, bottom of the drawing order first.
    QWidget* Client = nullptr; // the client area under the menu bar
    TImage* Image4 = nullptr;
    TLabel* Label7 = nullptr;
    TLabel* Label6 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label4 = nullptr;
    TBevel* Bevel3 = nullptr;
    TBevel* Bevel1 = nullptr;
    TBevel* Bevel4 = nullptr;
    TBevel* Bevel2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label8 = nullptr;
    TLabel* Label9 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TEdit* Edit2 = nullptr;
    TEdit* Edit3 = nullptr;
    TEdit* Edit1 = nullptr;
    TPanel* Panel6 = nullptr;
    TImage* Image1 = nullptr;
    TPanel* Panel7 = nullptr;
    TImage* Image2 = nullptr;
    TImage* Image3 = nullptr;
    TEdit* Edit4 = nullptr;
    TEdit* Edit5 = nullptr;
    TEdit* Edit6 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TxpButton* xpButton1 = nullptr;
    TxpCheckBox* xpCheckBox1 = nullptr;
    TxpCheckBox* xpCheckBox2 = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QAction* N3 = nullptr;
    QMenu* N1 = nullptr;
    QAction* N2 = nullptr;
    QAction* N4 = nullptr;

    TTimer* Timer1 = nullptr;
    TTimer* Timer2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();   // the window's layout, in one place
    void ConnectHandlers();
    void SetUpRow1Animation();
    void SetUpRow2Animation();
    bool LowerLaneShown() const;
    void SwitchLanguage(TxpCheckBox* chosen, TxpCheckBox* other, Language language);
    void WriteTexts(const LessonTexts& texts);
    void WriteAccessibleNames(const LessonTexts& texts);

    TForm2* about_ = nullptr;
    TForm3* cribSheet_ = nullptr;
};
