// The whole lesson from the keyboard alone: Tab through the fields, Space or Enter on
// the start button, Space on the language boxes, F10 for the menu.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "LessonFixture.h"

namespace {

class Keyboard : public LessonTest {
protected:
    void SetUp() override
    {
        LessonTest::SetUp();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void TearDown() override
    {
        // A menu left open would hold the keyboard for the next test.
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        LessonTest::TearDown();
    }

    // Typed where the keyboard focus is, or into the open menu.
    static void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "the keyboard focus is lost";
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    static void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), QString::fromUtf8(text)); }

    // The control with the focus; a list's text field counts as the list.
    QWidget* Focused() const
    {
        QWidget* at = QApplication::focusWidget();
        if (at && (at->parentWidget() == form->UpperLane.ObjectList || at->parentWidget() == form->LowerLane.ObjectList))
            at = at->parentWidget();
        return at;
    }

    void TabTo(QWidget* control)
    {
        for (int presses = 0; presses < 16 && Focused() != control; ++presses)
            Key(Qt::Key_Tab);
        ASSERT_EQ(Focused(), control);
    }
};

} // namespace

TEST_F(Keyboard, WholeLessonByKeys)
{
    form->UpperLane.ObjectList->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), form->UpperLane.Speed);
    Type("60");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), form->UpperLane.Time);
    Type("3");
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), form->StartButton);
    Key(Qt::Key_Space);
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->UpperLane.Distance), "180");
    EXPECT_EQ(form->State().Upper().Step, 6);
    EXPECT_TRUE(form->UpperLane.Timer->Enabled());
}

TEST_F(Keyboard, EnterOnTheStartButtonRunsTheCalculation)
{
    form->UpperLane.Time->SetTextFromStart("2");
    form->UpperLane.Distance->SetTextFromStart("100");
    form->UpperLane.ObjectList->setFocus(Qt::TabFocusReason);
    TabTo(form->StartButton);
    Key(Qt::Key_Return);
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->UpperLane.Speed), "50");
}

TEST_F(Keyboard, SpaceOnTheLanguageBoxesSwitchesBothWays)
{
    form->StartButton->setFocus(Qt::TabFocusReason);
    TabTo(form->SwitchToEnglish);
    Key(Qt::Key_Space);
    EXPECT_TRUE(form->SwitchToEnglish->Checked());
    EXPECT_EQ(form->StartButton->Caption(), "Start");
    ASSERT_NE(Focused(), nullptr) << "disabling the box must not lose the focus";
    EXPECT_NE(Focused(), form->SwitchToEnglish);

    TabTo(form->SwitchToRussian);
    Key(Qt::Key_Space);
    EXPECT_TRUE(form->SwitchToRussian->Checked());
    EXPECT_FALSE(form->SwitchToEnglish->Checked());
    EXPECT_EQ(form->StartButton->Caption(), "Старт");
}

TEST_F(Keyboard, F10ThenArrowsAndReturnShowTheAboutWindow)
{
    form->UpperLane.Time->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_F10);
    EXPECT_EQ(form->Menu->activeAction(), form->CribSheetItem) << "the first menu item is highlighted";
    Key(Qt::Key_Right);
    EXPECT_EQ(form->Menu->activeAction(), form->HelpMenu->menuAction());
    Key(Qt::Key_Down);
    ASSERT_EQ(QApplication::activePopupWidget(), form->HelpMenu);
    EXPECT_EQ(form->HelpMenu->activeAction(), form->AboutItem);
    EXPECT_EQ(form->AboutItem->text().toStdString(), "О програме");
    Key(Qt::Key_Return);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form->Menu->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), form->UpperLane.Time) << "the focus goes back to the field";
}

TEST_F(Keyboard, F10ThenReturnShowsTheCribSheet)
{
    form->LowerLane.Time->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_F10);
    Key(Qt::Key_Return);
    EXPECT_TRUE(crib->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form->LowerLane.Time);
}

TEST_F(Keyboard, EscapeOrASecondF10LeavesTheMenuWithNothingTyped)
{
    form->UpperLane.Time->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_F10);
    Key(Qt::Key_Right);
    Key(Qt::Key_Escape);
    EXPECT_EQ(form->Menu->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), form->UpperLane.Time);

    Key(Qt::Key_F10);
    ASSERT_NE(form->Menu->activeAction(), nullptr);
    Key(Qt::Key_F10);
    EXPECT_EQ(form->Menu->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), form->UpperLane.Time);
    EXPECT_EQ(Text(form->UpperLane.Time), "");
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(crib->isVisible());
}
