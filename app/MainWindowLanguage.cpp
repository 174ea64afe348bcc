// The RU and EN boxes: the checked one is the language shown, and it cannot be unchecked.
#include <QAction>
#include <QLocale>
#include <QMenu>
#include <utility>

#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
#include "app/MainWindow.h"
#include "lesson/VehicleCatalogue.h"
#include "toolkit/StdAccessible.h"
#include "toolkit/Utf8.h"

void MainWindow::SwitchToEnglishClick(QObject*)
{
    SwitchLanguage(SwitchToEnglish, SwitchToRussian, Language::English);
}

void MainWindow::SwitchToRussianClick(QObject*)
{
    SwitchLanguage(SwitchToRussian, SwitchToEnglish, Language::Russian);
}

void MainWindow::SwitchLanguage(TxpCheckBox* chosen, TxpCheckBox* other, Language language)
{
    if (!chosen->Checked())
        return;
    other->SetEnabled(true);
    other->SetChecked(false);
    // Space switches straight back, and a typed key edits nothing. The focus moves before
    // the chosen box is disabled, so it never passes through the window on the way.
    other->setFocus(Qt::OtherFocusReason);
    chosen->SetEnabled(false);
    state_.Language = language;
    const LessonTexts& texts = LanguageTable(language);
    AsOneChange([&] {
        WriteTexts(texts);
        RenameListObjects(texts.Language);
    });
    Announce(this, ToQString(texts.Accessible.LanguageName));
}

// Writes every text of the three windows, shown or hidden, as a switch or start-up does.
void MainWindow::WriteTexts(const LessonTexts& texts, bool atStart)
{
    Title->SetCaption(texts.Title);
    StartButton->SetCaption(std::string(texts.Start));
    CribSheetItem->setText(ToQString(texts.CribMenu));
    HelpMenu->setTitle(ToQString(texts.HelpMenu));
    AboutItem->setText(ToQString(TextAt(atStart, texts.AtStart.AboutMenu, texts.AboutMenu)));
    ExitItem->setText(ToQString(texts.ExitMenu));
    DownloadText->SetCaption(texts.Download);
    if (about_)
        about_->WriteTexts(texts);
    if (cribSheet_)
        cribSheet_->WriteTexts(texts);
    WriteAccessibleNames(texts);
}

// The lists keep their items' places and their pictures: their texts change without
// the object-change handling, and each keeps naming the object its lane shows.
void MainWindow::RenameListObjects(Language language)
{
    const bool english = language == Language::English;
    for (LaneControls* lane : {&UpperLane, &LowerLane}) {
        TComboBox* list = lane->ObjectList;
        list->SetText(Lesson::ListTextIn(list->Text(), language));
        int index = 0;
        for (const Vehicle& v : VehicleCatalogue::Vehicles)
            list->SetItem(index++, english ? v.English : v.Russian);
        if (lane->State->HasEmptyEntry)
            list->SetItem(index, english ? VehicleCatalogue::EmptyEnglish : VehicleCatalogue::EmptyRussian);
    }
}

// What a screen reader announces for the main window's controls, in the lesson's language.
void MainWindow::WriteAccessibleNames(const LessonTexts& texts)
{
    const AccessibleNames& names = texts.Accessible;
    // The language a screen reader reads the window's texts in, its fields' and
    // announcements' among them.
    setLocale(QLocale(texts.Language == Language::English ? QLocale::English : QLocale::Russian));
    for (auto [lane, fields, list, track] :
         {std::tuple{&UpperLane, &names.UpperFields, names.UpperList, names.UpperLane},
          std::tuple{&LowerLane, &names.LowerFields, names.LowerList, names.LowerLane}}) {
        lane->Time->setAccessibleName(ToQString((*fields)[0]));
        lane->Speed->setAccessibleName(ToQString((*fields)[1]));
        lane->Distance->setAccessibleName(ToQString((*fields)[2]));
        // A list is announced by its own name; its text field, met when exploring, says the same.
        lane->ObjectList->setAccessibleName(ToQString(list));
        lane->ObjectList->lineEdit()->setAccessibleName(ToQString(list));
        lane->Track->setAccessibleName(ToQString(track));
    }
    LowerLane.TowardsBox->setAccessibleName(ToQString(names.Towards));
    SwitchToRussian->setAccessibleDescription(ToQString(names.RussianBox));
    SwitchToEnglish->setAccessibleDescription(ToQString(names.EnglishBox));
    for (TImage* picture : {UpperLane.Picture, LowerLane.Picture, LowerLane.TowardsPicture})
        picture->setAccessibleName(
            ToQString(Lesson::ObjectNameIn(picture->accessibleName().toStdString(), texts.Language)));
}
