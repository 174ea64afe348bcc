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
        if (at && (at->parentWidget() == form->ComboBox1 || at->parentWidget() == form->ComboBox2))
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
    form->ComboBox1->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), form->Edit2);
    Type("60");
    Key(Qt::Key_Tab);
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), form->Edit1);
    Type("3");
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), form->xpButton1);
    Key(Qt::Key_Space);
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->Edit3), "180");
    EXPECT_EQ(form->State.Step1, 6);
    EXPECT_TRUE(form->Timer1->Enabled());
}

TEST_F(Keyboard, EnterOnTheStartButtonRunsTheCalculation)
{
    form->Edit1->SetText("2");
    form->Edit3->SetText("100");
    form->ComboBox1->setFocus(Qt::TabFocusReason);
    TabTo(form->xpButton1);
    Key(Qt::Key_Return);
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(Text(form->Edit2), "50");
}

TEST_F(Keyboard, SpaceOnTheLanguageBoxesSwitchesBothWays)
{
    form->xpButton1->setFocus(Qt::TabFocusReason);
    TabTo(form->xpCheckBox2);
    Key(Qt::Key_Space);
    EXPECT_TRUE(form->xpCheckBox2->Checked());
    EXPECT_EQ(form->xpButton1->Caption(), "Start");
    ASSERT_NE(Focused(), nullptr) << "disabling the box must not lose the focus";
    EXPECT_NE(Focused(), form->xpCheckBox2);

    TabTo(form->xpCheckBox1);
    Key(Qt::Key_Space);
    EXPECT_TRUE(form->xpCheckBox1->Checked());
    EXPECT_FALSE(form->xpCheckBox2->Checked());
    EXPECT_EQ(form->xpButton1->Caption(), "Старт");
}

TEST_F(Keyboard, F10ThenArrowsAndReturnShowTheAboutWindow)
{
    form->Edit1->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_F10);
    EXPECT_EQ(form->MainMenu1->activeAction(), form->N3) << "the first menu item is highlighted";
    Key(Qt::Key_Right);
    EXPECT_EQ(form->MainMenu1->activeAction(), form->N1->menuAction());
    Key(Qt::Key_Down);
    ASSERT_EQ(QApplication::activePopupWidget(), form->N1);
    EXPECT_EQ(form->N1->activeAction(), form->N2);
    EXPECT_EQ(form->N2->text().toStdString(), "О програме");
    Key(Qt::Key_Return);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(form->MainMenu1->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), form->Edit1) << "the focus goes back to the field";
}

TEST_F(Keyboard, F10ThenReturnShowsTheCribSheet)
{
    form->Edit4->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_F10);
    Key(Qt::Key_Return);
    EXPECT_TRUE(crib->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form->Edit4);
}

TEST_F(Keyboard, EscapeOrASecondF10LeavesTheMenuWithNothingTyped)
{
    form->Edit1->setFocus(Qt::TabFocusReason);
    Key(Qt::Key_F10);
    Key(Qt::Key_Right);
    Key(Qt::Key_Escape);
    EXPECT_EQ(form->MainMenu1->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), form->Edit1);

    Key(Qt::Key_F10);
    ASSERT_NE(form->MainMenu1->activeAction(), nullptr);
    Key(Qt::Key_F10);
    EXPECT_EQ(form->MainMenu1->activeAction(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), form->Edit1);
    EXPECT_EQ(Text(form->Edit1), "");
    EXPECT_FALSE(about->isVisible());
    EXPECT_FALSE(crib->isVisible());
}
