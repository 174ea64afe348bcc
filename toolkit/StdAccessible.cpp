#include "toolkit/StdAccessible.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QVariant>

#include "toolkit/Application.h"
#include "toolkit/StdControls.h"

namespace {

constexpr const char* DecorationMark = "velmoraDecoration";
constexpr const char* HoldsDecorationMark = "velmoraHoldsDecoration";
constexpr const char* LinkMark = "velmoraLink";
constexpr const char* AnnouncementName = "velmoraAnnouncement";

bool IsDecoration(const QObject* object)
{
    return object && object->property(DecorationMark).toBool();
}

// Qt makes a control's interface at its first accessibility event, which may come
// while the control is still being built, before it was marked; the next query
// then makes it anew, through the factory below.
void ForgetInterface(QObject* object)
{
    if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(object))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(known));
}

// Announces every window's title change, whether the window is shown or hidden; Qt
// sends no event of its own for it.
class TTitleWatch : public QObject {
public:
    explicit TTitleWatch(QObject* application) : QObject(application) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowTitleChange && QAccessible::isActive() && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            QAccessibleEvent renamed(watched, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
        return QObject::eventFilter(watched, event);
    }
};

// A window, a panel or a plain client area: its children without the decoration.
class TContainerAccessible : public QAccessibleWidget {
public:
    TContainerAccessible(QWidget* container, QAccessible::Role role) : QAccessibleWidget(container, role) {}

    int childCount() const override { return static_cast<int>(Kept().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QAccessibleInterface*> kept = Kept();
        return index >= 0 && index < kept.size() ? kept[index] : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const QList<QAccessibleInterface*> kept = Kept();
        for (qsizetype i = 0; i < kept.size(); ++i)
            if (kept[i] == child)
                return static_cast<int>(i);
        return -1;
    }

private:
    QList<QAccessibleInterface*> Kept() const
    {
        QList<QAccessibleInterface*> kept;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* child = QAccessibleWidget::child(i);
            if (child && !IsDecoration(child->object()))
                kept.append(child);
        }
        return kept;
    }
};

// Qt names a list on X11 after its text; here the window's name for it wins and the
// text is its value, so two lists holding the same object can be told apart.
class TComboBoxAccessible : public QAccessibleWidget {
public:
    explicit TComboBoxAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && !List().accessibleName().isEmpty())
            return List().accessibleName();
        if (t == QAccessible::Name || t == QAccessible::Value)
            return List().currentText();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = List().view()->isVisible();
        return s;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (List().view()->isVisible())
            List().hidePopup();
        else
            List().showPopup();
    }

private:
    QComboBox& List() const { return static_cast<QComboBox&>(*widget()); }
};

// A text's one attribute: its language, the control's locale's (en, ru), which a screen
// reader takes the voice for it from.
QString LanguageAttribute(const QWidget& control)
{
    return QStringLiteral("language:") + control.locale().bcp47Name();
}

// A single-line edit as Qt reads it, except that its text has one run of attributes
// from its first to its last character. Qt 6.4 reports an empty run at each offset, and
// a screen reader that splits the text by those runs leaves the last character out.
class TEditAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface {
public:
    explicit TEditAccessible(TEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return Edit().text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !Edit().isReadOnly();
        s.readOnly = Edit().isReadOnly();
        s.selectableText = true;
        return s;
    }

    // Text.
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Edit().hasSelectedText()) {
            *start = Edit().selectionStart();
            *end = Edit().selectionEnd();
        }
    }
    int selectionCount() const override { return Edit().hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            Edit().deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            Edit().setSelection(start, end - start);
    }
    int cursorPosition() const override { return Edit().cursorPosition(); }
    void setCursorPosition(int position) override { Edit().setCursorPosition(position); }
    QString text(int start, int end) const override { return Edit().text().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Edit().text().size()); }
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = Edit().fontMetrics();
        const QString shown = Edit().displayText();
        const QRect box = Edit().contentsRect();
        const int x = box.left() + metrics.horizontalAdvance(shown.left(offset));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        const QRect local(x, box.top() + (box.height() - metrics.height()) / 2, width, metrics.height());
        return QRect(Edit().mapToGlobal(local.topLeft()), local.size());
    }
    int offsetAtPoint(const QPoint& point) const override { return Edit().cursorPositionAt(Edit().mapFromGlobal(point)); }
    void scrollToSubstring(int start, int) override { Edit().setCursorPosition(start); }
    QString attributes(int, int* start, int* end) const override
    {
        *start = 0;
        *end = characterCount();
        return LanguageAttribute(Edit());
    }

    // Editable text.
    void deleteText(int start, int end) override { replaceText(start, end, QString()); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override
    {
        Edit().setText(Edit().text().replace(start, end - start, text));
    }

private:
    TEdit& Edit() const { return static_cast<TEdit&>(*widget()); }
};

class TLinkAccessible : public TClickableAccessible {
public:
    explicit TLinkAccessible(TLabel* label) : TClickableAccessible(label, QAccessible::Link, pressAction()) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Label().accessibleName().isEmpty())
            return Label().text();
        return TClickableAccessible::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = TClickableAccessible::state();
        s.linked = true;
        return s;
    }

protected:
    void Click() override
    {
        if (Label().OnClick)
            Label().OnClick(&Label());
    }

private:
    TLabel& Label() const { return static_cast<TLabel&>(*widget()); }
};

// The notification a window speaks through: an empty widget of no size that paints
// nothing and takes neither focus nor mouse. Qt 6.4 has no announcement event, but a
// screen reader speaks a notification when it starts showing, so each announcement
// hides and shows it again.
class TAnnouncement : public QWidget {
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

// Two kinds of event are kept from the screen reader: the caret and selection events of
// a control while it takes or leaves the focus, and, while many texts are rewritten at
// once, the changes of every control without the focus. Every other event goes on as
// Qt would send it.
QObject* quietedControl = nullptr;
bool gathering = false;
int filterUsers = 0;
QAccessible::UpdateHandler previousHandler = nullptr;

// Whether object is control or one of its parts (a list's text field).
bool IsPartOf(const QObject* object, const QObject* control)
{
    for (; object; object = object->parent())
        if (object == control)
            return true;
    return false;
}

bool IsCaretEvent(QAccessible::Event type)
{
    return type == QAccessible::TextCaretMoved || type == QAccessible::TextSelectionChanged;
}

bool IsContentEvent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::TextAttributeChanged:
    case QAccessible::ValueChanged:
    case QAccessible::Selection:
    case QAccessible::SelectionAdd:
    case QAccessible::SelectionRemove:
    case QAccessible::SelectionWithin:
        return true;
    default:
        return false;
    }
}

void FilterEvents(QAccessibleEvent* event);

void PassOn(QAccessibleEvent* event)
{
    if (previousHandler) {
        previousHandler(event);
        return;
    }
    // Qt's own path to the screen reader is the one taken without a handler.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(FilterEvents);
}

void FilterEvents(QAccessibleEvent* event)
{
    const QAccessible::Event type = event->type();
    QObject* object = event->object();
    if (IsCaretEvent(type) && quietedControl && IsPartOf(object, quietedControl))
        return;
    // Qt has applied a table's change to its own records before the handler runs, and
    // passing it on would apply it twice. The filter is in place only while an edit
    // takes the focus or texts are rewritten in place, when no table gains or loses rows.
    if (type == QAccessible::TableModelChanged)
        return;
    if (gathering && object && object != QApplication::focusWidget()) {
        if (IsContentEvent(type))
            return;
        // A window's title is told, shown or hidden; a control's name and description
        // are read afresh when the screen reader comes to it.
        const bool window = object->isWidgetType() && static_cast<QWidget*>(object)->isWindow();
        if ((type == QAccessible::NameChanged || type == QAccessible::DescriptionChanged) && !window)
            return;
    }
    PassOn(event);
}

// Runs work with the filter in place; scopes may nest.
void Filtered(const std::function<void()>& work)
{
    if (filterUsers++ == 0)
        previousHandler = QAccessible::installUpdateHandler(FilterEvents);
    work();
    if (--filterUsers == 0) {
        QAccessible::installUpdateHandler(previousHandler);
        previousHandler = nullptr;
    }
}

QAccessibleInterface* StdFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    // The toolkit's forms and controls have no meta-object of their own: a bare
    // widget that is a window is one of its forms, which Qt would call a filler.
    const bool bare = widget->metaObject() == &QWidget::staticMetaObject;
    if (bare && widget->isWindow())
        return new TContainerAccessible(widget, QAccessible::Window);
    if (auto* announcement = dynamic_cast<TAnnouncement*>(widget))
        return new TAnnouncementAccessible(announcement);
    if (dynamic_cast<TPanel*>(widget))
        return new TContainerAccessible(widget, QAccessible::Pane);
    if (widget->property(HoldsDecorationMark).toBool())
        return new TContainerAccessible(widget, QAccessible::Client);
    if (auto* list = qobject_cast<QComboBox*>(widget))
        return new TComboBoxAccessible(list);
    if (auto* edit = dynamic_cast<TEdit*>(widget))
        return new TEditAccessible(edit);
    if (auto* label = dynamic_cast<TLabel*>(widget); label && label->property(LinkMark).toBool())
        return new TLinkAccessible(label);
    return nullptr;
}

} // namespace

void InstallStdAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(StdFactory);
        QCoreApplication* application = QCoreApplication::instance();
        application->installEventFilter(new TTitleWatch(application));
        return true;
    }();
    (void)installed;
}

void MarkAsDecoration(QWidget* control)
{
    control->setProperty(DecorationMark, true);
    if (QWidget* holder = control->parentWidget(); holder && !holder->property(HoldsDecorationMark).toBool()) {
        holder->setProperty(HoldsDecorationMark, true);
        ForgetInterface(holder);
    }
}

void MarkAsLink(QWidget* label)
{
    label->setProperty(LinkMark, true);
    ForgetInterface(label);
}

void WithoutCaretEvents(QWidget* control, const std::function<void()>& work)
{
    if (!QAccessible::isActive() || quietedControl) {
        work();
        return;
    }
    quietedControl = control;
    Filtered(work);
    quietedControl = nullptr;
}

void AsOneChange(const std::function<void()>& work)
{
    if (!QAccessible::isActive() || gathering) {
        work();
        return;
    }
    gathering = true;
    Filtered(work);
    gathering = false;
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

TClickableAccessible::TClickableAccessible(QWidget* control, QAccessible::Role role, QString action)
    : QAccessibleWidget(control, role), action_(std::move(action))
{
}

QStringList TClickableAccessible::actionNames() const
{
    if (!widget()->isEnabled())
        return QAccessibleWidget::actionNames();
    return QStringList{action_} + QAccessibleWidget::actionNames();
}

void TClickableAccessible::doAction(const QString& action)
{
    if (action != action_ && action != pressAction()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    // A disabled control hears no mouse either.
    QWidget* control = widget();
    if (!control->isEnabled())
        return;
    // Queued, so that a click that opens a box does not keep the screen reader waiting.
    // The interface is looked up again then: only the control is sure to live that long.
    QMetaObject::invokeMethod(
        control,
        [control] {
            auto* self = dynamic_cast<TClickableAccessible*>(QAccessible::queryAccessibleInterface(control));
            if (self && control->isEnabled())
                Guarded(control, [self] { self->Click(); });
        },
        Qt::QueuedConnection);
}
