// What a screen reader hears of the XP-look controls, read through Qt's accessibility
// interfaces as an assistive technology reads them.
#include <QAccessible>
#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/xpcontrols/XpFixture.h"
#include "toolkit/Application.h"
#include "xpcontrols/XpAccessible.h"
#include "xpcontrols/XpButton.h"
#include "xpcontrols/XpCheckBox.h"

namespace {

struct Heard {
    QObject* object;
    QAccessible::Event type;
    bool checkedChanged;
};

std::vector<Heard> heard;

void Listen(QAccessibleEvent* event)
{
    bool checked = false;
    if (event->type() == QAccessible::StateChanged)
        checked = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
    heard.push_back({event->object(), event->type(), checked});
}

int CountHeard(QObject* object, QAccessible::Event type)
{
    int count = 0;
    for (const Heard& h : heard)
        count += h.object == object && h.type == type ? 1 : 0;
    return count;
}

int CountCheckedChanges(QObject* object)
{
    int count = 0;
    for (const Heard& h : heard)
        count += h.object == object && h.type == QAccessible::StateChanged && h.checkedChanged ? 1 : 0;
    return count;
}

// Qt hands accessibility events on only while the platform's screen-reader bridge is on
// (AT-SPI on X11, with the accessibility bus enabled); the offscreen platform has none.
bool ScreenReaderBridgeOn()
{
    static const bool on = QGuiApplication::platformName() != QStringLiteral("offscreen") &&
                           QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000);
    return on;
}

#define SKIP_UNLESS_EVENTS_ARE_HEARD()                                                                        \
    if (!ScreenReaderBridgeOn())                                                                              \
    GTEST_SKIP() << "no screen-reader bridge on this platform: run under X11 with the accessibility bus on"

// A shown form whose accessibility events are collected instead of sent to a screen reader.
class XpAccessibility : public XpFormTest {
protected:
    void SetUp() override
    {
        InstallXpAccessibility();
        XpFormTest::SetUp();
        previousHandler_ = QAccessible::installUpdateHandler(Listen);
        Application()->SetErrorHook([this](QObject*, const Exception& e) { errors.push_back(e.Message()); });
    }

    void TearDown() override
    {
        Application()->SetErrorHook(nullptr);
        QAccessible::installUpdateHandler(previousHandler_);
        heard.clear();
    }

    static QAccessibleInterface* Reader(QWidget* widget)
    {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(widget);
        EXPECT_NE(reader, nullptr);
        return reader;
    }

    // Runs the clicks the accessibility actions have scheduled.
    static void RunScheduledClicks() { QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); }

    std::vector<std::string> errors;

private:
    QAccessible::UpdateHandler previousHandler_ = nullptr;
};

class XpButtonAccessibility : public XpAccessibility {
protected:
    void SetUp() override
    {
        XpAccessibility::SetUp();
        button = new TxpButton(&form);
        button->setGeometry(33, 80, 91, 29);
        button->SetCaption("&Start");
        button->OnClick = [this](QObject*) { ++clicks; };
        ShowForm();
        heard.clear();
    }

    TxpButton* button = nullptr;
    int clicks = 0;
};

class XpCheckBoxAccessibility : public XpAccessibility {
protected:
    void SetUp() override
    {
        XpAccessibility::SetUp();
        box = new TxpCheckBox(&form);
        box->setGeometry(10, 140, 41, 17);
        box->SetCaption("EN");
        box->OnClick = [this](QObject*) { seenInClick.push_back(box->Checked()); };
        ShowForm();
        heard.clear();
    }

    TxpCheckBox* box = nullptr;
    std::vector<bool> seenInClick;
};

} // namespace

TEST_F(XpButtonAccessibility, DisabledButtonOffersNoPressAndIgnoresIt)
{
    button->setEnabled(false);
    QAccessibleInterface* reader = Reader(button);
    EXPECT_TRUE(reader->state().disabled);
    EXPECT_FALSE(reader->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    RunScheduledClicks();
    EXPECT_EQ(clicks, 0);
}

TEST_F(XpButtonAccessibility, FailingClickHandlerEndsAtTheCatchPoint)
{
    button->OnClick = [](QObject*) { throw EConvertError("'x' is not a valid integer value"); };
    Reader(button)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(errors.empty()) << "the action returned before the click ran";
    RunScheduledClicks();
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "'x' is not a valid integer value");
}

TEST_F(XpButtonAccessibility, IsAPushButtonNamedByItsCaptionWithoutTheMark)
{
    QAccessibleInterface* reader = Reader(button);
    EXPECT_EQ(reader->role(), QAccessible::Button);
    EXPECT_EQ(reader->text(QAccessible::Name), "Start");
    EXPECT_EQ(reader->text(QAccessible::Accelerator), "Alt+S");

    button->SetCaption("A&&B");
    EXPECT_EQ(reader->text(QAccessible::Name), "A&B");
    EXPECT_EQ(reader->text(QAccessible::Accelerator), "") << "a doubled mark is a literal ampersand";
    button->SetCaption("&\U00010428");
    EXPECT_EQ(reader->text(QAccessible::Accelerator), "Alt+\U00010400") << "a letter beyond 16 bits is read whole";
    button->SetCaption("Старт");
    EXPECT_EQ(reader->text(QAccessible::Name), "Старт");
}

TEST_F(XpButtonAccessibility, NameGivenByTheWindowWinsOverTheCaption)
{
    button->setAccessibleName("Start the run");
    EXPECT_EQ(Reader(button)->text(QAccessible::Name), "Start the run");
}

TEST_F(XpButtonAccessibility, CaptionChangeIsAnnouncedOnlyWhenItChanges)
{
    SKIP_UNLESS_EVENTS_ARE_HEARD();
    button->SetCaption("&Start");
    EXPECT_EQ(CountHeard(button, QAccessible::NameChanged), 0);
    button->SetCaption("Старт");
    EXPECT_EQ(CountHeard(button, QAccessible::NameChanged), 1);
}

TEST_F(XpButtonAccessibility, StateShowsFocusEnabledAndHeldDown)
{
    QAccessibleInterface* reader = Reader(button);
    EXPECT_TRUE(reader->state().focusable);
    EXPECT_FALSE(reader->state().focused);
    EXPECT_FALSE(reader->state().disabled);

    button->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(reader->state().focused);
    driving::KeyDown(*button, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_TRUE(reader->state().pressed);
    driving::KeyUp(*button, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_FALSE(reader->state().pressed);
}

TEST_F(XpButtonAccessibility, PressActionReturnsAtOnceThenClicksOnce)
{
    QAccessibleActionInterface* actions = Reader(button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(actions->keyBindingsForAction(QAccessibleActionInterface::pressAction()), QStringList{"Alt+S"});
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 0) << "a click that opens a box would keep the screen reader waiting";
    RunScheduledClicks();
    EXPECT_EQ(clicks, 1);

    // Disabled between the action and its click: the click does not happen, as for the mouse.
    actions->doAction(QAccessibleActionInterface::pressAction());
    button->setEnabled(false);
    RunScheduledClicks();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(XpCheckBoxAccessibility, DisabledBoxIsUnavailableAndIgnoresToggle)
{
    box->SetChecked(true);
    box->setEnabled(false);
    QAccessibleInterface* reader = Reader(box);
    EXPECT_TRUE(reader->state().disabled);
    EXPECT_TRUE(reader->state().checked);
    EXPECT_FALSE(reader->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    RunScheduledClicks();
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(seenInClick.empty());
}

TEST_F(XpCheckBoxAccessibility, IsACheckBoxNamedByItsCaption)
{
    QAccessibleInterface* reader = Reader(box);
    EXPECT_EQ(reader->role(), QAccessible::CheckBox);
    EXPECT_EQ(reader->text(QAccessible::Name), "EN");
    box->SetCaption("&RU");
    EXPECT_EQ(reader->text(QAccessible::Name), "RU");
    EXPECT_EQ(reader->text(QAccessible::Accelerator), "Alt+R");
}

TEST_F(XpCheckBoxAccessibility, CaptionChangeIsAnnounced)
{
    SKIP_UNLESS_EVENTS_ARE_HEARD();
    box->SetCaption("EN");
    EXPECT_EQ(CountHeard(box, QAccessible::NameChanged), 0);
    box->SetCaption("&EN");
    EXPECT_EQ(CountHeard(box, QAccessible::NameChanged), 1);
}

TEST_F(XpCheckBoxAccessibility, CheckedStateFollowsWritesAndToggles)
{
    QAccessibleInterface* reader = Reader(box);
    EXPECT_TRUE(reader->state().checkable);
    EXPECT_FALSE(reader->state().checked);
    box->SetChecked(true);
    EXPECT_TRUE(reader->state().checked);
    box->Toggle();
    EXPECT_FALSE(reader->state().checked);
}

TEST_F(XpCheckBoxAccessibility, EveryCheckedChangeIsAnnounced)
{
    SKIP_UNLESS_EVENTS_ARE_HEARD();
    box->SetChecked(false);
    EXPECT_EQ(CountCheckedChanges(box), 0) << "an unchanged value is no news";
    box->SetChecked(true);
    EXPECT_EQ(CountCheckedChanges(box), 1);
    box->Toggle();
    EXPECT_EQ(CountCheckedChanges(box), 2);
}

TEST_F(XpCheckBoxAccessibility, ToggleAndPressActionsClickTheBox)
{
    QAccessibleActionInterface* actions = Reader(box)->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(box->Checked()) << "the action returns before the click";
    RunScheduledClicks();
    actions->doAction(QAccessibleActionInterface::pressAction());
    RunScheduledClicks();
    EXPECT_EQ(seenInClick, (std::vector<bool>{true, false})) << "OnClick sees the new value each time";
}
