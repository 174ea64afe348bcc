#include "toolkit/Application.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QWidget>
#include <algorithm>

#include "runtime/Locale.h"
#include "runtime/NumText.h"
#include "toolkit/Form.h"
#include "toolkit/Platform.h"
#include "toolkit/Utf8.h"

namespace {
TApplication* theApplication = nullptr;
}

TApplication* Application()
{
    return theApplication;
}

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    theApplication = this;
    SetDecimalSeparator(LocaleDecimalSeparator());
    FollowSystemSettings(*this);
    // Accelerators must be seen before the focused control, which might type them.
    installEventFilter(this);
}

TApplication::~TApplication()
{
    if (theApplication == this)
        theApplication = nullptr;
}

void TApplication::SetTitle(const std::string& title)
{
    // Kept apart from Qt's display name, which would be appended to every window title.
    title_ = title;
}

bool TApplication::event(QEvent* event)
{
    // The desktop announces a changed locale: numbers follow the new separator at once.
    if (event->type() == QEvent::LocaleChange)
        SetDecimalSeparator(LocaleDecimalSeparator());
    return QApplication::event(event);
}

bool TApplication::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType())
        if (auto* form = qobject_cast<TForm*>(static_cast<QWidget*>(watched)->window()))
            if (form->AcceleratorKey(*static_cast<QKeyEvent*>(event)))
                return true;
    return QApplication::eventFilter(watched, event);
}

void TApplication::Guard(QObject* sender, const std::function<void()>& handler) noexcept
{
    try {
        try {
            handler();
        } catch (const Exception& error) {
            HandleException(sender, error);
        } catch (const std::exception& error) {
            HandleException(sender, Exception(error.what()));
        }
    } catch (...) {
        // The error box itself failed, a hook threw, or the handler threw something
        // that is no std::exception (the program's own code never does): nothing more
        // can be shown, and nothing may reach Qt's frames.
    }
}

void TApplication::GuardPaint(QObject* sender, const std::function<void()>& handler) noexcept
{
    try {
        try {
            handler();
        } catch (...) {
            paintErrors_.emplace_back(sender, std::current_exception());
            if (!paintErrorsPosted_) {
                paintErrorsPosted_ = true;
                QMetaObject::invokeMethod(this, [this] { HandlePaintErrors(); }, Qt::QueuedConnection);
            }
        }
    } catch (...) {
        // Out of memory while keeping the error: it cannot be shown, and nothing may
        // reach Qt's frames.
    }
}

void TApplication::HandlePaintErrors()
{
    paintErrorsPosted_ = false;
    // One at a time from the front: a box's own message loop may paint, fail and come
    // back here, and the older errors still go first.
    while (!paintErrors_.empty()) {
        auto [sender, error] = std::move(paintErrors_.front());
        paintErrors_.pop_front();
        Guard(sender.data(), [&error] { std::rethrow_exception(error); });
    }
}

void TApplication::HandleException(QObject* sender, const Exception& error)
{
    // A pressed button or a drag must not stay captured behind the box.
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (dynamic_cast<const EAbort*>(&error))
        return;
    if (errorHook_) {
        errorHook_(sender, error);
        return;
    }
    ShowException(error);
}

// The window the pupil was using: the box opens over it, on its screen, and it is made
// active again when the box closes.
static QWidget* WindowInUse()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isWindow())
            return window;
    }
    return nullptr;
}

namespace {

const QChar FirstStrongIsolate(0x2068);
const QChar PopDirectionalIsolate(0x2069);

bool IsLineBreak(char32_t c)
{
    return (c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// The typed text as the box quotes it, limited before anything lays it out, so that no
// pasted text can make the box tall or slow: at most MostCharacters characters (grapheme
// clusters), each cut to its first MostCodePoints code points; a line break (CR LF
// too) shown as one "↵", any other control character as a blank; "…" where it was cut.
QString QuotedForBox(std::string_view typed)
{
    constexpr int MostCharacters = 256;
    constexpr int MostCodePoints = 4;
    // Only a head of the text is looked at: more than enough bytes for that many
    // characters, ending on the start of a UTF-8 sequence.
    std::size_t head = std::min<std::size_t>(typed.size(), std::size_t(MostCharacters) * MostCodePoints * 4);
    while (head < typed.size() && head > 0 && (static_cast<unsigned char>(typed[head]) & 0xC0) == 0x80)
        --head;
    const QString text = QString::fromUtf8(typed.data(), static_cast<qsizetype>(head));
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    QString shown;
    qsizetype start = 0;
    int characters = 0;
    for (qsizetype end = clusters.toNextBoundary(); end > start && characters < MostCharacters;
         start = end, end = clusters.toNextBoundary(), ++characters) {
        int points = 0;
        for (qsizetype i = start; i < end && points < MostCodePoints; ++points) {
            char32_t c = text[i].unicode();
            qsizetype units = 1;
            if (QChar::isHighSurrogate(c) && i + 1 < end && text[i + 1].isLowSurrogate()) {
                c = QChar::surrogateToUcs4(text[i], text[i + 1]);
                units = 2;
            }
            if (IsLineBreak(c) || QChar::category(c) == QChar::Other_Control) {
                shown += IsLineBreak(c) ? QChar(0x21B5) : QChar(' ');
                break; // one mark for the whole cluster
            }
            shown += QStringView(text).mid(i, units);
            i += units;
        }
    }
    if (start < text.size() || head < typed.size())
        shown += QChar(0x2026);
    return shown;
}

// What the box shows for an error: the message with its period, the typed text it
// quotes isolated for bidirectional text (a right-to-left mark inside cannot turn the
// rest around) and cut with "…" to about a third of the screen's width, and the whole
// cut to a few lines, so that the box and its OK button stay on the screen.
QString ShownText(const Exception& error, const QFontMetrics& metrics, int screenWidth)
{
    const std::string text = WithFinalPeriod(error.Message());
    const std::size_t start = std::min(error.QuotedStart(), text.size());
    const std::size_t length = std::min(error.QuotedLength(), text.size() - start);
    QString shown = ToQString(text.substr(0, start));
    if (length > 0) {
        const QString quoted = QuotedForBox(std::string_view(text).substr(start, length));
        shown += FirstStrongIsolate + metrics.elidedText(quoted, Qt::ElideRight, screenWidth / 3)
                 + PopDirectionalIsolate;
    }
    shown += ToQString(text.substr(start + length));
    constexpr int MostLines = 6;
    return metrics.elidedText(shown, Qt::ElideRight, screenWidth / 2 * MostLines);
}

// A box is at least as wide as its title bar needs: the caption in the title's bold
// face, and the window's icon and buttons beside it (about a square of the bar's height
// each), as the desktop's own message box is. Qt sizes the box by its text alone.
void WideEnoughForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics title(bold);
    const int bar = title.height() + 10;
    const int needed = title.horizontalAdvance(box.windowTitle()) + 4 * bar;
    // A spacer across the whole grid: the least width Qt lays the box out at.
    grid->addItem(new QSpacerItem(needed, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// A screen reader reads the isolation marks as characters of their own: the box's
// accessible text is the shown text without them.
void NameWithoutIsolates(QMessageBox& box)
{
    auto* message = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!message)
        return;
    QString spoken = message->text();
    spoken.remove(FirstStrongIsolate).remove(PopDirectionalIsolate);
    message->setAccessibleName(spoken);
}

} // namespace

void TApplication::ShowException(const Exception& error)
{
    QPointer<QWidget> inUse = WindowInUse();
    QMessageBox box(QMessageBox::Critical, ToQString(title_), QString(), QMessageBox::Ok, inUse);
    const QScreen* screen = inUse ? inUse->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 640;
    box.setText(ShownText(error, QFontMetrics(box.font()), screenWidth));
    // The message quotes what the pupil typed: never read it as markup.
    box.setTextFormat(Qt::PlainText);
    NameWithoutIsolates(box);
    WideEnoughForTitle(box);
    // No window of the program takes input while the box is open; ticks and painting go on.
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    if (inUse) {
        inUse->activateWindow();
        QApplication::setActiveWindow(inUse);
    }
}
