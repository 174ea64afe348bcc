// The RU and EN boxes: a click switches the lesson's language; the boxes show the language.
#include <QAction>
#include <QLocale>
#include <QMenu>
#include <utility>

#include "accessibility/Announce.h"
#include "accessibility/QuietEvents.h"
#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
#include "app/MainWindow.h"
#include "toolkit/Utf8.h"

void MainWindow::SwitchLanguage(Lesson::Language language)
{
    if (language == state_.Language())
        return;
    const Lesson::LanguageSwitch shown =
        state_.SwitchLanguage(language, UpperLane.ObjectList->Utf8Text(), LowerLane.ObjectList->Utf8Text());
    // The box of the lesson's language is checked and disabled, the other enabled for the switch back.
    TxpCheckBox* chosen = language == Lesson::Language::English ? SwitchToEnglish : SwitchToRussian;
    TxpCheckBox* other = chosen == SwitchToEnglish ? SwitchToRussian : SwitchToEnglish;
    other->setEnabled(true);
    other->SetChecked(false);
    // Space switches straight back, and a typed key edits nothing. The focus moves before
    // the chosen box is disabled, so it never passes through the window on the way.
    other->setFocus(Qt::OtherFocusReason);
    chosen->SetChecked(true);
    chosen->setEnabled(false);
    AsOneChange([&] {
        WriteTexts(shown.Texts);
        // The pictures are named after the objects they show. The lists keep their items'
        // places and their pictures: their texts change without the object-change handling,
        // and each keeps naming the object its lane shows.
        UpperLane.Picture->setAccessibleName(ToQString(shown.Upper.PictureName));
        LowerLane.Picture->setAccessibleName(ToQString(shown.Lower.PictureName));
        LowerLane.TowardsPicture->setAccessibleName(ToQString(shown.Lower.TowardsPictureName));
        for (auto [list, lane] : {std::pair{UpperLane.ObjectList, &shown.Upper}, {LowerLane.ObjectList, &shown.Lower}}) {
            list->SetTextFromStart(lane->ListText);
            for (int index = 0; index < static_cast<int>(lane->ListItems.size()); ++index)
                list->SetItem(index, lane->ListItems[static_cast<size_t>(index)]);
        }
    });
    Announce(this, ToQString(shown.Texts.Accessible.LanguageName));
}

// Writes every text of the three windows, shown or hidden, as a switch or start-up does.
void MainWindow::WriteTexts(const Lesson::LessonTexts& texts, bool atStart)
{
    Title->SetCaption(texts.Title);
    StartButton->SetCaption(std::string(texts.Start));
    CribSheetItem->setText(ToQString(texts.CribMenu));
    HelpMenu->setTitle(ToQString(texts.HelpMenu));
    AboutItem->setText(ToQString(Lesson::TextAt(atStart, texts.AtStart.AboutMenu, texts.AboutMenu)));
    ExitItem->setText(ToQString(texts.ExitMenu));
    DownloadText->SetCaption(texts.Download);
    if (about_)
        about_->WriteTexts(texts);
    if (cribSheet_)
        cribSheet_->WriteTexts(texts);
    WriteAccessibleNames(texts);
}

// What a screen reader announces for the main window's controls, in the lesson's language.
void MainWindow::WriteAccessibleNames(const Lesson::LessonTexts& texts)
{
    const Lesson::AccessibleNames& names = texts.Accessible;
    // The language a screen reader reads the window's texts in, its fields' and
    // announcements' among them.
    setLocale(QLocale(texts.Language == Lesson::Language::English ? QLocale::English : QLocale::Russian));
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
}
