// Draws every picture the lesson carries: the twelve lane objects (facing right in
// dris/1.jpg … 12.jpg, mirrored in dris/101.jpg … 112.jpg), the default car and the
// window background in resources/, and the program icon in several sizes (and as the
// Windows icon file resources/velmora.ico). Each lane
// picture, the car and the background are also drawn at twice the size, as
// NAME@2x.jpg beside NAME.jpg, for screens that scale the window by 2.
//
//   make_pictures <repository root>
//
// Everything is plain vector drawing, so the output is the same on every run.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Drawing helpers shared by all pictures

const QColor kInk(40, 40, 48);  // the outline colour of every shape
constexpr qreal kOutline = 1.5;

const QColor kGlass(150, 210, 245);
const QColor kTyre(45, 45, 52);
const QColor kSteel(170, 178, 190);

QPen inkPen(qreal width = kOutline)
{
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

QPainterPath roundedRect(qreal left, qreal top, qreal right, qreal bottom, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(left, top), QPointF(right, bottom)), radius, radius);
    return path;
}

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

// Light from above: a lighter top, the base colour in the middle, a darker bottom.
QBrush topLit(const QColor& base, qreal top, qreal bottom)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, base.lighter(140));
    gradient.setColorAt(0.45, base);
    gradient.setColorAt(1, base.darker(135));
    return gradient;
}

// Fills a shape shaded over its own height and outlines it.
void solid(QPainter& p, const QPainterPath& shape, const QColor& base)
{
    const QRectF box = shape.boundingRect();
    p.setPen(inkPen());
    p.setBrush(topLit(base, box.top(), box.bottom()));
    p.drawPath(shape);
}

// Fills a shape with one flat colour and outlines it.
void flat(QPainter& p, const QPainterPath& shape, const QColor& colour)
{
    p.setPen(inkPen());
    p.setBrush(colour);
    p.drawPath(shape);
}

// Window glass with a diagonal glint.
void glass(QPainter& p, const QPainterPath& shape)
{
    const QRectF box = shape.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomRight());
    gradient.setColorAt(0, kGlass.lighter(115));
    gradient.setColorAt(0.42, kGlass);
    gradient.setColorAt(0.45, QColor(235, 247, 255));
    gradient.setColorAt(0.52, kGlass);
    gradient.setColorAt(1, kGlass.darker(125));
    p.setPen(inkPen());
    p.setBrush(gradient);
    p.drawPath(shape);
}

// A thick stroke with an outline: arms, legs, masts, poles.
void limb(QPainter& p, std::initializer_list<QPointF> points, const QColor& colour, qreal width)
{
    const QPolygonF line(points);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, width + 2 * kOutline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(line);
}

void wheel(QPainter& p, QPointF centre, qreal radius, const QColor& hub = kSteel)
{
    flat(p, circle(centre, radius), kTyre);
    QRadialGradient shine(centre - QPointF(radius * 0.2, radius * 0.2), radius * 0.6);
    shine.setColorAt(0, hub.lighter(135));
    shine.setColorAt(1, hub.darker(115));
    p.setPen(inkPen(1.0));
    p.setBrush(shine);
    p.drawEllipse(centre, radius * 0.55, radius * 0.55);
    p.setBrush(hub.darker(160));
    p.drawEllipse(centre, radius * 0.16, radius * 0.16);
}

// A lamp: a small flat shape with a thin outline.
void lamp(QPainter& p, const QPainterPath& shape, const QColor& colour)
{
    p.setPen(inkPen(1.0));
    p.setBrush(colour);
    p.drawPath(shape);
}

// A strip of water under a boat: light blue with a wavy top.
void water(QPainter& p, qreal width, qreal top, qreal bottom)
{
    QPainterPath waves;
    waves.moveTo(0, bottom);
    waves.lineTo(0, top + 2);
    const qreal wavelength = 12;
    for (qreal x = 0; x < width; x += wavelength) {
        waves.quadTo(x + wavelength / 4, top - 1.5, x + wavelength / 2, top + 2);
        waves.quadTo(x + 3 * wavelength / 4, top + 5.5, x + wavelength, top + 2);
    }
    waves.lineTo(width, bottom);
    waves.closeSubpath();
    QLinearGradient sea(0, top, 0, bottom);
    sea.setColorAt(0, QColor(120, 190, 235));
    sea.setColorAt(1, QColor(60, 140, 210));
    p.setPen(QPen(QColor(40, 110, 180), 1.2));
    p.setBrush(sea);
    p.drawPath(waves);
}

// ---------------------------------------------------------------------------
// The twelve lane objects, each facing right on a white background

void drawCar(QPainter& p)
{
    const QColor red(220, 30, 35);
    QPainterPath body;
    body.moveTo(3, 29);
    body.lineTo(3, 21);
    body.quadTo(3, 16, 10, 15.5);
    body.lineTo(27, 14);
    body.quadTo(33, 4.5, 45, 3.5);
    body.lineTo(86, 3.5);
    body.quadTo(94, 4, 102, 12);
    body.lineTo(105, 14.5);
    body.lineTo(130, 16.5);
    body.quadTo(139, 17.5, 139, 24);
    body.lineTo(139, 29);
    body.quadTo(139, 33, 134, 33);
    body.lineTo(8, 33);
    body.quadTo(3, 33, 3, 29);
    body.closeSubpath();
    solid(p, body, red);

    // Wheel arches: dark hollows in the body, cut to the body's edge.
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 20, 22));
    p.drawEllipse(QPointF(30, 31.5), 11, 11);
    p.drawEllipse(QPointF(113, 31.5), 11, 11);
    p.restore();

    glass(p, polygon({{31, 13.5}, {37, 7.2}, {45, 6}, {66, 6}, {66, 13.5}}));
    glass(p, polygon({{70, 6}, {86, 6}, {92, 7.5}, {99, 13.5}, {70, 13.5}}));

    p.setPen(inkPen(1.0));
    p.drawLine(QPointF(68, 14), QPointF(68, 30));
    p.drawLine(QPointF(101, 15), QPointF(99, 30));
    p.setBrush(QColor(90, 15, 18));
    p.drawRoundedRect(QRectF(57, 17, 6, 1.8), 0.8, 0.8);
    p.drawRoundedRect(QRectF(88, 17, 6, 1.8), 0.8, 0.8);

    // A light stripe along the flank.
    p.setPen(QPen(QColor(255, 150, 150), 1.2));
    p.drawLine(QPointF(9, 20), QPointF(134, 21.5));

    lamp(p, roundedRect(132, 19.5, 139, 23.5, 1.5), QColor(255, 230, 90));
    lamp(p, roundedRect(3, 18, 7.5, 22, 1.2), QColor(255, 120, 40));
    lamp(p, roundedRect(126, 28.5, 140, 32.5, 2), QColor(120, 125, 135));
    lamp(p, roundedRect(2, 28.5, 14, 32.5, 2), QColor(120, 125, 135));

    wheel(p, {30, 31.5}, 8.5);
    wheel(p, {113, 31.5}, 8.5);
}

void drawTruck(QPainter& p)
{
    // Chassis under everything.
    flat(p, roundedRect(3, 44, 139, 50, 1.5), QColor(70, 72, 80));

    // Cargo box with ribs.
    const QPainterPath box = roundedRect(3, 4, 93, 45, 2.5);
    solid(p, box, QColor(245, 165, 35));
    p.setPen(QPen(QColor(200, 120, 20), 1.2));
    for (qreal x = 14; x < 90; x += 11)
        p.drawLine(QPointF(x, 7), QPointF(x, 42));
    p.setPen(QPen(QColor(255, 245, 220), 3));
    p.drawLine(QPointF(8, 30), QPointF(88, 30));

    // Cab, its nose to the right.
    QPainterPath cab;
    cab.moveTo(96, 47);
    cab.lineTo(96, 13);
    cab.quadTo(96, 9, 100, 9);
    cab.lineTo(119, 9);
    cab.quadTo(123, 9, 125, 12);
    cab.lineTo(133, 25);
    cab.lineTo(137, 27);
    cab.quadTo(139.5, 28, 139.5, 31);
    cab.lineTo(139.5, 47);
    cab.closeSubpath();
    solid(p, cab, QColor(40, 110, 215));
    glass(p, polygon({{101, 14}, {119, 14}, {128, 26}, {101, 26}}));
    p.setPen(inkPen(1.0));
    p.drawLine(QPointF(118, 27), QPointF(118, 44));
    p.setBrush(QColor(20, 60, 130));
    p.drawRoundedRect(QRectF(108, 30, 6, 1.8), 0.8, 0.8);

    lamp(p, roundedRect(134.5, 31, 139.5, 35.5, 1.2), QColor(255, 230, 90));
    lamp(p, roundedRect(128, 44, 141, 49, 2), QColor(120, 125, 135));

    wheel(p, {22, 53}, 9.5);
    wheel(p, {45, 53}, 9.5);
    wheel(p, {118, 53}, 9.5);
}

void drawTractor(QPainter& p)
{
    const QColor green(50, 160, 60);
    const QColor yellow(255, 205, 30);

    // Fender over the big rear wheel.
    p.setPen(inkPen());
    p.setBrush(topLit(green, 28, 56));
    p.drawPie(QRectF(8, 28, 56, 56), 0, 180 * 16);

    solid(p, roundedRect(52, 33, 117, 57, 4), green);  // bonnet
    // Grille at the front.
    p.setPen(QPen(QColor(30, 90, 35), 1.2));
    for (qreal y = 38; y < 54; y += 3.5)
        p.drawLine(QPointF(110, y), QPointF(115, y));
    lamp(p, roundedRect(111, 34.5, 116, 37.5, 1), QColor(255, 230, 90));

    // Exhaust pipe standing on the bonnet.
    flat(p, roundedRect(88, 12, 93, 34, 1.5), QColor(80, 82, 90));
    flat(p, roundedRect(86.5, 10, 94.5, 14, 1.5), QColor(60, 62, 70));

    // Cab: roof, glass and two posts.
    glass(p, roundedRect(24, 8, 62, 36, 1));
    solid(p, roundedRect(17, 3, 67, 9, 2), green);
    flat(p, roundedRect(21, 8, 26, 40, 1), green.darker(110));
    flat(p, roundedRect(59, 8, 64, 36, 1), green.darker(110));
    solid(p, roundedRect(14, 36, 66, 50, 3), green);

    // Big rear wheel with tread, small front wheel.
    const QPointF rear(36, 56);
    p.setPen(inkPen());
    p.setBrush(kTyre);
    for (int i = 0; i < 16; ++i) {
        const double angle = 2 * std::numbers::pi * i / 16;
        const QPointF dir(std::cos(angle), std::sin(angle));
        p.drawEllipse(rear + dir * 21.0, 2.4, 2.4);
    }
    wheel(p, rear, 21, yellow);
    wheel(p, {100, 65}, 12, yellow);
}

void drawMotorcycle(QPainter& p)
{
    const QColor red(215, 35, 40);
    const QColor jacket(40, 90, 190);
    const QColor jeans(40, 50, 90);

    // Fenders over both wheels.
    p.setPen(inkPen());
    p.setBrush(red);
    p.drawChord(QRectF(3, 37, 38, 38), 20 * 16, 140 * 16);
    p.drawChord(QRectF(75, 37, 38, 38), 20 * 16, 140 * 16);

    limb(p, {{22, 56}, {46, 46}}, kSteel, 3);         // swing arm
    limb(p, {{94, 56}, {82, 20}}, kSteel, 3.5);       // front fork
    limb(p, {{50, 54}, {12, 49}}, QColor(200, 205, 215), 4);  // exhaust
    flat(p, roundedRect(44, 38, 70, 54, 3), QColor(90, 92, 100));  // engine
    p.setPen(QPen(QColor(60, 62, 70), 1));
    for (qreal y = 42; y < 52; y += 3)
        p.drawLine(QPointF(48, y), QPointF(66, y));

    // Fuel tank and seat.
    QPainterPath tank;
    tank.moveTo(52, 40);
    tank.quadTo(54, 27, 68, 27);
    tank.quadTo(82, 27, 82, 40);
    tank.closeSubpath();
    solid(p, tank, red);
    flat(p, roundedRect(26, 34, 56, 40, 3), QColor(40, 40, 45));

    lamp(p, circle({87, 30}, 4), QColor(255, 230, 90));
    limb(p, {{80, 21}, {86, 17}}, QColor(40, 40, 45), 2.5);  // handlebar

    // Rider leaning into the ride.
    limb(p, {{46, 34}, {64, 40}, {62, 53}}, jeans, 8);
    flat(p, roundedRect(58, 51, 70, 57, 2.5), QColor(60, 40, 30));  // boot
    limb(p, {{46, 32}, {60, 16}}, jacket, 12);
    limb(p, {{61, 18}, {72, 25}, {81, 21}}, jacket, 5);
    flat(p, circle({83, 21}, 2.8), QColor(40, 40, 45));  // glove
    QPainterPath helmet = circle({65, 10}, 8.5);
    solid(p, helmet, QColor(250, 200, 30));
    glass(p, polygon({{67, 6}, {73.5, 7}, {73.5, 13}, {67, 13}}));

    wheel(p, {22, 56}, 15);
    wheel(p, {94, 56}, 15);
}

void drawTourist(QPainter& p)
{
    const QColor skin(246, 200, 160);
    const QColor jacket(235, 90, 45);
    const QColor trousers(70, 85, 130);
    const QColor boot(110, 65, 35);

    // Far arm and far leg first, then the body, the near ones over it.
    limb(p, {{42, 27}, {34, 42}, {32, 52}}, jacket.darker(115), 6);
    limb(p, {{42, 54}, {34, 71}, {27, 86}}, trousers.darker(115), 8);
    flat(p, roundedRect(19, 84, 33, 91, 3), boot.darker(115));

    QPainterPath torso;
    torso.moveTo(40, 21);
    torso.quadTo(46, 19, 52, 22);
    torso.lineTo(52, 56);
    torso.lineTo(37, 56);
    torso.closeSubpath();
    solid(p, torso, jacket);

    limb(p, {{47, 54}, {55, 71}, {59, 86}}, trousers, 8);
    flat(p, roundedRect(54, 84, 70, 91, 3), boot);

    // Backpack with a bedroll on top and a strap over the shoulder.
    solid(p, roundedRect(17, 22, 38, 56, 5), QColor(150, 90, 45));
    flat(p, roundedRect(19, 38, 36, 50, 3), QColor(130, 75, 35));
    solid(p, roundedRect(16, 15, 39, 23, 4), QColor(60, 140, 80));
    limb(p, {{40, 24}, {46, 44}}, QColor(90, 55, 30), 2.5);

    // Head with a brimmed hat.
    flat(p, circle({47, 12}, 7.5), skin);
    flat(p, circle({54.2, 12.5}, 1.3), skin);  // nose
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(50.5, 10.5), 1.1, 1.1);
    QPainterPath hat;
    hat.moveTo(38, 9);
    hat.quadTo(40, 1, 47, 1);
    hat.quadTo(54, 1, 55, 8);
    hat.closeSubpath();
    solid(p, hat, QColor(60, 140, 80));
    flat(p, roundedRect(36, 7.5, 59, 10, 1.2), QColor(45, 110, 60));

    // Near arm holding a walking stick.
    limb(p, {{70, 28}, {74, 90}}, QColor(140, 95, 50), 2.5);
    limb(p, {{46, 26}, {56, 40}, {69, 42}}, jacket, 6);
    flat(p, circle({70, 42}, 3), skin);
}

void drawYacht(QPainter& p)
{
    water(p, 110, 84, 96);

    limb(p, {{54, 3}, {54, 74}}, QColor(120, 85, 50), 2.5);  // mast
    flat(p, polygon({{55, 3}, {67, 6}, {55, 9}}), QColor(230, 50, 50));

    // Mainsail behind the mast, jib in front of it.
    QPainterPath mainsail;
    mainsail.moveTo(51, 8);
    mainsail.lineTo(51, 68);
    mainsail.lineTo(12, 68);
    mainsail.quadTo(30, 42, 51, 8);
    QLinearGradient cloth(12, 0, 51, 0);
    cloth.setColorAt(0, QColor(215, 225, 235));
    cloth.setColorAt(1, QColor(255, 255, 255));
    p.setPen(inkPen());
    p.setBrush(cloth);
    p.drawPath(mainsail);
    p.setPen(QPen(QColor(190, 200, 215), 1));
    p.drawLine(QPointF(40, 30), QPointF(51, 30));
    p.drawLine(QPointF(28, 50), QPointF(51, 50));

    QPainterPath jib;
    jib.moveTo(57, 12);
    jib.quadTo(80, 36, 99, 68);
    jib.lineTo(57, 68);
    jib.closeSubpath();
    solid(p, jib, QColor(255, 140, 50));

    // Hull, bow to the right, with a white stripe.
    QPainterPath hull;
    hull.moveTo(3, 71);
    hull.lineTo(106, 71);
    hull.quadTo(100, 85, 88, 87);
    hull.lineTo(18, 87);
    hull.quadTo(6, 84, 3, 71);
    hull.closeSubpath();
    solid(p, hull, QColor(30, 80, 150));
    p.save();
    p.setClipPath(hull);
    p.setPen(QPen(Qt::white, 2.5));
    p.drawLine(QPointF(0, 76.5), QPointF(110, 76.5));
    p.restore();
}

void drawShip(QPainter& p)
{
    water(p, 142, 77, 86);

    // Smoke puffs drifting back from the funnel.
    p.setPen(QPen(QColor(150, 150, 160), 1));
    p.setBrush(QColor(215, 215, 222));
    p.drawEllipse(QPointF(48, 6), 5, 4);
    p.drawEllipse(QPointF(38, 4), 4, 3.2);
    p.drawEllipse(QPointF(30, 3.5), 3, 2.5);

    // Funnel with a black top.
    const QPainterPath funnel = polygon({{55, 7}, {71, 7}, {69, 24}, {57, 24}});
    solid(p, funnel, QColor(220, 45, 40));
    p.save();
    p.setClipPath(funnel);
    p.fillRect(QRectF(50, 6, 25, 5), kInk);
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(funnel);

    // Decks and the bridge, all white with rows of windows.
    solid(p, roundedRect(36, 22, 94, 36, 2), QColor(240, 242, 246));
    solid(p, roundedRect(82, 13, 104, 36, 2), QColor(240, 242, 246));
    solid(p, roundedRect(22, 34, 112, 50, 2), QColor(240, 242, 246));
    glass(p, polygon({{86, 17}, {101, 17}, {101, 23}, {86, 23}}));
    p.setPen(inkPen(0.8));
    p.setBrush(kGlass);
    for (qreal x = 40; x < 80; x += 8)
        p.drawRoundedRect(QRectF(x, 26, 5, 5), 1, 1);
    for (qreal x = 27; x < 108; x += 8)
        p.drawRoundedRect(QRectF(x, 39, 5, 6), 1, 1);

    // Hull, bow raised to the right, red below the waterline.
    QPainterPath hull;
    hull.moveTo(4, 49);
    hull.lineTo(139, 43);
    hull.lineTo(125, 79);
    hull.lineTo(13, 79);
    hull.quadTo(6, 70, 4, 49);
    hull.closeSubpath();
    solid(p, hull, QColor(30, 55, 100));
    p.save();
    p.setClipPath(hull);
    p.fillRect(QRectF(0, 70, 142, 12), QColor(195, 45, 40));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(0, 53.5), QPointF(142, 48));
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(hull);
    p.setPen(inkPen(0.8));
    p.setBrush(QColor(250, 240, 170));
    for (qreal x = 20; x < 120; x += 12)
        p.drawEllipse(QPointF(x, 61), 2.2, 2.2);
    limb(p, {{124, 44}, {124, 26}}, QColor(120, 120, 130), 1.5);  // bow mast
}

void drawPlane(QPainter& p)
{
    const QColor blue(30, 100, 200);
    const QColor white(245, 247, 250);

    // Far wing behind the body.
    flat(p, polygon({{58, 30}, {80, 30}, {57, 11}, {49, 11}}), QColor(175, 185, 200));

    flat(p, polygon({{14, 28}, {4, 3}, {15, 3}, {40, 27}}), blue);  // tail fin

    QPainterPath body;
    body.moveTo(18, 26);
    body.lineTo(118, 26);
    body.cubicTo(131, 26, 139, 32, 139, 35.5);
    body.cubicTo(139, 39.5, 131, 43, 120, 43);
    body.lineTo(32, 43);
    body.quadTo(14, 41, 5, 30);
    body.quadTo(8, 26, 18, 26);
    body.closeSubpath();
    solid(p, body, white);
    p.save();
    p.setClipPath(body);
    p.fillRect(QRectF(0, 37, 142, 2.5), blue);
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);

    p.setPen(inkPen(0.7));
    p.setBrush(QColor(60, 110, 170));
    for (qreal x = 38; x < 115; x += 7)
        p.drawEllipse(QPointF(x, 31.5), 1.7, 1.7);
    glass(p, polygon({{123, 29}, {131, 29.5}, {135.5, 33}, {123, 33}}));

    flat(p, polygon({{8, 32}, {30, 31}, {34, 35}, {12, 36}}), blue);  // tailplane

    // Near wing with its engine.
    solid(p, polygon({{56, 38}, {82, 38}, {64, 58}, {55, 58}}), QColor(200, 208, 220));
    solid(p, roundedRect(60, 44, 82, 52, 4), QColor(190, 195, 205));
    flat(p, roundedRect(78, 44.5, 82, 51.5, 1.5), QColor(70, 72, 80));
}

void drawHelicopter(QPainter& p)
{
    const QColor yellow(250, 185, 35);

    // Tail boom and fin with the tail rotor.
    flat(p, polygon({{64, 30}, {12, 31}, {12, 37}, {64, 46}}), yellow.darker(110));
    flat(p, polygon({{6, 18}, {14, 18}, {20, 32}, {18, 38}, {10, 38}}), yellow);
    limb(p, {{4, 20}, {20, 36}}, QColor(70, 72, 80), 2.2);
    limb(p, {{4, 36}, {20, 20}}, QColor(70, 72, 80), 2.2);
    flat(p, circle({12, 28}, 2.2), QColor(120, 125, 135));

    // Landing skids.
    limb(p, {{78, 55}, {76, 67}}, QColor(80, 82, 90), 2);
    limb(p, {{112, 55}, {114, 67}}, QColor(80, 82, 90), 2);
    QPainterPath skid;
    skid.moveTo(64, 67);
    skid.lineTo(126, 67);
    skid.quadTo(132, 67, 134, 62);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(skid);
    p.setPen(QPen(QColor(110, 112, 120), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(skid);

    // Cabin with a big front bubble.
    QPainterPath cabin;
    cabin.moveTo(58, 44);
    cabin.quadTo(58, 22, 80, 20);
    cabin.lineTo(104, 20);
    cabin.cubicTo(124, 20, 136, 34, 135, 44);
    cabin.quadTo(134, 56, 112, 56);
    cabin.lineTo(72, 56);
    cabin.quadTo(58, 56, 58, 44);
    cabin.closeSubpath();
    solid(p, cabin, yellow);
    QPainterPath bubble;
    bubble.moveTo(106, 24);
    bubble.cubicTo(120, 24, 130, 33, 131.5, 42);
    bubble.lineTo(106, 42);
    bubble.closeSubpath();
    glass(p, bubble);
    glass(p, roundedRect(84, 25, 101, 40, 3));
    p.setPen(QPen(yellow.darker(150), 1.2));
    p.drawLine(QPointF(62, 47), QPointF(132, 47));

    // Main rotor on its mast.
    flat(p, roundedRect(80, 11, 86, 21, 1.5), QColor(80, 82, 90));
    solid(p, roundedRect(8, 8, 138, 12.5, 2.2), QColor(90, 92, 100));
    flat(p, roundedRect(77, 6, 89, 13, 2.5), QColor(60, 62, 70));
}

void drawBalloon(QPainter& p)
{
    // Envelope: round at the top, narrowing to the mouth.
    QPainterPath envelope;
    envelope.moveTo(33, 74);
    envelope.cubicTo(20, 64, 11, 51, 11, 35);
    envelope.cubicTo(11, 16, 25, 2, 44, 2);
    envelope.cubicTo(63, 2, 77, 16, 77, 35);
    envelope.cubicTo(77, 51, 68, 64, 55, 74);
    envelope.closeSubpath();

    // Curved gores in alternating colours, then light from the upper left.
    p.save();
    p.setClipPath(envelope);
    p.setPen(QPen(kInk, 1));
    const QColor gores[] = {QColor(230, 55, 50), QColor(255, 210, 40), QColor(40, 130, 220),
                            QColor(255, 210, 40), QColor(230, 55, 50)};
    qreal halfWidth = 40;
    for (const QColor& colour : gores) {
        p.setBrush(colour);
        p.drawEllipse(QRectF(44 - halfWidth, -8, 2 * halfWidth, 120));
        halfWidth -= 9;
    }
    QRadialGradient light(QPointF(30, 20), 60);
    light.setColorAt(0, QColor(255, 255, 255, 110));
    light.setColorAt(0.45, QColor(255, 255, 255, 0));
    light.setColorAt(1, QColor(0, 0, 0, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawRect(QRectF(0, 0, 88, 80));
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(envelope);

    // Ropes down to the basket, a little flame in between.
    p.setPen(QPen(QColor(110, 80, 50), 1.1));
    p.drawLine(QPointF(34, 75), QPointF(35, 85));
    p.drawLine(QPointF(54, 75), QPointF(53, 85));
    p.drawLine(QPointF(41, 76), QPointF(41, 85));
    p.drawLine(QPointF(47, 76), QPointF(47, 85));
    QPainterPath flame;
    flame.moveTo(44, 74);
    flame.quadTo(48, 79, 44, 82);
    flame.quadTo(40, 79, 44, 74);
    p.setPen(QPen(QColor(230, 110, 20), 1));
    p.setBrush(QColor(255, 200, 40));
    p.drawPath(flame);
    flat(p, roundedRect(32, 73, 56, 77, 1.5), QColor(150, 110, 70));

    const QPainterPath basket = roundedRect(33, 84, 55, 97, 2);
    solid(p, basket, QColor(185, 120, 55));
    p.save();
    p.setClipPath(basket);
    p.setPen(QPen(QColor(130, 80, 35), 1));
    for (qreal x = 37; x < 55; x += 4)
        p.drawLine(QPointF(x, 84), QPointF(x, 97));
    p.drawLine(QPointF(33, 90.5), QPointF(55, 90.5));
    p.restore();
    flat(p, roundedRect(31, 83, 57, 86.5, 1.5), QColor(140, 90, 40));
}

void drawRobot(QPainter& p)
{
    const QColor metal(150, 175, 200);
    const QColor body(70, 130, 210);
    const QColor joints(110, 115, 125);

    // Far arm and far leg behind the body.
    limb(p, {{36, 44}, {28, 58}, {26, 68}}, joints.darker(115), 6);
    limb(p, {{36, 70}, {30, 90}}, joints.darker(115), 8);
    flat(p, roundedRect(20, 88, 38, 95, 2.5), QColor(70, 72, 80));

    // Antenna, head with a visor and an eye looking ahead.
    limb(p, {{40, 10}, {40, 4}}, joints, 2);
    flat(p, circle({40, 4}, 3), QColor(235, 50, 50));
    solid(p, roundedRect(24, 9, 60, 34, 5), metal);
    flat(p, roundedRect(42, 14, 59, 26, 4), QColor(35, 45, 65));
    p.setPen(Qt::NoPen);
    QRadialGradient eye(QPointF(52, 20), 5);
    eye.setColorAt(0, QColor(220, 255, 255));
    eye.setColorAt(0.5, QColor(60, 220, 240));
    eye.setColorAt(1, QColor(60, 220, 240, 0));
    p.setBrush(eye);
    p.drawEllipse(QPointF(52, 20), 5, 5);
    flat(p, circle({31, 21}, 4), joints);
    p.setPen(QPen(kInk, 1));
    for (qreal x = 45; x < 58; x += 3)
        p.drawLine(QPointF(x, 29), QPointF(x, 32));

    flat(p, roundedRect(35, 33, 49, 39, 1.5), joints);  // neck

    // Body with a panel of lights.
    solid(p, roundedRect(20, 38, 64, 71, 6), body);
    flat(p, roundedRect(30, 45, 56, 63, 3), QColor(225, 235, 245));
    lamp(p, circle({36, 51}, 2.8), QColor(240, 60, 50));
    lamp(p, circle({43, 51}, 2.8), QColor(255, 210, 40));
    lamp(p, circle({50, 51}, 2.8), QColor(60, 200, 90));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(34, 58), QPointF(52, 58));

    // Near leg stepping forward, near arm reaching ahead.
    limb(p, {{50, 70}, {58, 90}}, joints, 8);
    flat(p, roundedRect(50, 88, 70, 95, 2.5), QColor(80, 82, 92));
    limb(p, {{46, 45}, {62, 55}, {75, 50}}, joints, 6);
    flat(p, circle({46, 45}, 4.5), metal);
    QPainterPath claw;
    claw.moveTo(76, 45);
    claw.quadTo(83, 45, 83, 50);
    claw.quadTo(83, 55, 76, 55);
    claw.lineTo(78, 50);
    claw.closeSubpath();
    flat(p, claw, metal);
}

void drawSpaceship(QPainter& p)
{
    const QColor red(225, 45, 45);

    // Flame from the nozzle, long and hot.
    QPainterPath outer;
    outer.moveTo(26, 21);
    outer.quadTo(14, 22, 2, 30);
    outer.quadTo(14, 38, 26, 39);
    outer.closeSubpath();
    p.setPen(QPen(QColor(230, 100, 20), 1));
    p.setBrush(QColor(255, 150, 40));
    p.drawPath(outer);
    QPainterPath inner;
    inner.moveTo(26, 25);
    inner.quadTo(18, 26, 10, 30);
    inner.quadTo(18, 34, 26, 35);
    inner.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 235, 120));
    p.drawPath(inner);

    // Fins above and below, behind the body.
    solid(p, polygon({{30, 18}, {52, 18}, {38, 3}, {26, 3}}), red);
    solid(p, polygon({{30, 42}, {52, 42}, {38, 57}, {26, 57}}), red);
    flat(p, polygon({{22, 22}, {31, 19}, {31, 41}, {22, 38}}), QColor(80, 82, 92));  // nozzle

    // Body, nose cone to the right.
    QPainterPath body;
    body.moveTo(30, 18);
    body.lineTo(100, 18);
    body.cubicTo(118, 18, 133, 25, 140, 30);
    body.cubicTo(133, 35, 118, 42, 100, 42);
    body.lineTo(30, 42);
    body.quadTo(27, 30, 30, 18);
    body.closeSubpath();
    solid(p, body, QColor(235, 238, 244));
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(topLit(red, 18, 42));
    p.drawRect(QRectF(106, 0, 40, 60));
    p.setBrush(topLit(QColor(40, 100, 200), 18, 42));
    p.drawRect(QRectF(48, 0, 6, 60));
    p.restore();
    p.setPen(inkPen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.setPen(inkPen(1));
    p.drawLine(QPointF(106, 18.8), QPointF(106, 41.2));

    // Porthole.
    flat(p, circle({82, 30}, 7.5), QColor(200, 205, 215));
    glass(p, circle({82, 30}, 5));
}

struct LanePicture {
    QSize size;
    void (*draw)(QPainter&);
};

// In catalogue order; picture n is dris/n.jpg. The car keeps the size of the
// default picture so that both show the same drawing.
const LanePicture kLanePictures[] = {
    {{142, 41}, drawCar},
    {{142, 64}, drawTruck},
    {{122, 80}, drawTractor},
    {{112, 72}, drawMotorcycle},
    {{80, 96}, drawTourist},
    {{110, 96}, drawYacht},
    {{142, 86}, drawShip},
    {{142, 60}, drawPlane},
    {{140, 72}, drawHelicopter},
    {{88, 98}, drawBalloon},
    {{86, 96}, drawRobot},
    {{142, 60}, drawSpaceship},
};

// The drawing at `scale` times its size: the same shapes over more pixels.
QImage paintPicture(const LanePicture& picture, int scale)
{
    QImage image(picture.size * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    picture.draw(painter);
    return image;
}

// ---------------------------------------------------------------------------
// Window background and program icon

// A band of blue, dark at the top and bottom edges and light in the middle; `scale`
// times the 920 × 385 of the window's layout.
QImage paintBackground(int scale)
{
    const int width = 920 * scale;
    const int height = 385 * scale;
    const QColor edge(0, 50, 110);
    const QColor middle(70, 165, 235);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    // A cosine profile has no crease at the light middle line, unlike a linear ramp.
    for (int y = 0; y < height; ++y) {
        const double at = static_cast<double>(y) / scale; // in the 1× picture's rows
        const double t = (1 - std::cos(2 * std::numbers::pi * at / (385 - 1))) / 2;
        const auto mix = [t](int from, int to) { return static_cast<int>(std::lround(from + (to - from) * t)); };
        painter.fillRect(0, y, width, 1,
                         QColor(mix(edge.red(), middle.red()), mix(edge.green(), middle.green()),
                                mix(edge.blue(), middle.blue())));
    }
    return image;
}

// A red car speeding right on a blue rounded tile; chunky enough to read at 16 × 16.
// Drawn on a 128 × 128 grid, `scale` times as large.
QImage paintIcon(int scale)
{
    QImage image(128 * scale, 128 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);

    QLinearGradient sky(0, 4, 0, 124);
    sky.setColorAt(0, QColor(80, 170, 240));
    sky.setColorAt(1, QColor(10, 70, 150));
    QPainterPath tile;
    tile.addRoundedRect(QRectF(4, 4, 120, 120), 24, 24);
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawPath(tile);
    p.setClipPath(tile);

    // Road under the car.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 65, 75));
    p.drawRect(QRectF(5.5, 96, 117, 14));
    p.setBrush(Qt::white);
    for (qreal x = 12; x < 120; x += 26)
        p.drawRect(QRectF(x, 101.5, 14, 3));

    // Speed lines trailing behind.
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14, 54), QPointF(30, 54));
    p.drawLine(QPointF(10, 68), QPointF(30, 68));
    p.drawLine(QPointF(16, 82), QPointF(30, 82));

    QPainterPath body;
    body.moveTo(36, 88);
    body.lineTo(36, 68);
    body.quadTo(36, 60, 44, 59);
    body.lineTo(54, 58);
    body.lineTo(64, 42);
    body.quadTo(66, 40, 71, 40);
    body.lineTo(93, 40);
    body.quadTo(97, 40, 100, 43);
    body.lineTo(112, 58);
    body.quadTo(122, 60, 122, 70);
    body.lineTo(122, 86);
    body.quadTo(122, 91, 117, 91);
    body.lineTo(40, 91);
    body.quadTo(36, 91, 36, 88);
    body.closeSubpath();
    QPen outline(QColor(60, 10, 12), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(outline);
    p.setBrush(topLit(QColor(225, 30, 35), 40, 91));
    p.drawPath(body);

    p.setPen(QPen(QColor(60, 10, 12), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(180, 225, 250));
    p.drawPath(polygon({{60, 58}, {68, 46}, {80, 46}, {80, 58}}));
    p.drawPath(polygon({{85, 46}, {95, 46}, {104, 58}, {85, 58}}));
    p.setBrush(QColor(255, 230, 90));
    p.drawRoundedRect(QRectF(114, 64, 8, 6), 2, 2);

    for (const QPointF centre : {QPointF(56, 91), QPointF(102, 91)}) {
        p.setPen(QPen(QColor(20, 20, 25), 2));
        p.setBrush(QColor(35, 35, 40));
        p.drawEllipse(centre, 11, 11);
        p.setBrush(QColor(200, 205, 215));
        p.drawEllipse(centre, 5, 5);
    }

    // The tile's rim last, over the road's ends.
    p.setClipping(false);
    p.setPen(QPen(QColor(5, 40, 90), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tile);
    return image;
}

// ---------------------------------------------------------------------------
// Writing the files

void save(QImage image, const QString& path, const char* format, int quality)
{
    // Marked for the 96-dpi screen the lesson is laid out for.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (qstrcmp(format, "jpg") == 0) {
        writer.setProgressiveScanWrite(false);  // the lesson's decoder takes baseline best
        writer.setOptimizedWrite(true);
    }
    if (!writer.write(image))
        throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                                 writer.errorString().toStdString());
}

// Little-endian fields of the icon file.
void put16(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xff)).append(static_cast<char>((value >> 8) & 0xff));
}

void put32(QByteArray& out, qsizetype value)
{
    put16(out, static_cast<int>(value & 0xffff));
    put16(out, static_cast<int>((value >> 16) & 0xffff));
}

// One icon image as a 32-bit bitmap: the header, the colour rows bottom-up in blue,
// green, red, alpha, then the mask of fully transparent pixels for programs that ignore
// alpha.
QByteArray icoBitmap(const QImage& image)
{
    const int side = image.width();
    const int maskRow = (side + 31) / 32 * 4;
    QByteArray out;
    put32(out, 40);        // BITMAPINFOHEADER
    put32(out, side);
    put32(out, 2 * side);  // the colour rows and the mask together
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);         // BI_RGB
    put32(out, side * side * 4 + maskRow * side);
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x) {
            const QRgb pixel = image.pixel(x, y);
            out.append(static_cast<char>(qBlue(pixel))).append(static_cast<char>(qGreen(pixel)));
            out.append(static_cast<char>(qRed(pixel))).append(static_cast<char>(qAlpha(pixel)));
        }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < side; ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

// A Windows icon file holding `images`, square, at most 256 pixels wide. The smaller
// ones are bitmaps, which every Windows and icon tool reads; the 256 one is a PNG, the
// form Windows itself uses for that size.
void saveIco(const std::vector<QImage>& images, const QString& path)
{
    std::vector<QByteArray> entries;
    for (const QImage& picture : images) {
        const QImage image = picture.convertToFormat(QImage::Format_ARGB32);  // straight alpha
        QByteArray data;
        if (image.width() == 256) {
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            if (!image.save(&buffer, "png"))
                throw std::runtime_error("cannot write the 256-pixel icon as PNG");
        } else {
            data = icoBitmap(image);
        }
        entries.push_back(data);
    }

    QByteArray file;
    put16(file, 0);  // ICONDIR: reserved, type 1 (icon), count
    put16(file, 1);
    put16(file, static_cast<int>(entries.size()));
    qsizetype offset = 6 + 16 * static_cast<qsizetype>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int side = images[i].width() % 256;  // 0 stands for 256
        file.append(static_cast<char>(side)).append(static_cast<char>(side));
        file.append('\0').append('\0');  // no palette; reserved
        put16(file, 1);                 // planes
        put16(file, 32);                // bits per pixel
        put32(file, entries[i].size());
        put32(file, offset);
        offset += entries[i].size();
    }
    for (const QByteArray& entry : entries)
        file.append(entry);

    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot create folder " + path.toStdString());
}

void makeAll(const QDir& root)
{
    const QString dris = root.filePath("dris");
    const QString resources = root.filePath("resources");
    makeFolder(dris);
    makeFolder(resources);

    for (const int scale : {1, 2}) {
        // Qt's name for a high-resolution variant: NAME@2x beside NAME.
        const QString suffix = scale == 1 ? QStringLiteral(".jpg") : QStringLiteral("@%1x.jpg").arg(scale);
        int number = 1;
        for (const LanePicture& picture : kLanePictures) {
            const QImage image = paintPicture(picture, scale);
            save(image, QStringLiteral("%1/%2").arg(dris).arg(number) + suffix, "jpg", 90);
            save(image.mirrored(true, false), QStringLiteral("%1/%2").arg(dris).arg(100 + number) + suffix,
                 "jpg", 90);
            if (number == 1)
                save(image, resources + "/car" + suffix, "jpg", 90);
            ++number;
        }
        save(paintBackground(scale), resources + "/background" + suffix, "jpg", 90);
    }

    // The smaller sizes are scaled down from 128, the 256 one drawn at twice the grid.
    const QImage icon = paintIcon(1);
    save(icon, resources + "/velmora.png", "png", -1);
    std::vector<QImage> icoImages;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage sized = side == 256   ? paintIcon(2)
                             : side == 128 ? icon
                                           : icon.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        icoImages.push_back(sized);
        if (side == 24)
            continue;  // not a size of the desktop's icon theme
        const QString folder = QStringLiteral("%1/icons/hicolor/%2x%2/apps").arg(resources).arg(side);
        makeFolder(folder);
        save(sized, folder + "/velmora.png", "png", -1);
    }
    saveIco(icoImages, resources + "/velmora.ico");
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);  // loads the image format plug-ins
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <repository root>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    if (!root.exists()) {
        std::fprintf(stderr, "make_pictures: no such folder: %s\n", argv[1]);
        return 1;
    }
    try {
        makeAll(root);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_pictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
