// The RU and EN boxes switch every text of the three windows.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "LessonFixture.h"

namespace {
std::string Title(const QWidget* window)
{
    return window->windowTitle().toStdString();
}
}

class LanguageSwitch : public LessonTest {
protected:
    void ClickBox(TxpCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 8)); }
    void ToEnglish() { ClickBox(form->SwitchToEnglish); }
    void ToRussian() { ClickBox(form->SwitchToRussian); }
};

TEST_F(LanguageSwitch, TheCurrentLanguageBoxIgnoresClicks)
{
    form->show();
    ToRussian();
    EXPECT_TRUE(form->SwitchToRussian->Checked());
    EXPECT_FALSE(form->SwitchToRussian->Enabled());
    EXPECT_EQ(form->Title->Caption(), "Движение во времени");
    ToEnglish();
    ToEnglish();
    EXPECT_TRUE(form->SwitchToEnglish->Checked());
    EXPECT_FALSE(form->SwitchToEnglish->Enabled());
    EXPECT_FALSE(form->SwitchToRussian->Checked());
    EXPECT_TRUE(form->SwitchToRussian->Enabled());
}

TEST_F(LanguageSwitch, FocusGoesToTheBoxJustEnabledSoKeysEditNothing)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    ToEnglish(); // by mouse
    EXPECT_TRUE(form->SwitchToRussian->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_EQ(form->UpperLane.ObjectList->Utf8Text(), "Car");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // by keyboard, back to Russian
    EXPECT_TRUE(form->SwitchToRussian->Checked());
    EXPECT_TRUE(form->SwitchToEnglish->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_EQ(form->UpperLane.ObjectList->Utf8Text(), "Автомобиль");
    EXPECT_TRUE(errors.empty());
}

TEST_F(LanguageSwitch, EnglishRewritesAllThreeWindowsShownOrHidden)
{
    form->show();
    about->show();
    ToEnglish();
    EXPECT_EQ(form->Title->Caption(), "Movement in time");
    EXPECT_EQ(form->StartButton->Caption(), "Start");
    EXPECT_EQ(form->CribSheetItem->text().toStdString(), "Crib");
    EXPECT_EQ(form->HelpMenu->title().toStdString(), "Help");
    EXPECT_EQ(form->AboutItem->text().toStdString(), "About the program");
    EXPECT_EQ(form->ExitItem->text().toStdString(), "Exit");
    EXPECT_EQ(form->DownloadText->Caption(), "To download this and other programs on a site:");
    EXPECT_EQ(Title(about.get()), "About the program");
    EXPECT_EQ(about->Title->Caption(), "Movement  in  time");
    EXPECT_EQ(about->Description->Lines(),
              (std::vector<std::string>{"The demonstration", "program on the mathematician", "for pupils of 4 classes"}));
    EXPECT_EQ(Title(crib.get()), "Crib");
    EXPECT_EQ(crib->Heading->Caption(), "SPEED. TIME. DISTANCE.");
    EXPECT_TRUE(crib->RussianBody->isHidden());
    EXPECT_FALSE(crib->EnglishBody->isHidden());
    EXPECT_EQ(form->UpperLane.ObjectList->itemText(0).toStdString(), "Car");
    EXPECT_EQ(form->LowerLane.ObjectList->itemText(12).toStdString(), "It is empty");
    EXPECT_EQ(form->UpperLane.TimeLabel->Caption(), "t=") << "formula labels never change";
}

TEST_F(LanguageSwitch, BackToRussianUsesTheTableTexts)
{
    form->show();
    EXPECT_EQ(about->Description->Lines()[0], "      Демонстрационная ");
    ToEnglish();
    ToRussian();
    EXPECT_EQ(form->AboutItem->text().toStdString(), "О программе") << "the layout's misspelling is gone";
    EXPECT_EQ(about->Description->Lines(),
              (std::vector<std::string>{"Демонстрационная", "программа по математике", "для учащихся 4-х классов"}));
    EXPECT_EQ(Title(crib.get()), "Шпаргалка");
    EXPECT_FALSE(crib->RussianBody->isHidden());
    EXPECT_TRUE(crib->EnglishBody->isHidden());
    EXPECT_EQ(form->DownloadText->Caption(), "Скачать эту и другие программы на сайте: ");
}

TEST_F(LanguageSwitch, ListsNameTheirLanesObjectsInTheNewLanguageAndKeepThePictures)
{
    form->show();
    form->UpperLane.ObjectList->setCurrentIndex(5); // "Яхта"
    Type(form->UpperLane.Time, "3");
    const int yachtWidth = form->UpperLane.Picture->Picture().Width();
    ToEnglish();
    EXPECT_EQ(form->UpperLane.ObjectList->Utf8Text(), "Yacht");
    EXPECT_EQ(form->LowerLane.ObjectList->Utf8Text(), "It is empty");
    EXPECT_EQ(form->UpperLane.ObjectList->currentIndex(), 5);
    EXPECT_EQ(form->UpperLane.Picture->Picture().Width(), yachtWidth);
    EXPECT_EQ(Text(form->UpperLane.Time), "3") << "no object change runs";
    EXPECT_FALSE(form->LowerLane.Picture->Visible()) << "row 2 stays empty";

    // A text that names nothing gets the language's default object.
    struct Case {
        const char* typed;
        const char* english;
        const char* russian;
    };
    for (const Case& c : {Case{"Мотоцикл", "Motorcycle", "Мотоцикл"}, Case{"Plane", "Plane", "Самолет"},
                          Case{"Пусто", "It is empty", "Пусто"}, Case{"Мото", "Car", "Автомобиль"}}) {
        ToRussian();
        form->LowerLane.ObjectList->SetTextFromStart(c.typed);
        ToEnglish();
        EXPECT_EQ(form->LowerLane.ObjectList->Utf8Text(), c.english) << c.typed;
        ToRussian();
        EXPECT_EQ(form->LowerLane.ObjectList->Utf8Text(), c.russian) << c.typed;
    }
    EXPECT_TRUE(errors.empty()) << LastMessage();
}

TEST_F(LanguageSwitch, TypedCribSheetTextSurvivesSwitches)
{
    form->show();
    crib->RussianBody->append(QStringLiteral("моя заметка"));
    ToEnglish();
    crib->EnglishBody->append(QStringLiteral("my note"));
    ToRussian();
    EXPECT_EQ(crib->RussianBody->Lines().back(), "моя заметка");
    EXPECT_EQ(crib->EnglishBody->Lines().back(), "my note");
    EXPECT_EQ(crib->RussianBody->Lines().size(), 14u);
}

TEST_F(LanguageSwitch, MenuShowsTheSecondaryWindowsModelessly)
{
    form->show();
    form->CribSheetItem->trigger();
    EXPECT_TRUE(crib->isVisible());
    EXPECT_EQ(crib->windowModality(), Qt::NonModal);
    form->AboutItem->trigger();
    EXPECT_TRUE(about->isVisible());
    about->close();
    EXPECT_FALSE(about->isVisible());
    form->AboutItem->trigger();
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(crib->size(), QSize(520, 358));
    EXPECT_EQ(about->size(), QSize(265, 216));
    EXPECT_EQ(crib->RussianBody->Lines().size(), 13u);
    EXPECT_EQ(crib->RussianBody->Lines()[10], "S = v · t");
    EXPECT_EQ(crib->RussianBody->Lines()[6], "v (вэ) - скорость - расстояние, пройденной телом за ");
}
