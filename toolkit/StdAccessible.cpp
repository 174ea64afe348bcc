#include "toolkit/StdAccessible.h"

#include <QAbstractItemView>
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
    if (dynamic_cast<TPanel*>(widget))
        return new TContainerAccessible(widget, QAccessible::Pane);
    if (widget->property(HoldsDecorationMark).toBool())
        return new TContainerAccessible(widget, QAccessible::Client);
    if (auto* list = qobject_cast<QComboBox*>(widget))
        return new TComboBoxAccessible(list);
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
