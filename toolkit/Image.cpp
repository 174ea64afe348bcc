#include "toolkit/Image.h"

#include <QPainter>

#include "toolkit/Application.h"

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    picture_.WhenChanged = [this] { PictureChanged(); };
}

void TImage::SetCenter(bool center)
{
    if (center == center_)
        return;
    center_ = center;
    UpdateOpacity();
    update();
}

void TImage::SetLeft(int left)
{
    if (left != x())
        move(left, y());
}

void TImage::SetTop(int top)
{
    if (top != y())
        move(x(), top);
}

void TImage::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved();
    QWidget::mouseMoveEvent(event);
}

QRect TImage::PictureRect() const
{
    const int w = picture_.Width();
    const int h = picture_.Height();
    if (!center_)
        return {0, 0, w, h};
    return {(width() - w) / 2, (height() - h) / 2, w, h};
}

void TImage::paintEvent(QPaintEvent*)
{
    TGraphic* graphic = picture_.Graphic();
    if (graphic == nullptr)
        return;
    GuardedPaint(this, [&] {
        QPainter painter(this);
        graphic->Draw(painter, PictureRect());
    });
    // A JPEG decoded whole in this paint covers the control from now on.
    UpdateOpacity();
}

void TImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UpdateOpacity();
}

void TImage::PictureChanged()
{
    UpdateOpacity();
    update();
}

void TImage::UpdateOpacity()
{
    const TGraphic* graphic = picture_.Graphic();
    const bool opaque = graphic != nullptr && !graphic->Transparent() && PictureRect().contains(rect());
    setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}
