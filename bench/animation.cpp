// Animation: the CPU time of one tick with both lanes running (both tick handlers and
// the repaint that follows), the painting done while idle (with row 2 pinned and
// nothing else changing, ten seconds of the real event loop should repaint no lane),
// and how steadily the ticks come: both lanes running for 30 s on the real event loop.
//
//   bench_animation [ticks]   (run from the repository root: pictures come from dris/)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/AboutWindow.h"
#include "app/CribSheetWindow.h"
#include "app/MainWindow.h"
#include "app/UiFonts.h"
#include "bench/BenchTable.h"
#include "toolkit/Application.h"

namespace {

// Counts paint events, separately for the lane widgets and for every other widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::set<QObject*> lanes) : lanes_(std::move(lanes)) {}

    int Lanes = 0;
    int Others = 0;

    void Reset() { Lanes = Others = 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++(lanes_.count(watched) ? Lanes : Others);
        return false;
    }

private:
    std::set<QObject*> lanes_;
};

void Settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void ChooseObject(MainWindow& form, TComboBox* list, const char* name)
{
    list->SetTextFromStart(name);
    Guarded(list, [&] {
        form.ObjectChosen(list == form.UpperLane.ObjectList ? form.UpperLane : form.LowerLane);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 5000;

    TApplication app(argc, argv);
    MapLayoutFont();
    app.SetTitle("Velmora 1.0");
    int errors = 0;
    app.SetErrorHook([&](QObject*, const Exception& error) {
        ++errors;
        std::fprintf(stderr, "bench_animation: unexpected error: %s\n", error.Message().c_str());
    });

    MainWindow form;
    AboutWindow about;
    CribSheetWindow cribSheet;
    form.SetSecondaryWindows(&about, &cribSheet);
    PaintCounter paints({form.UpperLane.Picture, form.LowerLane.Picture, form.LowerLane.TowardsPicture, form.UpperLane.Track, form.LowerLane.Track});
    app.installEventFilter(&paints);
    int timer2Ticks = 0;
    QObject::connect(form.LowerLane.Timer, &TTimer::timeout, [&] { ++timer2Ticks; });
    form.show();
    Settle(300);

    // Idle: LowerLane.Timer runs from start-up with step 0, so row 2 is pinned. Give it a
    // picture, let its first tick put it at its rest place, then watch ten seconds.
    ChooseObject(form, form.LowerLane.ObjectList, "Грузовик");
    Settle(500);
    paints.Reset();
    timer2Ticks = 0;
    Settle(10000);
    const int idleLanePaints = paints.Lanes;
    const int idleOtherPaints = paints.Others;
    const int idleTicks = timer2Ticks;

    // Both lanes running; the ticks are driven here, one after the other, each followed
    // by the repaint the event loop would do.
    ChooseObject(form, form.UpperLane.ObjectList, "Самолет");
    form.UpperLane.Time->SetTextFromStart("3");
    form.UpperLane.Speed->SetTextFromStart("60");
    form.LowerLane.Time->SetTextFromStart("3");
    form.LowerLane.Speed->SetTextFromStart("40");
    Guarded(form.StartButton, [&] { form.StartClick(form.StartButton); });
    if (!form.UpperLane.Timer->Enabled() || !form.LowerLane.Timer->Enabled()) {
        std::fprintf(stderr, "bench_animation: the start did not set both lanes running\n");
        return 1;
    }
    // The ticks are driven by hand: the timers keep running, but their clock strikes once a day.
    for (TTimer* timer : {form.UpperLane.Timer, form.LowerLane.Timer})
        timer->SetInterval(24 * 3600 * 1000);
    QCoreApplication::processEvents();

    auto tick = [&] {
        form.LaneTick(form.UpperLane);
        form.LaneTick(form.LowerLane);
    };
    for (int i = 0; i < 200; ++i) {
        tick();
        QCoreApplication::processEvents();
    }

    double cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < ticks; ++i)
        tick();
    const double handlersOnly = (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu) / ticks;
    QCoreApplication::processEvents();

    paints.Reset();
    cpu = Seconds(CLOCK_PROCESS_CPUTIME_ID);
    for (int i = 0; i < ticks; ++i) {
        tick();
        QCoreApplication::processEvents();
    }
    const double withRepaint = (Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu) / ticks;
    const double lanePaintsPerTick = static_cast<double>(paints.Lanes) / ticks;

    // Steadiness: both lanes at 1 pixel a tick, on the real event loop, for 30 s; each
    // tick's distance from the 100 ms after the one before it.
    std::vector<double> lateness;
    QElapsedTimer clock;
    clock.start();
    // Each tick is timed as its lane's handler returns; the handlers take alike long.
    for (TTimer* timer : {form.UpperLane.Timer, form.LowerLane.Timer}) {
        auto last = std::make_shared<qint64>(-1);
        QObject::connect(timer, &TTimer::timeout, [&, last] {
            const qint64 now = clock.nsecsElapsed();
            if (*last >= 0)
                lateness.push_back(std::fabs(static_cast<double>(now - *last) * 1e-6 - 100.0));
            *last = now;
        });
    }
    // Both runs ended above, so both start from the left, now at the clock's own rhythm.
    for (TTimer* timer : {form.UpperLane.Timer, form.LowerLane.Timer})
        timer->SetInterval(100);
    form.UpperLane.Time->SetTextFromStart("1000");
    form.UpperLane.Speed->SetTextFromStart("10");
    form.UpperLane.Distance->SetTextFromStart("");
    form.LowerLane.Time->SetTextFromStart("1000");
    form.LowerLane.Speed->SetTextFromStart("10");
    form.LowerLane.Distance->SetTextFromStart("");
    Guarded(form.StartButton, [&] { form.StartClick(form.StartButton); });
    Settle(30000);
    std::sort(lateness.begin(), lateness.end());
    const double medianLateness = Median(lateness);
    const double p99Lateness = lateness.empty() ? 0 : lateness[lateness.size() * 99 / 100];

    const std::string perTicks = " (" + std::to_string(ticks) + " ticks)";
    PrintBenchRow({"Tick, both lanes, handlers only" + perTicks, Format("%.1f us CPU", handlersOnly * 1e6),
                   "100 ms tick period", Format("%.4f %% of a tick", handlersOnly / 0.1 * 100), "", true});
    PrintBenchRow({"Tick, both lanes, handlers + repaint" + perTicks, Format("%.1f us CPU", withRepaint * 1e6),
                   "100 ms tick period",
                   Format("%.3f %% of a tick", withRepaint / 0.1 * 100) + Format(", %.1f lane paints per tick",
                                                                                 lanePaintsPerTick),
                   "", true});
    PrintBenchRow({"Idle 10 s, row 2 pinned (" + std::to_string(idleTicks) + " LowerLane.Timer ticks)",
                   std::to_string(idleLanePaints) + " lane/panel paints", "0 paints",
                   std::to_string(idleOtherPaints) + " paints of other widgets", "0 lane/panel paints",
                   idleLanePaints == 0 && idleTicks > 0});
    PrintBenchRow({"Tick steadiness, both lanes running 30 s (" + std::to_string(lateness.size()) + " intervals)",
                   Format("median %.2f ms", medianLateness) + Format(", 99th percentile %.2f ms", p99Lateness),
                   "100 ms between ticks", "distance from 100 ms", "99th percentile <= 2 ms", p99Lateness <= 2.0});
    return errors == 0 ? 0 : 1;
}
