// The error box for texts a pupil may paste into a field: the time from the error to the
// box on the screen, against the box for a short typed text in the same run, and the
// box's size against an 800 x 600 screen.
//
//   bench_error_box [repetitions]
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchTable.h"
#include "runtime/NumText.h"
#include "toolkit/Application.h"

namespace {

struct Opened {
    double Seconds = 0;
    QSize Size;
};

// Raises the field's error as the start button would and closes the box as soon as it shows.
Opened OpenBox(const std::string& typed)
{
    Opened opened;
    double start = 0;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        opened.Seconds = Seconds(CLOCK_MONOTONIC) - start;
        opened.Size = box->frameGeometry().size();
        poll.stop();
        box->button(QMessageBox::Ok)->click();
    });
    poll.start();
    start = Seconds(CLOCK_MONOTONIC);
    Application()->Guard(nullptr, [&] { StrToInt(typed); });
    return opened;
}

std::string Times(int count, const std::string& piece)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    app.SetTitle("Velmora 1.0");
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const struct {
        const char* name;
        std::string typed;
    } texts[] = {
        {"\"3\" + 30 000 line breaks", "3" + std::string(30'000, '\n')},
        {"\"3\" + 30 000 line separators", "3" + Times(30'000, "\u2028")},
        {"\"3\" + 30 000 combining accents", "3" + Times(30'000, "\u0301")},
        {"\"3\" + 30 000 zero-width spaces", "3" + Times(30'000, "\u200B")},
        {"32 767 digits", std::string(32'767, '7')},
    };
    OpenBox("abc");
    for (const auto& text : texts) {
        std::vector<double> ours, baseline;
        QSize size;
        for (int i = 0; i < repetitions; ++i) {
            const Opened box = OpenBox(text.typed);
            ours.push_back(box.Seconds);
            size = box.Size;
            baseline.push_back(OpenBox("abc").Seconds);
        }
        const double a = Median(ours), b = Median(baseline);
        const bool fits = size.width() <= 800 && size.height() <= 600;
        PrintBenchRow({std::string("Error box for ") + text.name + ", " + std::to_string(size.width()) + " x " +
                           std::to_string(size.height()) + " px (median of " + std::to_string(repetitions) + ")",
                       Format("%.1f ms", a * 1e3), Format("%.1f ms for \"abc\"", b * 1e3), Format("%.2f x", a / b),
                       "<= 100 ms, fits 800 x 600", a <= 0.1 && fits});
    }
    return 0;
}
