// The RU and EN boxes: the checked one is the language shown, and it cannot be unchecked.
#include <QAction>
#include <QMenu>
#include <utility>

#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/MainForm.h"
#include "app/VehicleCatalogue.h"
#include "toolkit/StdAccessible.h"
#include "toolkit/Utf8.h"

namespace {

// The object a lane picture shows, named in the chosen language; a name that is no
// object's stays as it is.
QString ObjectNameIn(const QString& name, bool english)
{
    const Vehicle* named = VehicleCatalogue::FindByName(name.toStdString());
    if (named == nullptr)
        return name;
    return ToQString(english ? named->English : named->Russian);
}

// What a list reads in the chosen language: the object or the empty entry its text
// names, else the language's default object.
std::string ListTextIn(const std::string& text, const LessonTexts& texts)
{
    const bool english = texts.Language == Language::English;
    if (const Vehicle* named = VehicleCatalogue::FindByName(text))
        return std::string(english ? named->English : named->Russian);
    if (VehicleCatalogue::IsEmptyEntry(text))
        return std::string(english ? VehicleCatalogue::EmptyEnglish : VehicleCatalogue::EmptyRussian);
    return std::string(texts.ListText);
}

} // namespace

void TForm1::xpCheckBox2Click(QObject*)
{
    SwitchLanguage(xpCheckBox2, xpCheckBox1, Language::English);
}

void TForm1::xpCheckBox1Click(QObject*)
{
    SwitchLanguage(xpCheckBox1, xpCheckBox2, Language::Russian);
}

void TForm1::SwitchLanguage(TxpCheckBox* chosen, TxpCheckBox* other, Language language)
{
    if (!chosen->Checked())
        return;
    chosen->SetEnabled(false);
    other->SetEnabled(true);
    other->SetChecked(false);
    // Space switches straight back, and a typed key edits nothing.
    other->setFocus(Qt::OtherFocusReason);
    const LessonTexts& texts = LanguageTable(language);
    AsOneChange([&] { WriteTexts(texts); });
    Announce(this, ToQString(texts.Accessible.LanguageName));
}

// Writes every text of the three windows, shown or hidden. The lists keep their items'
// places and their pictures: their texts change without the object-change handling.
void TForm1::WriteTexts(const LessonTexts& texts)
{
    Label3->SetCaption(texts.Title);
    xpButton1->SetCaption(std::string(texts.Start));
    N3->setText(ToQString(texts.CribMenu));
    N1->setTitle(ToQString(texts.HelpMenu));
    N2->setText(ToQString(texts.AboutMenu));
    N4->setText(ToQString(texts.ExitMenu));
    Label8->SetCaption(texts.Download);

    if (about_) {
        about_->setWindowTitle(ToQString(texts.AboutCaption));
        about_->Label6->SetCaption(texts.School);
        about_->Label1->SetCaption(texts.AboutTitle);
        for (int line = 0; line < 3; ++line)
            about_->Memo1->SetLine(line, texts.Description[static_cast<size_t>(line)]);
        about_->Memo1->setAccessibleName(ToQString(texts.Accessible.Description));
        about_->Label2->SetCaption(texts.Author);
        about_->Label3->SetCaption(texts.Supervisor);
        about_->Label4->SetCaption(texts.Place);
    }
    const bool english = texts.Language == Language::English;
    if (cribSheet_) {
        cribSheet_->setWindowTitle(ToQString(texts.CribCaption));
        cribSheet_->Label1->SetCaption(texts.CribHeading);
        cribSheet_->Memo1->setVisible(!english);
        cribSheet_->Memo2->setVisible(english);
        for (TMemo* body : {cribSheet_->Memo1, cribSheet_->Memo2})
            body->setAccessibleName(ToQString(texts.CribHeading));
    }

    // A list keeps naming the object its lane shows.
    ComboBox1->SetText(ListTextIn(ComboBox1->Text(), texts));
    ComboBox2->SetText(ListTextIn(ComboBox2->Text(), texts));
    int index = 0;
    for (const Vehicle& v : VehicleCatalogue::Vehicles) {
        const std::string_view name = english ? v.English : v.Russian;
        ComboBox1->SetItem(index, name);
        ComboBox2->SetItem(index, name);
        ++index;
    }
    ComboBox2->SetItem(index, english ? VehicleCatalogue::EmptyEnglish : VehicleCatalogue::EmptyRussian);
    WriteAccessibleNames(texts);
}

// What a screen reader announces for the main window's controls, in the lesson's language.
void TForm1::WriteAccessibleNames(const LessonTexts& texts)
{
    const AccessibleNames& names = texts.Accessible;
    TEdit* const upper[] = {Edit1, Edit2, Edit3};
    TEdit* const lower[] = {Edit4, Edit5, Edit6};
    for (size_t i = 0; i < 3; ++i) {
        upper[i]->setAccessibleName(ToQString(names.UpperFields[i]));
        lower[i]->setAccessibleName(ToQString(names.LowerFields[i]));
    }
    // A list is announced by its own name; its text field, met when exploring, says the same.
    for (auto [list, name] : {std::pair{ComboBox1, names.UpperList}, std::pair{ComboBox2, names.LowerList}}) {
        list->setAccessibleName(ToQString(name));
        list->lineEdit()->setAccessibleName(ToQString(name));
    }
    Panel6->setAccessibleName(ToQString(names.UpperLane));
    Panel7->setAccessibleName(ToQString(names.LowerLane));
    CheckBox1->setAccessibleName(ToQString(names.Towards));
    xpCheckBox1->setAccessibleDescription(ToQString(names.RussianBox));
    xpCheckBox2->setAccessibleDescription(ToQString(names.EnglishBox));
    for (TImage* picture : {Image1, Image2, Image3})
        picture->setAccessibleName(ObjectNameIn(picture->accessibleName(), texts.Language == Language::English));
}
