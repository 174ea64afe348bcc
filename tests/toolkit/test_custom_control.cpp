#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Form.h"
#include "toolkit/StdControls.h"

namespace {

// Writes down every notification it hears.
class Probe : public TCustomControl {
public:
    explicit Probe(QWidget* parent) : TCustomControl(parent) { resize(40, 20); }

    std::vector<std::string> heard;
    bool failPaint = false;
    bool swallowKeys = false;
    bool claimDialogKeys = false;
    char32_t accelerator = 0;

    bool DialogKey(std::uint16_t key, TShiftState) override
    {
        heard.push_back("dialogkey " + std::to_string(key));
        return claimDialogKeys;
    }
    bool DialogChar(char32_t character) override
    {
        heard.push_back("dialogchar " + std::to_string(static_cast<unsigned>(character)));
        return character == accelerator;
    }

protected:
    void Paint() override
    {
        heard.push_back("paint");
        if (failPaint)
            throw Exception("paint failed");
        Canvas().FillRect(TRect{0, 0, width(), height()}, clWhite);
    }
    void MouseEnter() override { heard.push_back("enter-mouse"); }
    void MouseLeave() override { heard.push_back("leave-mouse"); }
    void MouseDown(TMouseButton b, TShiftState, int x, int y) override { Note("down", b, x, y); }
    void MouseUp(TMouseButton b, TShiftState, int x, int y) override { Note("up", b, x, y); }
    void DoubleClick(TMouseButton b, TShiftState, int x, int y) override { Note("dblclick", b, x, y); }
    void KeyDown(std::uint16_t& key, TShiftState) override
    {
        heard.push_back("keydown " + std::to_string(key));
        if (swallowKeys)
            key = 0;
    }
    void KeyUp(std::uint16_t& key, TShiftState) override
    {
        heard.push_back("keyup " + std::to_string(key));
        if (swallowKeys)
            key = 0;
    }
    void FocusIn() override { heard.push_back("focusin"); }
    void FocusOut() override { heard.push_back("focusout"); }
    void Enter() override { heard.push_back("enter"); }
    void Exit() override { heard.push_back("exit"); }

private:
    void Note(const char* what, TMouseButton b, int x, int y)
    {
        const char* button = b == TMouseButton::mbLeft ? "left" : b == TMouseButton::mbRight ? "right" : "middle";
        heard.push_back(std::string(what) + " " + button + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

// A plain parent that records the keys its children let through.
class KeyCatcher : public QWidget {
public:
    std::vector<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
    void keyReleaseEvent(QKeyEvent* event) override { keys.push_back(-event->key()); }
};

void SendMouse(QWidget& w, QEvent::Type type, Qt::MouseButton button, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), QPointF(w.mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

bool SendKey(QWidget& w, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {},
             bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(&w, &event);
    return event.isAccepted();
}

void SendFocus(QWidget& w, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent event(type, reason);
    QApplication::sendEvent(&w, &event);
}

class CaughtErrors {
public:
    CaughtErrors()
    {
        Application()->SetErrorHook([this](QObject*, const Exception& e) { messages.push_back(e.Message()); });
    }
    ~CaughtErrors() { Application()->SetErrorHook(nullptr); }
    std::vector<std::string> messages;
};

using Heard = std::vector<std::string>;

} // namespace

TEST(VirtualKeyOf, MapsTheKeysTheControlsUse)
{
    auto vk = [](int key) { return VirtualKeyOf(QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier)); };
    EXPECT_EQ(vk(Qt::Key_Return), 13);
    EXPECT_EQ(vk(Qt::Key_Enter), 13);
    EXPECT_EQ(vk(Qt::Key_Escape), 27);
    EXPECT_EQ(vk(Qt::Key_Space), 32);
    EXPECT_EQ(vk(Qt::Key_S), 'S');
    EXPECT_EQ(vk(Qt::Key_7), '7');
    EXPECT_EQ(vk(Qt::Key_F1), 0x70);
    EXPECT_EQ(vk(Qt::Key_Left), 37);
    EXPECT_EQ(vk(Qt::Key_Shift), 16);
    EXPECT_EQ(vk(Qt::Key_Launch0), 255);
}

TEST(CustomControlPaint, ErrorsGoToTheApplicationNotToQt)
{
    CaughtErrors errors;
    Probe probe(nullptr);
    probe.failPaint = true;
    probe.grab();
    QCoreApplication::processEvents(); // handled once the paint has returned
    EXPECT_EQ(errors.messages, std::vector<std::string>{"paint failed"});
    probe.failPaint = false;
    const QImage image = probe.grab().toImage();
    EXPECT_EQ(image.pixel(3, 3) & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(CustomControlMouse, ReleaseIsReportedOnlyOverTheControl)
{
    Probe probe(nullptr);
    SendMouse(probe, QEvent::MouseButtonPress, Qt::LeftButton, {3, 4}, Qt::LeftButton);
    SendMouse(probe, QEvent::MouseButtonRelease, Qt::LeftButton, {80, 4}, Qt::NoButton);
    SendMouse(probe, QEvent::MouseButtonRelease, Qt::LeftButton, {39, 19}, Qt::NoButton);
    EXPECT_EQ(probe.heard, (Heard{"down left 3,4", "up left 39,19"}));
}

TEST(CustomControlMouse, SecondPressOfADoubleClickIsADoubleClick)
{
    Probe probe(nullptr);
    SendMouse(probe, QEvent::MouseButtonDblClick, Qt::LeftButton, {1, 1}, Qt::LeftButton);
    SendMouse(probe, QEvent::MouseButtonPress, Qt::RightButton, {2, 2}, Qt::RightButton);
    EXPECT_EQ(probe.heard, (Heard{"dblclick left 1,1", "down right 2,2"}));
}

TEST(CustomControlMouse, LeavingWhileAButtonIsHeldIsReportedAtOnceAndOnce)
{
    Probe probe(nullptr);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&probe, &enter);
    SendMouse(probe, QEvent::MouseMove, Qt::NoButton, {60, 5}, Qt::LeftButton);
    SendMouse(probe, QEvent::MouseMove, Qt::NoButton, {70, 5}, Qt::LeftButton);
    SendMouse(probe, QEvent::MouseMove, Qt::NoButton, {5, 5}, Qt::LeftButton);
    SendMouse(probe, QEvent::MouseMove, Qt::NoButton, {60, 5}, Qt::LeftButton);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&probe, &leave);
    EXPECT_EQ(probe.heard, (Heard{"enter-mouse", "leave-mouse", "enter-mouse", "leave-mouse"}));
}

TEST(CustomControlMouse, PointerMovedElsewhereEndsTheHoverWhereQtSendsNoLeave)
{
    TForm window;
    window.resize(200, 100);
    auto* probe = new Probe(&window);
    probe->move(10, 10);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Entered as when a modal box closes over it: Qt will not follow up with a leave.
    QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(window.mapToGlobal(QPoint(15, 15))));
    QApplication::sendEvent(probe, &enter);
    QTest::mouseMove(window.windowHandle(), QPoint(150, 80));
    EXPECT_EQ(std::count(probe->heard.begin(), probe->heard.end(), "leave-mouse"), 1);
}

TEST(CustomControlKeys, UnswallowedKeysGoOnToTheParent)
{
    KeyCatcher parent;
    Probe probe(&parent);
    SendKey(probe, QEvent::KeyPress, Qt::Key_A, {}, "a");
    probe.swallowKeys = true;
    SendKey(probe, QEvent::KeyPress, Qt::Key_B, {}, "b");
    EXPECT_EQ(parent.keys, std::vector<int>{Qt::Key_A});
    EXPECT_EQ(probe.heard, (Heard{"keydown 65", "keydown 66"}));
}

TEST(CustomControlKeys, HeldKeyGivesOnePressAndOneReleaseWhateverThePlatformFlags)
{
    // X11 repeats a held key as a release and a press sharing a timestamp; Qt flags only
    // some pairs as repeats. The key is down at the server until the real release.
    struct Event {
        QEvent::Type type;
        unsigned long timestamp;
        bool flagged;
        bool down;
    };
    const std::vector<Event> hold{
        {QEvent::KeyPress, 100, false, true},
        {QEvent::KeyRelease, 760, true, true},   {QEvent::KeyPress, 760, true, true},
        {QEvent::KeyRelease, 800, false, true},  {QEvent::KeyPress, 800, false, true},
        {QEvent::KeyRelease, 840, false, true},  {QEvent::KeyPress, 840, false, true},
        {QEvent::KeyRelease, 880, true, true},   {QEvent::KeyPress, 880, true, true},
        {QEvent::KeyRelease, 3100, false, false}, // the real release
        {QEvent::KeyPress, 3300, false, true},   // a new press
    };
    bool down = false;
    SetKeyStillDownQuery([&](const QKeyEvent&) { return down; });
    auto holdSpace = [&](QWidget& target) {
        for (const Event& e : hold) {
            down = e.down;
            QKeyEvent event(e.type, Qt::Key_Space, Qt::NoModifier, " ", e.flagged);
            event.setTimestamp(e.timestamp);
            QApplication::sendEvent(&target, &event);
        }
    };
    Probe probe(nullptr);
    holdSpace(probe);
    EXPECT_EQ(probe.heard, (Heard{"keydown 32", "keyup 32", "keydown 32"}));
    TCheckBox standard(nullptr);
    int toggles = 0;
    QObject::connect(&standard, &QCheckBox::toggled, [&] { ++toggles; });
    holdSpace(standard);
    EXPECT_EQ(toggles, 1);
    SetKeyStillDownQuery(nullptr);
}

TEST(CustomControlKeys, ErrorInAHandlerIsReportedAndTheKeyGoesNoFurther)
{
    class Throwing : public Probe {
    public:
        using Probe::Probe;

    protected:
        void KeyDown(std::uint16_t&, TShiftState) override { throw EConvertError("bad key"); }
    };
    CaughtErrors errors;
    KeyCatcher parent;
    Throwing probe(&parent);
    SendKey(probe, QEvent::KeyPress, Qt::Key_A, {}, "a");
    EXPECT_EQ(errors.messages, std::vector<std::string>{"bad key"});
    EXPECT_TRUE(parent.keys.empty());
}

TEST(CustomControlFocus, WindowActivationMovesFocusButNotTheActiveControl)
{
    Probe probe(nullptr);
    SendFocus(probe, QEvent::FocusIn, Qt::MouseFocusReason);
    SendFocus(probe, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    SendFocus(probe, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    SendFocus(probe, QEvent::FocusOut, Qt::PopupFocusReason);
    SendFocus(probe, QEvent::FocusIn, Qt::PopupFocusReason);
    SendFocus(probe, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(probe.heard, (Heard{"focusin", "enter", "focusout", "focusin", "focusout", "focusin", "focusout", "exit"}));
}

TEST(CustomControlProperties, TabStopDecidesWhetherTabStopsThere)
{
    Probe probe(nullptr);
    EXPECT_FALSE(probe.TabStop());
    EXPECT_EQ(probe.focusPolicy(), Qt::NoFocus);
    probe.SetTabStop(true);
    EXPECT_TRUE(probe.TabStop());
    EXPECT_EQ(probe.focusPolicy(), Qt::TabFocus);
}

TEST(CustomControlProperties, TabOrderIsThePositionAmongTheParentsTabStops)
{
    QWidget parent;
    Probe a(&parent), b(&parent), c(&parent), off(&parent);
    a.SetTabStop(true);
    b.SetTabStop(true);
    c.SetTabStop(true);
    EXPECT_EQ(a.TabOrder(), 0);
    EXPECT_EQ(c.TabOrder(), 2);
    EXPECT_EQ(off.TabOrder(), -1);
    c.MoveInTabOrder(0);
    EXPECT_EQ(c.TabOrder(), 0);
    EXPECT_EQ(a.TabOrder(), 1);
    EXPECT_EQ(b.TabOrder(), 2);
    a.MoveInTabOrder(99);
    EXPECT_EQ(a.TabOrder(), 2);
    EXPECT_EQ(c.nextInFocusChain(), &b);
}

TEST(CustomControlProperties, EnabledIsTheControlsOwnFlag)
{
    QWidget parent;
    Probe probe(&parent);
    parent.setEnabled(false);
    EXPECT_TRUE(probe.Enabled());
    EXPECT_FALSE(probe.isEnabled());
    probe.setEnabled(false);
    parent.setEnabled(true);
    EXPECT_FALSE(probe.Enabled());
}

TEST(CustomControlProperties, HintShowsOnlyWithShowHint)
{
    Probe probe(nullptr);
    probe.SetHint("Start the run");
    EXPECT_TRUE(probe.toolTip().isEmpty());
    probe.SetShowHint(true);
    EXPECT_EQ(probe.toolTip(), "Start the run");
    probe.SetShowHint(false);
    EXPECT_TRUE(probe.toolTip().isEmpty());
    EXPECT_EQ(probe.Hint(), "Start the run");
}

TEST(CustomControlProperties, ParentFontFollowsTheParent)
{
    QWidget parent;
    QFont big = parent.font();
    big.setPixelSize(30);
    Probe probe(&parent);
    probe.SetParentFont(false);
    parent.setFont(big);
    EXPECT_NE(probe.font().pixelSize(), 30);
    probe.SetParentFont(true);
    EXPECT_EQ(probe.font().pixelSize(), 30);
}

// ---- the form's keyboard routing ----

class FormRouting : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.resize(200, 100);
        edit = new QLineEdit(&form);
        first = new Probe(&form);
        second = new Probe(&form);
        inner = new QWidget(&form);
        nested = new Probe(inner);
    }

    TForm form;
    QLineEdit* edit = nullptr;
    Probe* first = nullptr;
    Probe* second = nullptr;
    QWidget* inner = nullptr;
    Probe* nested = nullptr;
};

TEST_F(FormRouting, EnterOrEscapeNotTakenIsOfferedUntilClaimed)
{
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(first->heard, Heard{"dialogkey 13"});
    EXPECT_EQ(second->heard, Heard{"dialogkey 13"});
    EXPECT_EQ(nested->heard, Heard{"dialogkey 13"});
    first->claimDialogKeys = true;
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Escape);
    EXPECT_EQ(first->heard, (Heard{"dialogkey 13", "dialogkey 27"}));
    EXPECT_EQ(second->heard, Heard{"dialogkey 13"});
}

TEST_F(FormRouting, OtherKeysAndTakenKeysAreNotOffered)
{
    SendKey(*edit, QEvent::KeyPress, Qt::Key_A, {}, "a");
    second->swallowKeys = true;
    SendKey(*second, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_TRUE(first->heard.empty());
    EXPECT_EQ(second->heard, Heard{"keydown 13"});
}

TEST_F(FormRouting, AltCharacterIsOfferedToEveryControlAndNeverTyped)
{
    edit->setFocus();
    second->accelerator = U'q';
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Z, Qt::AltModifier, "z");
    EXPECT_EQ(first->heard, Heard{"dialogchar 122"});
    EXPECT_EQ(second->heard, Heard{"dialogchar 122"});
    EXPECT_EQ(nested->heard, Heard{"dialogchar 122"});
    EXPECT_TRUE(edit->text().isEmpty());
    // The platform may give no text with Alt: the key's letter stands in.
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Q, Qt::AltModifier);
    EXPECT_EQ(second->heard.back(), "dialogchar 113");
    EXPECT_TRUE(edit->text().isEmpty());
}

TEST_F(FormRouting, AltWithoutACharacterIsLeftToTheFocusedControl)
{
    SendKey(*first, QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(first->heard, Heard{"keydown 40"});
    EXPECT_TRUE(second->heard.empty());
}

TEST_F(FormRouting, ControlsOfOtherWindowsAreNotAsked)
{
    TForm other;
    Probe stranger(&other);
    SendKey(*edit, QEvent::KeyPress, Qt::Key_Return);
    SendKey(*edit, QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, "x");
    EXPECT_TRUE(stranger.heard.empty());
}

TEST(FormModalResult, TheResultIsOnlyStored)
{
    TForm form;
    form.SetModalResult(mrOk);
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_FALSE(form.isVisible());
}
