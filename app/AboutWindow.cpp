#include "app/AboutWindow.h"

#include "app/LessonLook.h"
#include "app/UiFonts.h"
#include "toolkit/Utf8.h"

using namespace LessonColours;

AboutWindow::AboutWindow()
{
    const QColor background(0x00, 0x83, 0xC1);
    MakeSecondaryWindow(this, Lesson::LanguageTable(Lesson::Language::Russian).AboutCaption, 265, 216, background);
    const auto centred = [this](QRect box, int fontHeight, const QColor& colour) {
        return MakeLabel(this, box, "", UiFont(fontHeight, true), colour, LabelSize::Fixed, Qt::AlignHCenter);
    };
    Title = centred({0, 49, 265, 24}, 19, Cream);
    Author = centred({0, 144, 265, 16}, 13, Silver);
    Supervisor = centred({0, 160, 265, 16}, 13, Silver);
    Place = centred({0, 186, 265, 13}, 11, Silver);
    Year = MakeLabel(this, {118, 200, 29, 13}, "2011", UiFont(11, true), Silver, LabelSize::Auto);
    School = centred({0, 8, 268, 13}, 11, Silver);
    Version = MakeLabel(this, {218, 69, 29, 16}, "v1.0", UiFont(13, true), Silver, LabelSize::Auto);
    Description = MakeMemo(this, {0, 82, 268, 57}, UiFont(13, true), White, background);
    Description->setFrameStyle(QFrame::NoFrame);
    Description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Description->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Description->SetCentred(true);
    Description->SetLines({"", "", ""});
    WriteTexts(Lesson::LanguageTable(Lesson::Language::Russian), true);
}

void AboutWindow::WriteTexts(const Lesson::LessonTexts& texts, bool atStart)
{
    setWindowTitle(ToQString(texts.AboutCaption));
    School->SetCaption(texts.School);
    Title->SetCaption(texts.AboutTitle);
    for (size_t line = 0; line < texts.Description.size(); ++line)
        Description->SetLine(static_cast<int>(line),
                             Lesson::TextAt(atStart, texts.AtStart.Description[line], texts.Description[line]));
    Description->setAccessibleName(ToQString(texts.Accessible.Description));
    Author->SetCaption(texts.Author);
    Supervisor->SetCaption(texts.Supervisor);
    Place->SetCaption(texts.Place);
}
