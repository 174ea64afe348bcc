#include "accessibility/Announce.h"

#include <QAccessibleWidget>
#include <QMetaObject>
#include <QStringList>
#include <QWidget>

#include "accessibility/Interfaces.h"

namespace {

constexpr const char* AnnouncementName = "velmoraAnnouncement";

// The notification a window speaks through: an empty widget of no size that paints
// nothing and takes neither focus nor mouse. Works around Qt 6.4, which has no
// announcement event (Qt 6.8 brings QAccessibleAnnouncementEvent): a screen reader
// speaks a notification when it starts showing, so each announcement hides and shows
// it again.
class TAnnouncement : public QWidget {
    Q_OBJECT
public:
    explicit TAnnouncement(QWidget* window) : QWidget(window)
    {
        setObjectName(AnnouncementName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(0, 0, 0, 0);
        hide();
    }

    const QString& Text() const { return spoken_; }

    void Add(const QString& text)
    {
        if (pending_.isEmpty())
            QMetaObject::invokeMethod(this, [this] { Speak(); }, Qt::QueuedConnection);
        pending_.append(text);
    }

private:
    void Speak()
    {
        spoken_ = pending_.join(QStringLiteral(". "));
        pending_.clear();
        hide();
        show();
    }

    QStringList pending_;
    QString spoken_;
};

// Its name is what it says; read as a text, the same in one run, with its language.
class TAnnouncementAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TAnnouncementAccessible(TAnnouncement* announcement)
        : QAccessibleWidget(announcement, QAccessible::Notification)
    {
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Spoken();
        return QAccessibleWidget::text(t);
    }

    // Text: read only, nothing to select, no caret and no place on the screen.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return Spoken().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Spoken().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return LanguageAttribute(*widget());
    }

private:
    const QString& Spoken() const { return static_cast<TAnnouncement*>(widget())->Text(); }
};

} // namespace

QAccessibleInterface* AnnouncementInterface(QWidget* widget)
{
    if (auto* announcement = qobject_cast<TAnnouncement*>(widget))
        return new TAnnouncementAccessible(announcement);
    return nullptr;
}

void Announce(QWidget* control, const QString& text)
{
    if (!QAccessible::isActive() || text.isEmpty())
        return;
    QWidget* window = control->window();
    auto* announcement = window->findChild<TAnnouncement*>(AnnouncementName, Qt::FindDirectChildrenOnly);
    if (!announcement) {
        announcement = new TAnnouncement(window);
        ForgetInterface(announcement);
    }
    announcement->Add(text);
}

#include "Announce.moc"
