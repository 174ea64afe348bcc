// The pictures move across their lanes tick by tick.
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QRegion>

#include "LessonFixture.h"

namespace {

// Ticks row 1 until its timer stops itself; returns the number of ticks and the lefts placed.
int RunRow1(MainWindow& form, std::vector<int>& lefts, int maxTicks = 100000)
{
    for (int tick = 1; tick <= maxTicks; ++tick) {
        const int32_t before = form.State().Upper().Position;
        form.LaneTick(form.UpperLane);
        if (!form.UpperLane.Timer->Enabled())
            return tick;
        if (form.State().Upper().Position != before || tick == 1)
            lefts.push_back(form.UpperLane.Picture->Left());
    }
    return -1;
}

} // namespace

using Animation = LessonTest;

TEST_F(Animation, BadSpeedTextStopsBeforeAnyTimerStarts)
{
    Type(form->UpperLane.Time, "1");
    Type(form->UpperLane.Speed, "fast");
    Type(form->UpperLane.Distance, "60");
    PressStart();
    EXPECT_EQ(LastMessage(), "'fast' is not a valid floating point value");
    EXPECT_FALSE(form->UpperLane.Timer->Enabled());
}

TEST_F(Animation, HugeSpeedGivesAStepBeyondTheCounter)
{
    Type(form->UpperLane.Time, "1");
    Type(form->UpperLane.Speed, "1E30");
    Type(form->UpperLane.Distance, "1");
    PressStart();
    EXPECT_EQ(LastMessage(), "Invalid floating point operation");
    EXPECT_FALSE(form->UpperLane.Timer->Enabled());
}

TEST_F(Animation, SingleObjectRunOvershootsTheTrackThenStops)
{
    Type(form->UpperLane.Time, "3");
    Type(form->UpperLane.Speed, "60");
    PressStart();
    EXPECT_EQ(form->State().Upper().Limit, 555);
    EXPECT_TRUE(form->UpperLane.Timer->Enabled());
    EXPECT_EQ(form->State().Lower().Limit, 0) << "row 2 is not started in single-object mode";
    std::vector<int> lefts;
    const int stoppingTick = RunRow1(*form, lefts);
    EXPECT_EQ(lefts.size(), 93u);
    EXPECT_EQ(lefts.front(), 6);
    EXPECT_EQ(lefts.back(), 558);
    EXPECT_EQ(stoppingTick, 94);
    EXPECT_EQ(form->State().Upper().Position, 0);
    EXPECT_EQ(form->UpperLane.Picture->Left(), 558) << "the picture stays where it stopped";
}

TEST_F(Animation, TwoRunsOfEqualTimesStopOnTheSameTick)
{
    form->LowerLane.ObjectList->setEditText(QStringLiteral("Автомобиль"));
    Type(form->UpperLane.Time, "2");
    Type(form->UpperLane.Speed, "50");
    Type(form->LowerLane.Time, "2");
    Type(form->LowerLane.Speed, "30");
    PressStart();
    ASSERT_TRUE(errors.empty()) << LastMessage();
    EXPECT_EQ(form->State().Upper().Limit, 555);
    EXPECT_EQ(form->State().Lower().Limit, 333);
    EXPECT_TRUE(form->UpperLane.Timer->Enabled());
    EXPECT_TRUE(form->LowerLane.Timer->Enabled());
    int moves1 = 0, moves2 = 0, tick = 0;
    while (form->UpperLane.Timer->Enabled() || form->LowerLane.Timer->Enabled()) {
        ++tick;
        const bool run1 = form->UpperLane.Timer->Enabled(), run2 = form->LowerLane.Timer->Enabled();
        if (run1) {
            form->LaneTick(form->UpperLane);
            moves1 += form->UpperLane.Timer->Enabled();
        }
        if (run2) {
            form->LaneTick(form->LowerLane);
            moves2 += form->LowerLane.Timer->Enabled();
        }
        EXPECT_EQ(form->UpperLane.Timer->Enabled(), form->LowerLane.Timer->Enabled()) << "tick " << tick;
        ASSERT_LT(tick, 1000);
    }
    EXPECT_EQ(moves1, 112);
    EXPECT_EQ(moves2, 112);
    EXPECT_EQ(tick, 113);
}

TEST_F(Animation, TowardsPictureComesFromTheRight)
{
    form->LowerLane.TowardsBox->setChecked(true);
    for (TEdit* field : {form->UpperLane.Time, form->UpperLane.Speed, form->LowerLane.Time, form->LowerLane.Speed})
        Type(field, "60");
    PressStart();
    std::vector<int> lefts;
    for (int tick = 0; tick < 200 && (tick == 0 || form->State().Lower().Position != 0); ++tick) {
        form->LaneTick(form->LowerLane);
        if (form->State().Lower().Position != 0)
            lefts.push_back(form->LowerLane.TowardsPicture->Left());
    }
    ASSERT_GE(lefts.size(), 2u);
    EXPECT_EQ(lefts[0], 549);
    EXPECT_EQ(lefts[1], 543);
    EXPECT_EQ(lefts.back(), -3);
}

TEST_F(Animation, RealTimerAdvancesOnTheTenthOfASecondRhythm)
{
    form->show();
    // Let the window settle first: its activation resets the upper run.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    form->UpperLane.Timer->SetInterval(100);
    Type(form->UpperLane.Time, "3");
    Type(form->UpperLane.Speed, "60");
    PressStart();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1050)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    // Ten ticks in a little over a second; allow a slow machine one tick either way.
    EXPECT_GE(form->State().Upper().Position, 54);
    EXPECT_LE(form->State().Upper().Position, 66);
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
    form->LowerLane.ObjectList->setEditText(QStringLiteral("Автомобиль"));
    form->LaneTick(form->LowerLane); // from the layout's left edge 1 to its rest place 0
    Settle();
    PaintCounter counter(form->LowerLane.Track, form->LowerLane.Picture);
    for (int tick = 0; tick < 20; ++tick) {
        form->LaneTick(form->LowerLane);
        QCoreApplication::processEvents();
    }
    Settle();
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(Animation, MovingRepaintsOnlyWhereThePictureWasAndIs)
{
    form->show();
    Settle();
    PaintCounter counter(form->UpperLane.Track, form->UpperLane.Picture);
    Type(form->UpperLane.Time, "3");
    Type(form->UpperLane.Speed, "60");
    PressStart();
    const QRect before = form->UpperLane.Picture->geometry();
    form->LaneTick(form->UpperLane);
    const QRect after = form->UpperLane.Picture->geometry();
    Settle();
    EXPECT_GT(counter.paints, 0);
    EXPECT_TRUE(QRegion(before).united(after).contains(counter.painted.boundingRect()))
        << "repainted beyond the old and new place of the picture";
}

TEST_F(Animation, StepFailureAfterCompletionKeepsTheWrittenValue)
{
    // "$10" is a whole number in hexadecimal but no real number text.
    Type(form->UpperLane.Time, "3");
    Type(form->UpperLane.Speed, "$10");
    PressStart();
    EXPECT_EQ(LastMessage(), "'$10' is not a valid floating point value");
    EXPECT_EQ(Text(form->UpperLane.Distance), "48");
    EXPECT_FALSE(form->UpperLane.Timer->Enabled());
    EXPECT_EQ(form->State().Upper().Step, 0);
}
