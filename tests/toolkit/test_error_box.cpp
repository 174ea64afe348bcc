// The error box as a pupil meets it: caption, icon, text, one OK, and the lesson going on behind it.
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "runtime/NumText.h"
#include "toolkit/Application.h"
#include "toolkit/Platform.h"
#include "toolkit/Timer.h"

namespace {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool applicationModal = false;
};

SeenBox Read(QMessageBox* box)
{
    return {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size()),
            box->windowModality() == Qt::ApplicationModal};
}

// Runs `look` on the next box that opens (other than `opened`), then presses its OK.
void WhenBoxOpens(std::function<void(QMessageBox*)> look, QMessageBox* opened = nullptr)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, look, opened] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || box == opened || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        look(box);
        box->button(QMessageBox::Ok)->click();
    });
    poll->start();
}

class ErrorBox : public ::testing::Test {
protected:
    void SetUp() override { Application()->SetTitle("Velmora 1.0"); }
};

} // namespace

TEST_F(ErrorBox, AbortIsSilentAndTheHookReplacesTheBox)
{
    std::vector<std::string> seen;
    Application()->SetErrorHook([&](QObject*, const Exception& e) { seen.push_back(e.Message()); });
    Application()->Guard(nullptr, [] { throw EAbort("never shown"); });
    Application()->Guard(nullptr, [] { throw EConvertError("'x' is not a valid integer value"); });
    Application()->Guard(nullptr, [] { throw std::runtime_error("plain"); });
    Application()->SetErrorHook(nullptr);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "'x' is not a valid integer value");
    EXPECT_EQ(seen[1], "plain");
}

TEST_F(ErrorBox, ShowsCaptionStopIconTextAndOneButton)
{
    SeenBox seen;
    WhenBoxOpens([&](QMessageBox* box) { seen = Read(box); });
    bool after = false;
    Application()->Guard(nullptr, [&] {
        throw EConvertError("'<b>abc</b>' is not a valid integer value");
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_EQ(seen.caption.toStdString(), "Velmora 1.0");
    EXPECT_EQ(seen.text.toStdString(), "'<b>abc</b>' is not a valid integer value.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_TRUE(seen.applicationModal);
}

TEST_F(ErrorBox, ScreenReadersHearTheTextWithoutItsIsolationMarks)
{
    QString shown, spoken;
    WhenBoxOpens([&](QMessageBox* box) {
        shown = box->text();
        if (auto* message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            spoken = QAccessible::queryAccessibleInterface(message)->text(QAccessible::Name);
    });
    Application()->Guard(nullptr, [] { StrToInt("abc"); });
    EXPECT_EQ(shown.toStdString(), "'\u2068abc\u2069' is not a valid integer value.");
    EXPECT_EQ(spoken.toStdString(), "'abc' is not a valid integer value.");
}

// Windows' settings give message boxes and menus fonts of their own, whose family Wine
// lacks; they keep their sizes and take the family the layouts use.
TEST_F(ErrorBox, TextTakesTheLayoutsFamilyAtTheSystemsSize)
{
    const QFont saved = QApplication::font();
    QApplication::setFont(QFont(QStringLiteral("Missing Serif"), 13), "QMessageBox");
    QApplication::setFont(QFont(QStringLiteral("Missing Serif"), 11), "QMenu");
    UseFamilyForSystemTexts(QStringLiteral("Layout Sans"));
    QFont text;
    WhenBoxOpens([&](QMessageBox* box) {
        if (auto* message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
            text = message->font();
    });
    Application()->Guard(nullptr, [] { StrToInt("abc"); });
    const QFont menu = QApplication::font("QMenu");
    const QFont general = QApplication::font();
    QApplication::setFont(saved);
    EXPECT_EQ(text.families(), QStringList{QStringLiteral("Layout Sans")});
    EXPECT_EQ(text.pointSize(), 13);
    EXPECT_EQ(menu.families(), QStringList{QStringLiteral("Layout Sans")});
    EXPECT_EQ(menu.pointSize(), 11);
    EXPECT_EQ(general.families(), QStringList{QStringLiteral("Layout Sans")});
    EXPECT_EQ(general.pointSize(), saved.pointSize());
}

TEST_F(ErrorBox, CaptionIsTheTitleAtTheMomentTheBoxOpensAndFitsTheBox)
{
    SeenBox seen;
    int width = 0;
    QFont title;
    WhenBoxOpens([&](QMessageBox* box) {
        seen = Read(box);
        width = box->width();
        title = box->font();
    });
    Application()->SetTitle("Another title, longer than the message");
    Application()->Guard(nullptr, [] { throw EJPEG("JPEG error #59"); });
    Application()->SetTitle("Velmora 1.0");
    EXPECT_EQ(seen.caption.toStdString(), "Another title, longer than the message");
    EXPECT_EQ(seen.text.toStdString(), "JPEG error #59.");
    // A short message still gets a box as wide as its title: the caption and the title
    // bar's buttons beside it.
    title.setBold(true);
    const QFontMetrics metrics(title);
    EXPECT_GE(width, metrics.horizontalAdvance(seen.caption) + 3 * metrics.height());
}

TEST_F(ErrorBox, TicksGoOnBehindTheBoxAndAFailingTickStacksASecondBox)
{
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);

    TTimer timer(nullptr);
    timer.SetInterval(10);
    int ticks = 0;
    int ticksWhileOpen = 0;
    bool thrown = false;
    std::vector<QString> stack;
    ConnectHandler(&timer, &TTimer::timeout, &timer, [&](QObject*) {
        ++ticks;
        if (!QApplication::activeModalWidget())
            return;
        ++ticksWhileOpen;
        if (ticksWhileOpen == 3 && !thrown) {
            thrown = true;
            throw EInvalidOp("Invalid floating point operation");
        }
    });
    // The first box stays open until a second one, raised by a tick, has been seen on top.
    WhenBoxOpens([&](QMessageBox* first) {
        stack.push_back(first->text());
        QElapsedTimer clock;
        clock.start();
        WhenBoxOpens([&](QMessageBox* second) { stack.push_back(second->text()); }, first);
        while (stack.size() < 2 && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
    });
    timer.SetEnabled(true);
    Application()->Guard(nullptr, [] { throw EOverflow("Floating point overflow"); });
    timer.SetEnabled(false);

    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack[0].toStdString(), "Floating point overflow.");
    EXPECT_EQ(stack[1].toStdString(), "Invalid floating point operation.");
    EXPECT_GE(ticksWhileOpen, 3) << "the timer must keep ticking while the box is open";
    EXPECT_EQ(QApplication::activeWindow(), &window) << "the window in use is active again";
}

TEST_F(ErrorBox, AnErrorInATickLeavesTheTimerRunning)
{
    Application()->SetErrorHook([](QObject*, const Exception&) {});
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    ConnectHandler(&timer, &TTimer::timeout, &timer, [&](QObject*) {
        ++ticks;
        throw EConvertError("bad");
    });
    timer.SetEnabled(true);
    QElapsedTimer clock;
    clock.start();
    while (ticks < 3 && clock.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    Application()->SetErrorHook(nullptr);
    EXPECT_GE(ticks, 3);
    EXPECT_TRUE(timer.Enabled());
}

TEST_F(ErrorBox, AMouseGrabIsReleasedBeforeTheErrorIsHandled)
{
    QWidget window;
    window.show();
    window.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &window);
    QWidget* grabberSeen = &window;
    Application()->SetErrorHook([&](QObject*, const Exception&) { grabberSeen = QWidget::mouseGrabber(); });
    Application()->Guard(nullptr, [] { throw EConvertError("bad"); });
    Application()->SetErrorHook(nullptr);
    EXPECT_EQ(grabberSeen, nullptr);
}

// A box opened from inside a paint would run its message loop within it.
TEST_F(ErrorBox, ErrorsRaisedWhilePaintingAreHandledAfterThePaintInTheirOrder)
{
    struct FailingPaint : QWidget {
        explicit FailingPaint(std::string message) : message(std::move(message)) {}
        void paintEvent(QPaintEvent*) override
        {
            painting = true;
            GuardedPaint(this, [this] { throw EJPEG(message); });
            painting = false;
        }
        std::string message;
        bool painting = false;
    };
    QWidget window;
    auto* first = new FailingPaint("JPEG error #42");
    auto* second = new FailingPaint("JPEG error #53");
    first->setParent(&window);
    second->setParent(&window);
    second->move(0, 50);
    std::vector<std::string> seen;
    bool inPaint = false;
    Application()->SetErrorHook([&](QObject*, const Exception& e) {
        seen.push_back(e.Message());
        inPaint = inPaint || first->painting || second->painting;
    });
    QImage shot(window.size(), QImage::Format_RGB32);
    window.render(&shot);
    EXPECT_TRUE(seen.empty()) << "handled inside the paint";
    QCoreApplication::processEvents();
    Application()->SetErrorHook(nullptr);
    EXPECT_EQ(seen, (std::vector<std::string>{"JPEG error #42", "JPEG error #53"}));
    EXPECT_FALSE(inPaint);
}

// Long typed or pasted texts: the box quotes a few characters of them on one line, cut
// with "…", and stays on the screen; the error keeps the whole text.
TEST_F(ErrorBox, LongTypedTextFitsTheScreenAndCannotReorderTheMessage)
{
    const auto times = [](int count, const char* piece) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += piece;
        return text;
    };
    const struct {
        const char* name;
        std::string typed;
        const char* shownStart; // the box's text begins so, and ends with "…" + the message's end
    } cases[] = {
        {"100 kB with a right-to-left override", std::string("5\u202E").append(100'000, '7'), "'\u20685\u202E777"},
        {"30 000 line breaks", std::string("3").append(30'000, '\n'), "'\u20683\u21B5\u21B5"},
        {"30 000 CR LF pairs", std::string("3").append(times(30'000, "\r\n")), "'\u20683\u21B5\u21B5"},
        {"30 000 line separators", std::string("3").append(times(30'000, "\u2028")), "'\u20683\u21B5\u21B5"},
        {"30 000 combining accents", std::string("3").append(times(30'000, "\u0301")), "'\u20683\u0301\u0301\u0301\u2026"},
        {"30 000 zero-width spaces", std::string("3").append(times(30'000, "\u200B")), "'\u20683\u200B\u200B"},
        {"tabs and NUL", std::string("3").append(times(10'000, std::string("\t\0", 2).c_str())).append(20'000, '\0'), "'\u20683 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QRect screen, box, ok;
        QString text;
        WhenBoxOpens([&](QMessageBox* shown) {
            screen = shown->screen()->availableGeometry();
            box = shown->frameGeometry();
            ok = QRect(shown->button(QMessageBox::Ok)->mapToGlobal(QPoint(0, 0)),
                       shown->button(QMessageBox::Ok)->size());
            text = shown->text();
        });
        std::string message;
        Application()->Guard(nullptr, [&] {
            try {
                StrToInt(c.typed);
            } catch (const EConvertError& error) {
                message = error.Message();
                throw;
            }
        });
        EXPECT_EQ(message, "'" + c.typed + "' is not a valid integer value") << "the error keeps the whole text";
        EXPECT_TRUE(screen.contains(box)) << "box " << box.width() << " x " << box.height() << " px";
        EXPECT_TRUE(screen.contains(ok));
        EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.shownStart))) << text.left(20).toStdString();
        EXPECT_TRUE(text.endsWith(QString::fromUtf8("…\u2069' is not a valid integer value.")));
        EXPECT_LT(text.size(), 400);
        for (const QChar unit : text)
            EXPECT_FALSE(unit.category() == QChar::Other_Control || unit == QChar(0x2028)) << "a line break shown";
    }
    // A short text is quoted whole, its line break as one mark.
    QString shown;
    WhenBoxOpens([&](QMessageBox* box) { shown = box->text(); });
    Application()->Guard(nullptr, [] { StrToInt("3\r\n4"); });
    EXPECT_EQ(shown.toStdString(), "'\u20683\u21B54\u2069' is not a valid integer value.");
}
