// The main window as the pupil first meets it.
#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "LessonFixture.h"

using MainWindow = LessonTest;

TEST_F(MainWindow, HasItsTitleAndFixedClientSize)
{
    EXPECT_EQ(form->windowTitle().toStdString(), "Velmora 1.0");
    EXPECT_EQ(form->Client->size(), QSize(919, 363));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "the window must not be resizable";
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainWindow, StartsWithTheLayoutTexts)
{
    EXPECT_EQ(form->ComboBox1->Text(), "Автомобиль");
    EXPECT_EQ(form->ComboBox2->Text(), "Пусто");
    EXPECT_EQ(form->ComboBox1->count(), 12);
    EXPECT_EQ(form->ComboBox2->count(), 13);
    EXPECT_EQ(form->ComboBox2->itemText(12).toStdString(), "Пусто");
    EXPECT_EQ(form->Label3->Caption(), "Движение во времени");
    EXPECT_EQ(form->Label8->Caption(), "Скачать эту и другие программы на сайте: ");
    EXPECT_EQ(form->CheckBox1->text().toStdString(), "<=");
    EXPECT_FALSE(form->CheckBox1->Checked());
    EXPECT_TRUE(form->Image1->Visible());
    EXPECT_FALSE(form->Image2->Visible());
    EXPECT_FALSE(form->Image3->Visible());
    EXPECT_EQ(form->Image1->Picture().Width(), 142);
    EXPECT_EQ(form->Image1->Picture().Height(), 41);
    EXPECT_EQ(form->Image3->Picture().Width(), 0);
    EXPECT_EQ(form->Image4->Picture().Width(), 920);
    EXPECT_EQ(form->Image4->Picture().Height(), 385);
}

TEST_F(MainWindow, MenuHasItsItemsInOrder)
{
    const auto items = form->MainMenu1->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text().toStdString(), "Шпаргалка");
    EXPECT_EQ(items[1]->text().toStdString(), "Помощь");
    EXPECT_EQ(items[2]->text().toStdString(), "Выход");
    EXPECT_EQ(form->N2->text().toStdString(), "О програме");
}

TEST_F(MainWindow, TimersStartAsTheLessonNeeds)
{
    TForm1 fresh;
    EXPECT_FALSE(fresh.Timer1->Enabled());
    EXPECT_TRUE(fresh.Timer2->Enabled());
    EXPECT_EQ(fresh.Timer1->Interval(), 100);
    EXPECT_EQ(fresh.Timer2->Interval(), 100);
}

TEST_F(MainWindow, TabVisitsTheControlsInLessonOrder)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    form->ComboBox1->setFocus();
    const QWidget* expected[] = {form->ComboBox2, form->Edit2, form->Edit3, form->Edit1, form->Edit4,
                                 form->Edit5, form->Edit6, form->CheckBox1, form->xpButton1,
                                 form->xpCheckBox2 /* RU is disabled and skipped */, form->ComboBox1};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* at = QApplication::focusWidget();
        ASSERT_NE(at, nullptr);
        // A list's text field is part of the list.
        if (at->parentWidget() == form->ComboBox1 || at->parentWidget() == form->ComboBox2)
            at = at->parentWidget();
        EXPECT_EQ(at, next) << at->metaObject()->className();
    }
}

TEST_F(MainWindow, EveryLabelTextFitsItsBox)
{
    if (!QFontDatabase::hasFamily(QFont::substitute("MS Sans Serif")))
        GTEST_SKIP() << "no outline font for the layouts on this platform plugin (offscreen on Windows has none)";
    // Fixed boxes hold their text; the others size themselves to it within the window.
    for (TLabel* label : {form->Label1, form->Label2, form->Label3, form->Label4, form->Label5, form->Label6,
                          form->Label7, form->Label8, form->Label9}) {
        const QFontMetrics metrics(label->font());
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
        EXPECT_LE(metrics.height(), label->height());
        EXPECT_LE(label->geometry().right(), form->Client->width());
    }
    EXPECT_EQ(form->Label3->geometry(), QRect(0, 3, 920, 24));
    EXPECT_LE(form->Label8->geometry().right(), form->Label9->x()) << "the download text runs into the link";
}

TEST_F(MainWindow, LinkHighlightsUnderThePointerUntilTheStripIsCrossed)
{
    const QColor cream(0xFF, 0xFF, 0x80), white(0xFF, 0xFF, 0xFF);
    EXPECT_EQ(form->Label9->palette().color(QPalette::WindowText), white);
    form->Label9MouseMove(form->Label9);
    EXPECT_EQ(form->Label9->palette().color(QPalette::WindowText), cream);
    form->Label8MouseMove(form->Image4);
    EXPECT_EQ(form->Label9->palette().color(QPalette::WindowText), white);
}

TEST_F(MainWindow, ComingBackFromAnotherWindowResetsOnlyTheUpperRun)
{
    form->show();
    about->show();
    QWidget box; // the error box is no window of the lesson's
    box.show();
    QApplication::setActiveWindow(form.get());
    form->State.Pos1 = 120;
    form->State.Pos2 = 60;
    QApplication::setActiveWindow(&box);
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->State.Pos1, 120);
    QApplication::setActiveWindow(about.get());
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->State.Pos1, 0);
    EXPECT_EQ(form->State.Pos2, 60);
}
