// The pictures move across their lanes tick by tick.
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QRegion>

#include "LessonFixture.h"

namespace {

// Ticks row 1 until its timer stops itself; returns the number of ticks and the lefts placed.
int RunRow1(TForm1& form, std::vector<int>& lefts, int maxTicks = 100000)
{
    for (int tick = 1; tick <= maxTicks; ++tick) {
        const int32_t before = form.State.Pos1;
        form.Timer1Timer(form.Timer1);
        if (!form.Timer1->Enabled())
            return tick;
        if (form.State.Pos1 != before || tick == 1)
            lefts.push_back(form.Image1->Left());
    }
    return -1;
}

} // namespace

using Animation = LessonTest;

TEST_F(Animation, BadSpeedTextStopsBeforeAnyTimerStarts)
{
    Type(form->Edit1, "1");
    Type(form->Edit2, "fast");
    Type(form->Edit3, "60");
    PressStart();
    EXPECT_EQ(LastMessage(), "'fast' is not a valid floating point value");
    EXPECT_FALSE(form->Timer1->Enabled());
}

TEST_F(Animation, TwoObjectModeWithoutRowOneDistanceQuotesIt)
{
    form->Image2->SetVisible(true);
    form->State.Step2 = 7;
    Type(form->Edit4, "2");
    Type(form->Edit5, "30");
    PressStart();
    EXPECT_EQ(LastMessage(), "'' is not a valid floating point value");
    EXPECT_EQ(form->State.Step2, 3) << "the step is set before the distances are read";
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled());
}

TEST_F(Animation, ZeroDistancesFailTheLimits)
{
    form->Image2->SetVisible(true);
    form->State.Limit1 = 11;
    form->State.Limit2 = 22;
    Type(form->Edit1, "0");
    Type(form->Edit2, "10");
    Type(form->Edit4, "0");
    Type(form->Edit5, "10");
    PressStart();
    EXPECT_EQ(LastMessage(), "Invalid floating point operation");
    EXPECT_EQ(form->State.Limit1, 11);
    EXPECT_EQ(form->State.Limit2, 22);
    EXPECT_FALSE(form->Timer1->Enabled());

    errors.clear();
    Type(form->Edit3, "-5");
    Type(form->Edit6, "0");
    PressStart();
    EXPECT_EQ(LastMessage(), "Floating point division by zero");
}

TEST_F(Animation, HugeSpeedGivesAStepBeyondTheCounter)
{
    Type(form->Edit1, "1");
    Type(form->Edit2, "1E30");
    Type(form->Edit3, "1");
    PressStart();
    EXPECT_EQ(LastMessage(), "Invalid floating point operation");
    EXPECT_FALSE(form->Timer1->Enabled());
}

TEST_F(Animation, SingleObjectRunOvershootsTheTrackThenStops)
{
    Type(form->Edit1, "3");
    Type(form->Edit2, "60");
    PressStart();
    EXPECT_EQ(form->State.Limit1, 555);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_FALSE(form->Timer2->Enabled()) << "row 2 is not started in single-object mode";
    std::vector<int> lefts;
    const int stoppingTick = RunRow1(*form, lefts);
    EXPECT_EQ(lefts.size(), 93u);
    EXPECT_EQ(lefts.front(), 6);
    EXPECT_EQ(lefts.back(), 558);
    EXPECT_EQ(stoppingTick, 94);
    EXPECT_EQ(form->State.Pos1, 0);
    EXPECT_EQ(form->Image1->Left(), 558) << "the picture stays where it stopped";
}

TEST_F(Animation, TwoRunsOfEqualTimesStopOnTheSameTick)
{
    form->Image2->SetVisible(true);
    Type(form->Edit1, "2");
    Type(form->Edit2, "50");
    Type(form->Edit4, "2");
    Type(form->Edit5, "30");
    PressStart();
    ASSERT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(form->State.Limit1, 555);
    EXPECT_EQ(form->State.Limit2, 333);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_TRUE(form->Timer2->Enabled());
    int moves1 = 0, moves2 = 0, tick = 0;
    while (form->Timer1->Enabled() || form->Timer2->Enabled()) {
        ++tick;
        const bool run1 = form->Timer1->Enabled(), run2 = form->Timer2->Enabled();
        if (run1) {
            form->Timer1Timer(form->Timer1);
            moves1 += form->Timer1->Enabled();
        }
        if (run2) {
            form->Timer2Timer(form->Timer2);
            moves2 += form->Timer2->Enabled();
        }
        EXPECT_EQ(form->Timer1->Enabled(), form->Timer2->Enabled()) << "tick " << tick;
        ASSERT_LT(tick, 1000);
    }
    EXPECT_EQ(moves1, 112);
    EXPECT_EQ(moves2, 112);
    EXPECT_EQ(tick, 113);
}

TEST_F(Animation, TowardsPictureComesFromTheRight)
{
    form->CheckBox1->SetChecked(true);
    form->State.Step2 = 6;
    form->State.Limit2 = 555;
    std::vector<int> lefts;
    for (int tick = 0; tick < 200 && (tick == 0 || form->State.Pos2 != 0); ++tick) {
        form->Timer2Timer(form->Timer2);
        if (form->State.Pos2 != 0)
            lefts.push_back(form->Image3->Left());
    }
    ASSERT_GE(lefts.size(), 2u);
    EXPECT_EQ(lefts[0], 549);
    EXPECT_EQ(lefts[1], 543);
    EXPECT_EQ(lefts.back(), -3);
}

TEST_F(Animation, RowTwoIsPinnedFromProgramStart)
{
    TForm1 fresh;
    fresh.CheckBox1->SetChecked(false);
    fresh.Image2->SetLeft(1);
    fresh.Timer2Timer(fresh.Timer2);
    EXPECT_EQ(fresh.Image2->Left(), 0);
    EXPECT_TRUE(fresh.Timer2->Enabled());
    fresh.CheckBox1->SetChecked(true);
    fresh.Image3->SetLeft(534);
    fresh.Timer2Timer(fresh.Timer2);
    EXPECT_EQ(fresh.Image3->Left(), 555);
    EXPECT_TRUE(fresh.Timer2->Enabled());
}

TEST_F(Animation, ZeroStepPinsAndNegativeStepNeverEnds)
{
    Type(form->Edit1, "1");
    Type(form->Edit2, "5");
    Type(form->Edit3, "1");
    PressStart();
    for (int i = 0; i < 50; ++i)
        form->Timer1Timer(form->Timer1);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(form->Image1->Left(), 0);

    Type(form->Edit2, "-20");
    PressStart();
    for (int i = 0; i < 50; ++i)
        form->Timer1Timer(form->Timer1);
    EXPECT_TRUE(form->Timer1->Enabled());
    EXPECT_EQ(form->Image1->Left(), -100);
}

TEST_F(Animation, CountersWrapInsteadOfOverflowing)
{
    form->State.Pos1 = INT32_MAX - 1;
    form->State.Limit1 = INT32_MAX;
    form->State.Step1 = 5;
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->State.Pos1, INT32_MIN + 3);
}

TEST_F(Animation, RowOneWithOnlyItsDistanceKeepsItsOldStep)
{
    form->Image2->SetVisible(true);
    form->State.Step1 = 4;
    Type(form->Edit3, "100");
    Type(form->Edit4, "2");
    Type(form->Edit5, "30");
    PressStart();
    EXPECT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(form->State.Step1, 4);
    EXPECT_TRUE(form->Timer1->Enabled());
}

TEST_F(Animation, StartDuringARunKeepsThePosition)
{
    Type(form->Edit1, "3");
    Type(form->Edit2, "60");
    PressStart();
    for (int i = 0; i < 10; ++i)
        form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->State.Pos1, 60);
    Type(form->Edit3, "");
    Type(form->Edit2, "100");
    PressStart();
    form->Timer1Timer(form->Timer1);
    EXPECT_EQ(form->State.Pos1, 70);
}

TEST_F(Animation, CheckBoxDuringARunSwitchesThePlacedPicture)
{
    form->State.Step2 = 10;
    form->State.Limit2 = 555;
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(form->Image2->Left(), 10);
    form->CheckBox1->SetChecked(true);
    form->Timer2Timer(form->Timer2);
    EXPECT_EQ(form->Image3->Left(), 535);
    EXPECT_EQ(form->Image2->Left(), 10);
}

TEST_F(Animation, RealTimerAdvancesOnTheTenthOfASecondRhythm)
{
    form->show();
    // Let the window settle first: its activation resets the upper run.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    Type(form->Edit1, "3");
    Type(form->Edit2, "60");
    PressStart();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1050)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // Ten ticks in a little over a second; allow a slow machine one tick either way.
    EXPECT_GE(form->State.Pos1, 54);
    EXPECT_LE(form->State.Pos1, 66);
}

namespace {

// Counts paint events of the watched widgets and collects the areas they repainted.
class PaintCounter : public QObject {
public:
    int paints = 0;
    QRegion painted; // in the lane panel's coordinates

    PaintCounter(QWidget* panel, QWidget* picture) : panel_(panel)
    {
        panel->installEventFilter(this);
        picture->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            auto* widget = static_cast<QWidget*>(watched);
            const QRegion region = static_cast<QPaintEvent*>(event)->region();
            painted += widget == panel_ ? region : region.translated(widget->pos());
        }
        return false;
    }

private:
    QWidget* panel_;
};

void Settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 150)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

TEST_F(Animation, PinnedRowCostsNoPainting)
{
    form->show();
    form->Image2->SetVisible(true);
    form->Timer2Timer(form->Timer2); // from the layout's left edge 1 to its rest place 0
    Settle();
    PaintCounter counter(form->Panel7, form->Image2);
    for (int tick = 0; tick < 20; ++tick) {
        form->Timer2Timer(form->Timer2);
        QCoreApplication::processEvents();
    }
    Settle();
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(Animation, MovingRepaintsOnlyWhereThePictureWasAndIs)
{
    form->show();
    Settle();
    PaintCounter counter(form->Panel6, form->Image1);
    const QRect before = form->Image1->geometry();
    form->State.Step1 = 6;
    form->State.Limit1 = 555;
    form->Timer1Timer(form->Timer1);
    const QRect after = form->Image1->geometry();
    Settle();
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(QRegion(before).united(after).contains(counter.painted.boundingRect()))
        << "repainted beyond the old and new place of the picture";
}

TEST_F(Animation, StepFailureAfterCompletionKeepsTheWrittenValue)
{
    // "$10" is a whole number in hexadecimal but no real number text.
    Type(form->Edit1, "3");
    Type(form->Edit2, "$10");
    PressStart();
    EXPECT_EQ(LastMessage(), "'$10' is not a valid floating point value");
    EXPECT_EQ(Text(form->Edit3), "48");
    EXPECT_FALSE(form->Timer1->Enabled());
    EXPECT_EQ(form->State.Step1, 0);
}
