#include "app/CribSheetWindow.h"

#include <QApplication>

#include "app/LessonLook.h"
#include "app/UiFonts.h"
#include "toolkit/Utf8.h"

CribSheetWindow::CribSheetWindow()
{
    const Lesson::LessonTexts& russian = Lesson::LanguageTable(Lesson::Language::Russian);
    MakeSecondaryWindow(this, russian.CribCaption, 520, 358, QColor(0x00, 0x80, 0xC0));
    Heading = MakeLabel(this, {0, 8, 521, 20}, "", UiFont(16, true), LessonColours::White, LabelSize::Fixed,
                        Qt::AlignHCenter);
    const QColor windowText = palette().color(QPalette::Active, QPalette::WindowText);
    RussianBody = MakeMemo(this, {7, 30, 505, 321}, UiFont(19, false), windowText, LessonColours::White);
    RussianBody->SetLines({"S (эс) - расстояние (пройденный путь)",
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
    EnglishBody = MakeMemo(this, {7, 30, 506, 321}, UiFont(19, false), windowText,
                           QApplication::palette().color(QPalette::Base));
    EnglishBody->SetLines({"S - distance (the passed way)",
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
    setTabOrder(RussianBody, EnglishBody);
    WriteTexts(russian);
}

void CribSheetWindow::WriteTexts(const Lesson::LessonTexts& texts)
{
    setWindowTitle(ToQString(texts.CribCaption));
    Heading->SetCaption(texts.CribHeading);
    const bool english = texts.Language == Lesson::Language::English;
    RussianBody->setVisible(!english);
    EnglishBody->setVisible(english);
    // A screen reader names the body after the heading above it.
    for (TMemo* body : {RussianBody, EnglishBody})
        body->setAccessibleName(ToQString(texts.CribHeading));
}
