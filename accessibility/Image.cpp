#include <QAccessibleWidget>
#include <QVariant>

#include "accessibility/Interfaces.h"

namespace {

// A picture (role Graphic) whose description is its accessible name: whoever puts a
// picture in the image names what it shows. An image that holds no picture shows
// nothing, and is not shown to screen readers either.
class TImageAccessible : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit TImageAccessible(QWidget* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (PictureRect().isEmpty())
            s.invisible = true;
        return s;
    }

    QString imageDescription() const override { return widget()->accessibleName(); }

    QSize imageSize() const override { return PictureRect().size(); }

    QPoint imagePosition() const override { return widget()->mapToGlobal(PictureRect().topLeft()); }

private:
    QRect PictureRect() const { return widget()->property("pictureRect").toRect(); }
};

} // namespace

QAccessibleInterface* ImageInterface(QWidget* image)
{
    return new TImageAccessible(image);
}
