// Where the standard controls and forms behave as the lesson's desktop does rather
// than as Qt does by default: caret, current item, wheel, frames, activation, focus, the
// memo's Tab, what a screen reader is told.
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <utility>
#include <string>
#include <vector>

#include "accessibility/Install.h"
#include "accessibility/QuietEvents.h"
#include "toolkit/Application.h"
#include "toolkit/Color.h"
#include "toolkit/CustomControl.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"
#include "toolkit/StdControls.h"
#include "tests/toolkit/HeardEvents.h"

namespace {

const std::string LongValue = "1,42857142857143";

// A shown window holding a 121-pixel edit and a 145-pixel list of long and short names.
struct Row {
    Row()
    {
        window.resize(400, 200);
        edit->setGeometry(10, 10, 121, 28);
        list->setGeometry(10, 50, 145, 28);
        list->SetItems({"Car", "Truck", "A very long object name indeed", "Empty"});
        list->SetTextFromStart("Empty");
        QObject::connect(list, &TComboBox::changed, [this] { ++changes; });
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
    }
    TForm window;
    TEdit* edit = new TEdit(&window);
    TComboBox* list = new TComboBox(&window);
    int changes = 0;
};

bool Turn(QWidget& target, int steps)
{
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QWheelEvent wheel(at, target.mapToGlobal(at), {}, {0, -120 * steps}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &wheel);
    return wheel.isAccepted();
}

QImage Grab(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

TEST(TextShownFromItsStart, WrittenTextsAndPicksStartAtTheFirstCharacterTypingDoesNot)
{
    Row row;
    row.edit->SetTextFromStart(LongValue);
    EXPECT_EQ(row.edit->cursorPosition(), 0);
    row.list->SetTextFromStart("A very long object name indeed");
    EXPECT_EQ(row.list->lineEdit()->cursorPosition(), 0);
    row.list->setCurrentIndex(1); // a pick, as from the open list or the keys
    EXPECT_EQ(row.list->lineEdit()->cursorPosition(), 0);

    row.edit->setFocus();
    row.edit->clear();
    QTest::keyClicks(row.edit, "12,5");
    EXPECT_EQ(row.edit->cursorPosition(), 4);
    row.list->setFocus();
    row.list->lineEdit()->selectAll();
    QTest::keyClicks(row.list, "Truck"); // names an item as the last key lands
    EXPECT_EQ(row.list->lineEdit()->cursorPosition(), 5);
    QTest::keyClick(row.list, Qt::Key_Home);
    EXPECT_EQ(row.list->lineEdit()->cursorPosition(), 0);
}

TEST(ListCurrentItem, FollowsTheTextWheneverTheTextIsAnItem)
{
    Row row;
    EXPECT_EQ(row.list->currentIndex(), 3); // "Empty", set before any pick
    row.list->SetTextFromStart("Car");
    EXPECT_EQ(row.list->currentIndex(), 0);
    row.list->SetTextFromStart("Nothing of the list");
    EXPECT_EQ(row.list->currentIndex(), 0);
    row.list->SetItem(1, "Lorry");
    row.list->SetTextFromStart("Lorry");
    EXPECT_EQ(row.list->currentIndex(), 1);
    row.list->setFocus();
    row.list->lineEdit()->selectAll();
    QTest::keyClicks(row.list, "Empty");
    EXPECT_EQ(row.list->currentIndex(), 3);
    QTest::keyClick(row.list, Qt::Key_Up); // steps from the item the text names
    EXPECT_EQ(row.list->Utf8Text(), "A very long object name indeed");
}

TEST(ListPick, EveryPickFromTheOpenListIsAChangeTheItemShownIncluded)
{
    Row row;
    const auto pick = [&row](int item, bool byMouse) {
        row.changes = 0;
        row.list->showPopup();
        QAbstractItemView* view = row.list->view();
        const QModelIndex index = row.list->model()->index(item, 0);
        if (byMouse) {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        } else {
            view->setCurrentIndex(index);
            QTest::keyClick(view, Qt::Key_Return);
        }
        return row.changes;
    };
    EXPECT_EQ(pick(1, false), 1) << "another item";
    EXPECT_EQ(pick(1, false), 1) << "the item shown, by the keys";
    EXPECT_EQ(pick(1, true), 1) << "the item shown, by the mouse";
    EXPECT_EQ(pick(0, true), 1) << "another item, by the mouse";
    EXPECT_EQ(row.list->Utf8Text(), "Car");
    row.list->setFocus();
    row.changes = 0;
    QTest::keyClick(row.list, Qt::Key_Down); // a pick by the keys, the list closed
    EXPECT_EQ(row.changes, 1);
    EXPECT_EQ(row.list->Utf8Text(), "Truck");
}

TEST(ListWheel, OnlyTheFocusedListStepsAndAnUnusedOneLeavesTheWheelToItsParent)
{
    Row row;
    row.edit->setFocus();
    EXPECT_FALSE(Turn(*row.list, 1));
    EXPECT_EQ(row.list->Utf8Text(), "Empty");
    EXPECT_EQ(row.changes, 0);
    EXPECT_TRUE(row.edit->hasFocus());

    row.list->setFocus();
    row.list->SetTextFromStart("Car");
    Turn(*row.list, 1);
    EXPECT_EQ(row.list->Utf8Text(), "Truck");
    EXPECT_EQ(row.changes, 1);
}

TEST(ListDropDown, OpenListFitsTheLongestItemClosedListKeepsItsWidth)
{
    Row row;
    row.list->showPopup();
    const int widest = row.list->view()->fontMetrics().horizontalAdvance("A very long object name indeed");
    EXPECT_GT(row.list->view()->viewport()->width(), widest);
    row.list->hidePopup();
    EXPECT_EQ(row.list->width(), 145);
}

TEST(Frames, PanelAndLoweredBoxAreSingleLinesInTheSystemColours)
{
    const QRgb light = clBtnHighlight.ToQColor().rgb();
    const QRgb shadow = clBtnShadow.ToQColor().rgb();
    TPanel panel(nullptr);
    panel.resize(20, 10);
    QPalette p = panel.palette();
    p.setColor(QPalette::Window, QColor(0, 0, 255));
    panel.setPalette(p);
    const QImage lane = Grab(panel);
    const QRgb inside = QColor(0, 0, 255).rgb();
    struct Case {
        int x, y;
        QRgb expected;
    };
    // Raised outer ring, lowered inner ring, then the panel's own colour.
    for (const Case& c : std::vector<Case>{{0, 5, light}, {5, 0, light}, {0, 0, light}, {19, 0, shadow},
                                           {0, 9, shadow}, {19, 5, shadow}, {5, 9, shadow}, {1, 5, shadow},
                                           {5, 1, shadow}, {18, 1, light}, {18, 5, light}, {5, 8, light},
                                           {1, 8, light}, {2, 5, inside}, {17, 7, inside}})
        EXPECT_EQ(lane.pixel(c.x, c.y), c.expected) << "panel pixel " << c.x << ", " << c.y;

    QWidget backing;
    backing.resize(20, 10);
    backing.setAutoFillBackground(true);
    backing.setPalette(p);
    TBevel box(&backing);
    box.setGeometry(0, 0, 20, 10);
    const QImage frame = Grab(backing);
    for (const Case& c : std::vector<Case>{{0, 5, shadow}, {0, 9, shadow}, {5, 0, shadow}, {19, 0, light},
                                           {19, 5, light}, {5, 9, light}, {1, 5, inside}, {5, 1, inside},
                                           {18, 5, inside}, {5, 8, inside}})
        EXPECT_EQ(frame.pixel(c.x, c.y), c.expected) << "bevel pixel " << c.x << ", " << c.y;
}

TEST(FormActivation, OnlyComingFromAnotherFormActivatesNotABoxOrAnotherProgram)
{
    TForm main;
    TForm other;
    QWidget box; // a message box, say: no form
    int activations = 0;
    ConnectHandler(&main, &TForm::activated, &main, [&](QObject* sender) { activations += sender == &main; });
    for (QWidget* w : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&other), &box})
        w->show();
    QApplication::setActiveWindow(&main);
    EXPECT_EQ(activations, 1);
    QApplication::setActiveWindow(&box);
    QApplication::setActiveWindow(&main);
    QApplication::setActiveWindow(nullptr); // another program's window
    QApplication::setActiveWindow(&main);
    EXPECT_EQ(activations, 1);
    QApplication::setActiveWindow(&other);
    QApplication::setActiveWindow(&main);
    EXPECT_EQ(activations, 2);
}

TEST(FormShow, AWindowAlreadyShownIsActivatedAgain)
{
    TForm main;
    TForm other;
    other.ShowInFront();
    main.ShowInFront();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &main; }));
    other.ShowInFront();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }));
}

TEST(WindowPlacement, CentredByItsFrameItsTopLeftKeptOnTheScreen)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize size : {QSize(265, 216), QSize(area.width() + 119, 381), QSize(300, area.height() + 40)}) {
        TForm window;
        window.setFixedSize(size);
        CentreOnScreen(&window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QRect frame = window.frameGeometry();
        EXPECT_GE(frame.left(), area.left()) << size.width();
        EXPECT_GE(frame.top(), area.top()) << size.width();
        if (frame.width() <= area.width()) {
            EXPECT_LE(std::abs(frame.center().x() - area.center().x()), 1) << size.width();
        }
        if (frame.height() <= area.height()) {
            EXPECT_LE(std::abs(frame.center().y() - area.center().y()), 1) << size.width();
        }
    }
}

TEST(WindowPlacement, AWindowLargerThanTheScreenIsNarrowedToFitAndItsContentsScrollToTheFocus)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget fitting;
    fitting.setFixedSize(area.width() - 100, 200);
    EXPECT_EQ(ScrolledToFitScreen(&fitting, QSize(0, 20)), &fitting) << "on a screen large enough nothing changes";

    TForm window;
    auto* contents = new QWidget;
    contents->setFixedSize(area.width() + 119, 363);
    auto* first = new TEdit(contents);
    first->setGeometry(10, 10, 50, 28);
    auto* farRight = new TEdit(contents);
    farRight->setGeometry(area.width() + 60, 300, 50, 28);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrolledToFitScreen(contents, QSize(0, 20)));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    CentreOnScreen(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(area.contains(window.frameGeometry())) << window.width() << " x " << window.height();
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Tab);
    ASSERT_TRUE(farRight->hasFocus());
    EXPECT_TRUE(window.rect().contains(QRect(farRight->mapTo(&window, QPoint(0, 0)), farRight->size())))
        << "the control at the far right scrolled into view";
}

TEST(DisablingTheFocusedControl, LeavesTheFocusWithItsWindow)
{
    Row row;
    TCustomControl control(&row.window);
    control.SetTabStop(true);
    control.show();
    control.setFocus();
    ASSERT_TRUE(control.hasFocus());
    control.setEnabled(false);
    EXPECT_EQ(QApplication::focusWidget(), &row.window);
}

TEST(MemoKeys, TabAndShiftTabMoveTheFocusOnEnterTypesANewLine)
{
    Row row;
    auto* memo = new TMemo(&row.window);
    memo->setGeometry(10, 90, 200, 60);
    memo->SetLines({"one", "two"});
    memo->show();
    QWidget::setTabOrder(row.list, memo);
    QWidget::setTabOrder(memo, row.edit);

    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_TRUE(row.edit->hasFocus());
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(row.list->hasFocus());
    EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"one", "two"}));

    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->Lines(), (std::vector<std::string>{"one", "two", ""}));

    // Alone in its window, with nowhere to move the focus, it still types no tab.
    TForm alone;
    auto* only = new TMemo(&alone);
    only->SetLines({"one"});
    alone.show();
    QApplication::setActiveWindow(&alone);
    only->setFocus();
    QTest::keyClick(only, Qt::Key_Tab);
    QTest::keyClick(only, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(only->Lines(), std::vector<std::string>{"one"});
}

TEST(ListFocus, ArrivingAsTheFirstControlOrByTabSelectsTheTextAClickOrTheWindowComingBackDoesNot)
{
    TForm window;
    auto* list = new TComboBox(&window);
    auto* edit = new TEdit(&window);
    list->setGeometry(10, 10, 145, 28);
    edit->setGeometry(10, 50, 121, 28);
    list->SetItems({"Car", "Truck"});
    list->SetTextFromStart("Car");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(list->lineEdit()->selectedText(), "Car");

    QTest::mouseClick(list->lineEdit(), Qt::LeftButton, {}, QPoint(list->lineEdit()->width() - 2, 5));
    EXPECT_FALSE(list->lineEdit()->hasSelectedText());
    QApplication::setActiveWindow(nullptr); // another program's window
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_FALSE(list->lineEdit()->hasSelectedText());

    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->lineEdit()->selectedText(), "Car");
}

// Run under a real display with the accessibility bus on (accessibility_events_toolkit).
TEST(StdAccessibility, ListTellsNoCaretBeforeTheFocusARewriteTellsTheFocusedControlAndTheWindowsOnly)
{
    if (QGuiApplication::platformName() == QStringLiteral("offscreen") ||
        !QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000))
        GTEST_SKIP() << "no screen-reader bridge on this platform: run under X11 with the accessibility bus on";
    InstallStdAccessibility();
    Row row;
    auto* label = new TLabel(&row.window);
    label->show();
    TForm other;
    const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(HearEvent);

    // Tab into the list selects its text, Tab out of it drops the selection: neither is news.
    row.edit->setFocus(Qt::TabFocusReason);
    row.list->setFocus(Qt::TabFocusReason);
    row.edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Heard(row.list, QAccessible::Focus), 1);
    EXPECT_EQ(Heard(row.list->lineEdit(), QAccessible::TextCaretMoved) +
                  Heard(row.list->lineEdit(), QAccessible::TextSelectionChanged),
              0);

    heardEvents.clear();
    AsOneChange([&] {
        row.edit->setAccessibleName(QStringLiteral("Focused"));
        other.setWindowTitle(QStringLiteral("Hidden window"));
        label->setText(QStringLiteral("Label"));
        row.list->setAccessibleName(QStringLiteral("List"));
        row.list->SetItems({"Bus", "Boat"});
    });
    EXPECT_EQ(Heard(row.edit, QAccessible::NameChanged), 1);
    EXPECT_EQ(Heard(&other, QAccessible::NameChanged), 1);
    for (const auto& [object, type] : heardEvents)
        EXPECT_TRUE(object == row.edit || object == &other) << "heardEvents of a control away from the focus: " << type;
    QAccessible::installUpdateHandler(previous);
}
