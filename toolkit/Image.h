// TImage: a control that shows its picture unscaled, at the top-left corner or, with
// Center on, centred, and clipped to the control. Where the picture leaves the control
// uncovered the parent's background shows through. It tells of the pointer moving over it.
//
//   142 × 41 picture in a 145 × 100 control, Center on  -> drawn at (1, 29)
//   200 × 150 picture in a 145 × 100 control, Center on -> drawn at (-27, -25)
#pragma once

#include <QRect>
#include <QWidget>

#include "toolkit/Picture.h"

class TImage : public QWidget {
    Q_OBJECT
    // Read by screen readers, which meet the image as a picture of this size and place.
    Q_PROPERTY(QRect pictureRect READ PictureRect)
public:
    explicit TImage(QWidget* parent);

    TPicture& Picture() { return picture_; }
    const TPicture& Picture() const { return picture_; }

    bool Center() const { return center_; }
    void SetCenter(bool center);

    int Left() const { return x(); }
    void SetLeft(int left);
    int Top() const { return y(); }
    void SetTop(int top);

    // Visible unless hidden, whether or not the window is showing yet.
    bool Visible() const { return !isHidden(); }

    // Where the picture is drawn, in control coordinates: the picture's own size,
    // moved by ((W - w) / 2, (H - h) / 2) with Center on, truncating toward zero.
    QRect PictureRect() const;

signals:
    void mouseMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PictureChanged();
    // Opaque only when a non-transparent picture covers every pixel, so that the
    // parent paints its background under the control only when that shows.
    void UpdateOpacity();

    TPicture picture_;
    bool center_ = false;
};
