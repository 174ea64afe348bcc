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
    void ToEnglish() { ClickBox(form->xpCheckBox2); }
    void ToRussian() { ClickBox(form->xpCheckBox1); }
};

TEST_F(LanguageSwitch, TheCurrentLanguageBoxIgnoresClicks)
{
    form->show();
    ToRussian();
    EXPECT_TRUE(form->xpCheckBox1->Checked());
    EXPECT_FALSE(form->xpCheckBox1->Enabled());
    EXPECT_EQ(form->Label3->Caption(), "Движение во времени");
    ToEnglish();
    ToEnglish();
    EXPECT_TRUE(form->xpCheckBox2->Checked());
    EXPECT_FALSE(form->xpCheckBox2->Enabled());
    EXPECT_FALSE(form->xpCheckBox1->Checked());
    EXPECT_TRUE(form->xpCheckBox1->Enabled());
}

TEST_F(LanguageSwitch, FocusGoesToTheBoxJustEnabledSoKeysEditNothing)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    ToEnglish(); // by mouse
    EXPECT_TRUE(form->xpCheckBox1->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_EQ(form->ComboBox1->Text(), "Car");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // by keyboard, back to Russian
    EXPECT_TRUE(form->xpCheckBox1->Checked());
    EXPECT_TRUE(form->xpCheckBox2->hasFocus());
    QTest::keyClicks(QApplication::focusWidget(), "x");
    EXPECT_EQ(form->ComboBox1->Text(), "Автомобиль");
    EXPECT_TRUE(errors.empty());
}

TEST_F(LanguageSwitch, EnglishRewritesAllThreeWindowsShownOrHidden)
{
    form->show();
    about->show();
    ToEnglish();
    EXPECT_EQ(form->Label3->Caption(), "Movement in time");
    EXPECT_EQ(form->xpButton1->Caption(), "Start");
    EXPECT_EQ(form->N3->text().toStdString(), "Crib");
    EXPECT_EQ(form->N1->title().toStdString(), "Help");
    EXPECT_EQ(form->N2->text().toStdString(), "About the program");
    EXPECT_EQ(form->N4->text().toStdString(), "Exit");
    EXPECT_EQ(form->Label8->Caption(), "To download this and other programs on a site:");
    EXPECT_EQ(Title(about.get()), "About the program");
    EXPECT_EQ(about->Label1->Caption(), "Movement  in  time");
    EXPECT_EQ(about->Memo1->Lines(),
              (std::vector<std::string>{"The demonstration", "program on the mathematician", "for pupils of 4 classes"}));
    EXPECT_EQ(Title(crib.get()), "Crib");
    EXPECT_EQ(crib->Label1->Caption(), "SPEED. TIME. DISTANCE.");
    EXPECT_TRUE(crib->Memo1->isHidden());
    EXPECT_FALSE(crib->Memo2->isHidden());
    EXPECT_EQ(form->ComboBox1->itemText(0).toStdString(), "Car");
    EXPECT_EQ(form->ComboBox2->itemText(12).toStdString(), "It is empty");
    EXPECT_EQ(form->Label5->Caption(), "t=") << "formula labels never change";
}

TEST_F(LanguageSwitch, BackToRussianUsesTheTableTexts)
{
    form->show();
    EXPECT_EQ(about->Memo1->Lines()[0], "      Демонстрационная ");
    ToEnglish();
    ToRussian();
    EXPECT_EQ(form->N2->text().toStdString(), "О программе") << "the layout's misspelling is gone";
    EXPECT_EQ(about->Memo1->Lines(),
              (std::vector<std::string>{"Демонстрационная", "программа по математике", "для учащихся 4-х классов"}));
    EXPECT_EQ(Title(crib.get()), "Шпаргалка");
    EXPECT_FALSE(crib->Memo1->isHidden());
    EXPECT_TRUE(crib->Memo2->isHidden());
    EXPECT_EQ(form->Label8->Caption(), "Скачать эту и другие программы на сайте: ");
}

TEST_F(LanguageSwitch, ListsNameTheirLanesObjectsInTheNewLanguageAndKeepThePictures)
{
    form->show();
    form->ComboBox1->setCurrentIndex(5); // "Яхта"
    Type(form->Edit1, "3");
    const int yachtWidth = form->Image1->Picture().Width();
    ToEnglish();
    EXPECT_EQ(form->ComboBox1->Text(), "Yacht");
    EXPECT_EQ(form->ComboBox2->Text(), "It is empty");
    EXPECT_EQ(form->ComboBox1->currentIndex(), 5);
    EXPECT_EQ(form->State.PictureName1, "6.jpg");
    EXPECT_EQ(form->Image1->Picture().Width(), yachtWidth);
    EXPECT_EQ(Text(form->Edit1), "3") << "no object change runs";
    EXPECT_FALSE(form->Image2->Visible()) << "row 2 stays empty";

    // A text that names nothing gets the language's default object.
    struct Case {
        const char* typed;
        const char* english;
        const char* russian;
    };
    for (const Case& c : {Case{"Мотоцикл", "Motorcycle", "Мотоцикл"}, Case{"Plane", "Plane", "Самолет"},
                          Case{"Пусто", "It is empty", "Пусто"}, Case{"Мото", "Car", "Автомобиль"}}) {
        ToRussian();
        form->ComboBox2->SetText(c.typed);
        ToEnglish();
        EXPECT_EQ(form->ComboBox2->Text(), c.english) << c.typed;
        ToRussian();
        EXPECT_EQ(form->ComboBox2->Text(), c.russian) << c.typed;
    }
    EXPECT_TRUE(errors.empty()) << LastMessage();
}

TEST_F(LanguageSwitch, TypedCribSheetTextSurvivesSwitches)
{
    form->show();
    crib->Memo1->append(QStringLiteral("моя заметка"));
    ToEnglish();
    crib->Memo2->append(QStringLiteral("my note"));
    ToRussian();
    EXPECT_EQ(crib->Memo1->Lines().back(), "моя заметка");
    EXPECT_EQ(crib->Memo2->Lines().back(), "my note");
    EXPECT_EQ(crib->Memo1->Lines().size(), 14u);
}

TEST_F(LanguageSwitch, MenuShowsTheSecondaryWindowsModelessly)
{
    form->show();
    form->N3->trigger();
    EXPECT_TRUE(crib->isVisible());
    EXPECT_EQ(crib->windowModality(), Qt::NonModal);
    form->N2->trigger();
    EXPECT_TRUE(about->isVisible());
    about->close();
    EXPECT_FALSE(about->isVisible());
    form->N2->trigger();
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(crib->size(), QSize(520, 358));
    EXPECT_EQ(about->size(), QSize(265, 216));
    EXPECT_EQ(crib->Memo1->Lines().size(), 13u);
    EXPECT_EQ(crib->Memo1->Lines()[10], "S = v · t");
    EXPECT_EQ(crib->Memo1->Lines()[6], "v (вэ) - скорость - расстояние, пройденной телом за ");
}
