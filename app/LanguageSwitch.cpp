// The RU and EN boxes: the checked one is the language shown, and it cannot be unchecked.
#include <QAction>
#include <QMenu>

#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/MainForm.h"
#include "app/VehicleCatalogue.h"

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
    WriteTexts(LanguageTable(language));
}

// Writes every text of the three windows, shown or hidden. The lists keep their items'
// places and their pictures: their texts change without the object-change handling.
void TForm1::WriteTexts(const LessonTexts& texts)
{
    const auto q = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    Label3->SetCaption(texts.Title);
    xpButton1->SetCaption(std::string(texts.Start));
    N3->setText(q(texts.CribMenu));
    N1->setTitle(q(texts.HelpMenu));
    N2->setText(q(texts.AboutMenu));
    N4->setText(q(texts.ExitMenu));
    Label8->SetCaption(texts.Download);

    if (about_) {
        about_->setWindowTitle(q(texts.AboutCaption));
        about_->Label6->SetCaption(texts.School);
        about_->Label1->SetCaption(texts.AboutTitle);
        for (int line = 0; line < 3; ++line)
            about_->Memo1->SetLine(line, texts.Description[static_cast<size_t>(line)]);
        about_->Label2->SetCaption(texts.Author);
        about_->Label3->SetCaption(texts.Supervisor);
        about_->Label4->SetCaption(texts.Place);
    }
    if (cribSheet_) {
        cribSheet_->setWindowTitle(q(texts.CribCaption));
        cribSheet_->Label1->SetCaption(texts.CribHeading);
        cribSheet_->Memo1->setVisible(!texts.EnglishBody);
        cribSheet_->Memo2->setVisible(texts.EnglishBody);
    }

    const bool english = texts.EnglishBody;
    ComboBox1->SetText(texts.ListText);
    ComboBox2->SetText(texts.ListText);
    int index = 0;
    for (const Vehicle& v : VehicleCatalogue::Vehicles) {
        const std::string_view name = english ? v.English : v.Russian;
        ComboBox1->SetItem(index, name);
        ComboBox2->SetItem(index, name);
        ++index;
    }
    ComboBox2->SetItem(index, english ? VehicleCatalogue::EmptyEnglish : VehicleCatalogue::EmptyRussian);
}
