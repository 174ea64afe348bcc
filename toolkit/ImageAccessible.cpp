#include "toolkit/ImageAccessible.h"

#include <QAccessibleWidget>

#include "toolkit/Image.h"

namespace {

class TImageAccessible : public QAccessibleWidget, public QAccessibleImageInterface {
public:
    explicit TImageAccessible(TImage* image) : QAccessibleWidget(image, QAccessible::Graphic) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ImageInterface)
            return static_cast<QAccessibleImageInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (!Image().Picture().Graphic())
            s.invisible = true;
        return s;
    }

    QString imageDescription() const override { return widget()->accessibleName(); }

    QSize imageSize() const override { return Image().PictureRect().size(); }

    QPoint imagePosition() const override { return Image().mapToGlobal(Image().PictureRect().topLeft()); }

private:
    const TImage& Image() const { return static_cast<const TImage&>(*widget()); }
};

QAccessibleInterface* ImageFactory(const QString&, QObject* object)
{
    // TImage has no meta-object of its own, so the class name cannot tell it apart.
    if (auto* image = dynamic_cast<TImage*>(object))
        return new TImageAccessible(image);
    return nullptr;
}

} // namespace

void InstallImageAccessibility()
{
    static const bool installed = (QAccessible::installFactory(ImageFactory), true);
    (void)installed;
}
