// The main window as the pupil first meets it.
#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "LessonFixture.h"

using MainWindowTest = LessonTest;

TEST_F(MainWindowTest, HasItsTitleAndFixedClientSize)
{
    EXPECT_EQ(form->windowTitle().toStdString(), "Velmora 1.0");
    EXPECT_EQ(form->Client->size(), QSize(919, 363));
    EXPECT_EQ(form->minimumSize(), form->maximumSize()) << "the window must not be resizable";
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainWindowTest, StartsWithTheLayoutTexts)
{
    EXPECT_EQ(form->UpperLane.ObjectList->Utf8Text(), "Автомобиль");
    EXPECT_EQ(form->LowerLane.ObjectList->Utf8Text(), "Пусто");
    EXPECT_EQ(form->UpperLane.ObjectList->count(), 12);
    EXPECT_EQ(form->LowerLane.ObjectList->count(), 13);
    EXPECT_EQ(form->LowerLane.ObjectList->itemText(12).toStdString(), "Пусто");
    EXPECT_EQ(form->Title->Caption(), "Движение во времени");
    EXPECT_EQ(form->DownloadText->Caption(), "Скачать эту и другие программы на сайте: ");
    EXPECT_EQ(form->LowerLane.TowardsBox->text().toStdString(), "<=");
    EXPECT_FALSE(form->LowerLane.TowardsBox->isChecked());
    EXPECT_TRUE(form->UpperLane.Picture->Visible());
    EXPECT_FALSE(form->LowerLane.Picture->Visible());
    EXPECT_FALSE(form->LowerLane.TowardsPicture->Visible());
    EXPECT_EQ(form->UpperLane.Picture->Picture().Width(), 142);
    EXPECT_EQ(form->UpperLane.Picture->Picture().Height(), 41);
    EXPECT_EQ(form->LowerLane.TowardsPicture->Picture().Width(), 0);
    EXPECT_EQ(form->Background->Picture().Width(), 920);
    EXPECT_EQ(form->Background->Picture().Height(), 385);
}

TEST_F(MainWindowTest, MenuHasItsItemsInOrder)
{
    const auto items = form->Menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text().toStdString(), "Шпаргалка");
    EXPECT_EQ(items[1]->text().toStdString(), "Помощь");
    EXPECT_EQ(items[2]->text().toStdString(), "Выход");
    EXPECT_EQ(form->AboutItem->text().toStdString(), "О програме");
}

TEST_F(MainWindowTest, TimersStartAsTheLessonNeeds)
{
    MainWindow fresh;
    EXPECT_FALSE(fresh.UpperLane.Timer->Enabled());
    EXPECT_TRUE(fresh.LowerLane.Timer->Enabled());
    EXPECT_EQ(fresh.UpperLane.Timer->Interval(), 100);
    EXPECT_EQ(fresh.LowerLane.Timer->Interval(), 100);
}

TEST_F(MainWindowTest, TabVisitsTheControlsInLessonOrder)
{
    form->show();
    QApplication::setActiveWindow(form.get());
    form->UpperLane.ObjectList->setFocus();
    const QWidget* expected[] = {form->LowerLane.ObjectList, form->UpperLane.Speed, form->UpperLane.Distance, form->UpperLane.Time, form->LowerLane.Time,
                                 form->LowerLane.Speed, form->LowerLane.Distance, form->LowerLane.TowardsBox, form->StartButton,
                                 form->SwitchToEnglish /* RU is disabled and skipped */, form->UpperLane.ObjectList};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* at = QApplication::focusWidget();
        ASSERT_NE(at, nullptr);
        // A list's text field is part of the list.
        if (at->parentWidget() == form->UpperLane.ObjectList || at->parentWidget() == form->LowerLane.ObjectList)
            at = at->parentWidget();
        EXPECT_EQ(at, next) << at->metaObject()->className();
    }
}

TEST_F(MainWindowTest, EveryLabelTextFitsItsBox)
{
    if (!QFontDatabase::hasFamily(QFont::substitute("MS Sans Serif")))
        GTEST_SKIP() << "no outline font for the layouts on this platform plugin (offscreen on Windows has none)";
    // Fixed boxes hold their text; the others size themselves to it within the window.
    for (TLabel* label : {form->LowerLane.TimeLabel, form->LowerLane.SpeedLabel, form->Title, form->LowerLane.DistanceLabel, form->UpperLane.TimeLabel, form->UpperLane.SpeedLabel,
                          form->UpperLane.DistanceLabel, form->DownloadText, form->WebLink}) {
        const QFontMetrics metrics(label->font());
        SCOPED_TRACE(label->text().toStdString());
        EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width());
        EXPECT_LE(metrics.height(), label->height());
        EXPECT_LE(label->geometry().right(), form->Client->width());
    }
    EXPECT_EQ(form->Title->geometry(), QRect(0, 3, 920, 24));
    EXPECT_LE(form->DownloadText->geometry().right(), form->WebLink->x()) << "the download text runs into the link";
}

TEST_F(MainWindowTest, LinkHighlightsUnderThePointerUntilTheStripIsCrossed)
{
    const QColor cream(0xFF, 0xFF, 0x80), white(0xFF, 0xFF, 0xFF);
    EXPECT_EQ(form->WebLink->palette().color(QPalette::WindowText), white);
    form->PointerOnWebLink(form->WebLink);
    EXPECT_EQ(form->WebLink->palette().color(QPalette::WindowText), cream);
    form->PointerOffWebLink(form->Background);
    EXPECT_EQ(form->WebLink->palette().color(QPalette::WindowText), white);
}

TEST_F(MainWindowTest, ComingBackFromAnotherWindowResetsOnlyTheUpperRun)
{
    form->show();
    about->show();
    QWidget box; // the error box is no window of the lesson's
    box.show();
    QApplication::setActiveWindow(form.get());
    form->LowerLane.ObjectList->setEditText(QStringLiteral("Автомобиль"));
    for (TEdit* field : {form->UpperLane.Time, form->UpperLane.Speed, form->LowerLane.Time, form->LowerLane.Speed})
        Type(field, "60");
    PressStart();
    for (int tick = 0; tick < 20; ++tick)
        form->LaneTick(tick % 2 == 0 ? form->UpperLane : form->LowerLane);
    QApplication::setActiveWindow(&box);
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(form->State().Upper().Position, 60);
    QApplication::setActiveWindow(about.get());
    QApplication::setActiveWindow(form.get());
    EXPECT_EQ(std::pair(form->State().Upper().Position, form->State().Lower().Position), std::pair(0, 60));
}
