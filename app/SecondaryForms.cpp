// The layouts of the About window and the crib sheet.
#include <QApplication>

#include "app/AboutForm.h"
#include "app/CribSheetForm.h"
#include "app/LanguageTable.h"
#include "app/LessonLook.h"
#include "app/UiFonts.h"
#include "toolkit/Screen.h"
#include "toolkit/Utf8.h"

namespace {

using namespace LessonColours;

void MakeFixedWindow(QWidget* window, const char* caption, int width, int height, const QColor& background)
{
    window->setWindowFlags(FixedBorderWindow(false));
    window->setWindowTitle(QString::fromUtf8(caption));
    window->setFixedSize(width, height);
    window->setFont(UiFont(11, false));
    QPalette p = window->palette();
    p.setColor(QPalette::Window, background);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    // Closing only hides the window; it is shown again from the menu as it was.
    window->setAttribute(Qt::WA_QuitOnClose, false);
    CentreOnScreen(window);
}

TMemo* MakeMemo(QWidget* parent, QRect box, const QFont& font, const QColor& text, const QColor& background)
{
    auto* memo = new TMemo(parent);
    memo->setGeometry(box);
    memo->setFont(font);
    QPalette p = memo->palette();
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Base, background);
    memo->setPalette(p);
    return memo;
}

} // namespace

TForm2::TForm2()
{
    MakeFixedWindow(this, "О программе", 265, 216, QColor(0x00, 0x83, 0xC1));
    const LessonTexts& russian = LanguageTable(Language::Russian);
    Label1 = MakeLabel(this, {0, 49, 265, 24}, "Движение во времени", UiFont(19, true), Cream,
                       LabelSize::Fixed, Qt::AlignHCenter);
    Label2 = MakeLabel(this, {0, 144, 265, 16}, russian.Author, UiFont(13, true), Silver,
                       LabelSize::Fixed, Qt::AlignHCenter);
    Label3 = MakeLabel(this, {0, 160, 265, 16}, russian.Supervisor, UiFont(13, true), Silver,
                       LabelSize::Fixed, Qt::AlignHCenter);
    Label4 = MakeLabel(this, {0, 186, 265, 13}, russian.Place, UiFont(11, true), Silver,
                       LabelSize::Fixed, Qt::AlignHCenter);
    Label5 = MakeLabel(this, {118, 200, 29, 13}, "2011", UiFont(11, true), Silver, LabelSize::Auto);
    Label6 = MakeLabel(this, {0, 8, 268, 13}, russian.School, UiFont(11, true), Silver,
                       LabelSize::Fixed, Qt::AlignHCenter);
    Label7 = MakeLabel(this, {218, 69, 29, 16}, "v1.0", UiFont(13, true), Silver, LabelSize::Auto);
    Memo1 = MakeMemo(this, {0, 82, 268, 57}, UiFont(13, true), White, QColor(0x00, 0x83, 0xC1));
    Memo1->setFrameStyle(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->SetCentred(true);
    // With leading and trailing blanks at start only: the language switch writes the lines without them.
    Memo1->SetLines({"      Демонстрационная ", "      программа по математике ", "      для учащихся 4-х классов"});
    Memo1->setAccessibleName(ToQString(russian.Accessible.Description));
}

TForm3::TForm3()
{
    MakeFixedWindow(this, "Шпаргалка", 520, 358, QColor(0x00, 0x80, 0xC0));
    Label1 = MakeLabel(this, {0, 8, 521, 20}, "СКОРОСТЬ. ВРЕМЯ. РАССТОЯНИЕ.", UiFont(16, true), White,
                       LabelSize::Fixed, Qt::AlignHCenter);
    const QColor windowText = palette().color(QPalette::Active, QPalette::WindowText);
    Memo1 = MakeMemo(this, {7, 30, 505, 321}, UiFont(19, false), windowText, White);
    Memo1->SetLines({"S (эс) - расстояние (пройденный путь)",
                     "Единицы измерения: км, м, дм, см, мм.",
                     "",
                     "t (тэ) - время (в пути)",
                     "Единицы измерения: ч, мин, с.",
                     "",
                     "v (вэ) - скорость - расстояние, пройденной телом за ",
                     "единицы времени.",
                     "Единицы измерения: км/ч, м/мин, м/с, км/с.",
                     "",
                     "S = v · t",
                     "t = S : v",
                     "v = S : t"});
    Memo2 = MakeMemo(this, {7, 30, 506, 321}, UiFont(19, false), windowText,
                     QApplication::palette().color(QPalette::Base));
    Memo2->SetLines({"S - distance (the passed way)",
                     "Units of measure: km, m, dm, sm, mm.",
                     "",
                     "t - time (in a way)",
                     "Units of measure: hours, minutes, seconds.",
                     "",
                     "v - speed - the distance, passed by a body for ",
                     "time units.",
                     "Units of measure: km/h, m/min, m/s, km/s.",
                     "",
                     "S = v · t",
                     "t = S : v",
                     "v = S : t"});
    Memo2->hide();
    setTabOrder(Memo1, Memo2);
    // A screen reader names the body after the heading above it.
    for (TMemo* body : {Memo1, Memo2})
        body->setAccessibleName(Label1->text());
}
