#include "accessibility/Install.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>

#include "accessibility/Interfaces.h"

namespace {

constexpr const char* DecorationMark = "velmoraDecoration";
constexpr const char* HoldsDecorationMark = "velmoraHoldsDecoration";
constexpr const char* LinkMark = "velmoraLink";

// Announces every window's title change, whether the window is shown or hidden; Qt 6.4
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

// Called for each class of the object's meta-object chain, most derived first.
QAccessibleInterface* StdFactory(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("TForm"))
        return ContainerInterface(widget, QAccessible::Window);
    if (className == QLatin1String("TPanel"))
        return ContainerInterface(widget, QAccessible::Pane);
    if (className == QLatin1String("TEdit"))
        return EditInterface(static_cast<QLineEdit*>(widget));
    if (className == QLatin1String("TImage"))
        return ImageInterface(widget);
    if (QAccessibleInterface* announcement = AnnouncementInterface(widget))
        return announcement;
    if (widget->property(HoldsDecorationMark).toBool())
        return ContainerInterface(widget, QAccessible::Client);
    if (auto* list = qobject_cast<QComboBox*>(widget))
        return ListInterface(list);
    if (auto* label = qobject_cast<QLabel*>(widget); label && label->property(LinkMark).toBool())
        return LinkInterface(label);
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

bool IsDecoration(const QObject* object)
{
    return object && object->property(DecorationMark).toBool();
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
