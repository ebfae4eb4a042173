#include "widgets/PadPictures.h"

#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <array>

namespace tarn {

namespace {

constexpr std::array<const char*, PadPictures::Count> Names = {
    "None",
    "Plain old gray",
    "Black Space",
    "Red White and Blue",
    "Gremlin's Nightmare",
    "Rainbow Sherbet",
    "Tarn CCTV",
    "My Favorite",
};

// The drawing frame of one picture, in logical pixels.
struct Face {
    QRectF rect;
    // The centre pixel's middle, so that 1-pixel lines through it are crisp
    // and fall on the same pixels as the pad's own centre lines.
    QPointF centre;
    // Half the shorter side.
    qreal radius;
};

Face faceOf(QSize size)
{
    return {QRectF(QPointF(0, 0), QSizeF(size)),
            QPointF(size.width() / 2 + 0.5, size.height() / 2 + 0.5),
            std::min(size.width(), size.height()) / 2.0};
}

void drawRings(QPainter& p, const Face& f, int count, qreal outer, const QPen& pen)
{
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= count; ++i) {
        const qreal r = outer * i / count;
        p.drawEllipse(f.centre, r, r);
    }
    p.restore();
}

void drawGrid(QPainter& p, const Face& f, qreal step, const QPen& pen)
{
    p.save();
    p.setPen(pen);
    // Anchored on the centre so that the grid is symmetric about the cross.
    for (qreal d = step; d < f.rect.width(); d += step) {
        p.drawLine(QPointF(f.centre.x() - d, 0), QPointF(f.centre.x() - d, f.rect.bottom()));
        p.drawLine(QPointF(f.centre.x() + d, 0), QPointF(f.centre.x() + d, f.rect.bottom()));
    }
    for (qreal d = step; d < f.rect.height(); d += step) {
        p.drawLine(QPointF(0, f.centre.y() - d), QPointF(f.rect.right(), f.centre.y() - d));
        p.drawLine(QPointF(0, f.centre.y() + d), QPointF(f.rect.right(), f.centre.y() + d));
    }
    p.restore();
}

// Bezel ticks pointing inwards from radius `outer`.
void drawTicks(QPainter& p, const Face& f, qreal outer, int stepDegrees, int majorEvery,
               qreal minorLength, qreal majorLength, const QPen& pen)
{
    p.save();
    p.setPen(pen);
    for (int i = 0, degrees = 0; degrees < 360; ++i, degrees += stepDegrees) {
        const qreal length = (i % majorEvery == 0) ? majorLength : minorLength;
        const qreal a = qDegreesToRadians(qreal(degrees));
        const QPointF direction(qCos(a), qSin(a));
        p.drawLine(f.centre + direction * (outer - length), f.centre + direction * outer);
    }
    p.restore();
}

// The aiming cross through the centre, optionally over a wider halo that
// keeps it readable on a busy picture.
void drawCross(QPainter& p, const Face& f, const QColor& colour, const QColor& halo = {},
               qreal centreRing = 0)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const auto lines = [&] {
        p.drawLine(QPointF(0, f.centre.y()), QPointF(f.rect.right(), f.centre.y()));
        p.drawLine(QPointF(f.centre.x(), 0), QPointF(f.centre.x(), f.rect.bottom()));
        if (centreRing > 0)
            p.drawEllipse(f.centre, centreRing, centreRing);
    };
    if (halo.isValid()) {
        p.setPen(QPen(halo, 3));
        lines();
    }
    p.setPen(QPen(colour, 1));
    lines();
    p.restore();
}

// A sunken edge, as the pad's own frame is drawn.
void drawBevel(QPainter& p, const Face& f, const QColor& shadow, const QColor& light)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = int(f.rect.width()) - 1;
    const int h = int(f.rect.height()) - 1;
    p.setPen(shadow);
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h);
    p.setPen(light);
    p.drawLine(0, h, w, h);
    p.drawLine(w, 0, w, h);
    p.restore();
}

void paintPlainOldGray(QPainter& p, const Face& f)
{
    QLinearGradient metal(0, 0, 0, f.rect.height());
    metal.setColorAt(0, QColor(216, 216, 216));
    metal.setColorAt(1, QColor(156, 156, 156));
    p.fillRect(f.rect, metal);
    // Brushed-metal grain.
    p.setPen(QColor(255, 255, 255, 26));
    for (int y = 0; y < int(f.rect.height()); y += 2)
        p.drawLine(QPointF(0, y + 0.5), QPointF(f.rect.right(), y + 0.5));
    drawGrid(p, f, f.radius / 4, QPen(QColor(110, 110, 110, 55), 1));
    drawRings(p, f, 2, f.radius - 2, QPen(QColor(85, 85, 85, 150), 1));
    drawCross(p, f, QColor(64, 64, 64), {}, 3);
    drawBevel(p, f, QColor(112, 112, 112), QColor(240, 240, 240));
}

void paintBlackSpace(QPainter& p, const Face& f)
{
    QRadialGradient sky(f.centre, f.radius * 1.45);
    sky.setColorAt(0, QColor(30, 34, 62));
    sky.setColorAt(0.6, QColor(8, 10, 24));
    sky.setColorAt(1, QColor(0, 0, 0));
    p.fillRect(f.rect, sky);

    const QPointF nebulaCentre(f.rect.width() * 0.72, f.rect.height() * 0.3);
    QRadialGradient nebula(nebulaCentre, f.radius * 0.5);
    nebula.setColorAt(0, QColor(120, 60, 170, 80));
    nebula.setColorAt(1, QColor(120, 60, 170, 0));
    p.fillRect(f.rect, nebula);

    // A fixed seed: the same sky every time the pad is drawn.
    quint32 seed = 0x2545F491u;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) & 0xFFFFu;
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const qreal x = next() * f.rect.width() / 65536.0;
        const qreal y = next() * f.rect.height() / 65536.0;
        const int brightness = 110 + int(next() % 146);
        const qreal size = 0.4 + (next() % 100) / 100.0;
        p.setBrush(QColor(brightness, brightness, std::min(255, brightness + 30)));
        p.drawEllipse(QPointF(x, y), size, size);
    }

    const QColor radar(100, 160, 255, 80);
    drawRings(p, f, 3, f.radius - 3, QPen(radar, 1));
    drawTicks(p, f, f.radius - 3, 30, 3, 2, 4, QPen(radar, 1));
    drawCross(p, f, QColor(150, 205, 255, 210), {}, 2.5);
    drawBevel(p, f, QColor(0, 0, 0), QColor(70, 80, 110));
}

// A five-pointed star of outer radius r.
QPainterPath star(QPointF centre, qreal r)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal a = qDegreesToRadians(-90.0 + 36.0 * i);
        const qreal radius = (i % 2 == 0) ? r : r * 0.4;
        const QPointF point = centre + QPointF(qCos(a), qSin(a)) * radius;
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void paintRedWhiteAndBlue(QPainter& p, const Face& f)
{
    QLinearGradient navy(0, 0, 0, f.rect.height());
    navy.setColorAt(0, QColor(22, 40, 104));
    navy.setColorAt(1, QColor(8, 18, 60));
    p.fillRect(f.rect, navy);

    // A roundel whose bands double as distance rings.
    const std::array<std::pair<qreal, QColor>, 5> bands = {{
        {0.92, QColor(244, 244, 244)},
        {0.74, QColor(196, 30, 46)},
        {0.54, QColor(244, 244, 244)},
        {0.34, QColor(30, 58, 150)},
        {0.14, QColor(244, 244, 244)},
    }};
    p.setPen(Qt::NoPen);
    for (const auto& [fraction, colour] : bands) {
        p.setBrush(colour);
        p.drawEllipse(f.centre, f.radius * fraction, f.radius * fraction);
    }

    p.setBrush(QColor(244, 244, 244));
    const qreal inset = f.radius * 0.18;
    const qreal size = f.radius * 0.11;
    for (const QPointF corner : {QPointF(inset, inset), QPointF(f.rect.width() - inset, inset),
                                 QPointF(inset, f.rect.height() - inset),
                                 QPointF(f.rect.width() - inset, f.rect.height() - inset)})
        p.drawPath(star(corner, size));

    drawCross(p, f, QColor(12, 14, 34), QColor(255, 255, 255, 150));
    drawBevel(p, f, QColor(4, 10, 36), QColor(120, 140, 200));
}

// A ring of teeth between radii r - tooth and r + tooth.
QPolygonF jaggedRing(const Face& f, qreal r, qreal tooth, int teeth)
{
    QPolygonF ring;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a = M_PI * i / teeth;
        const qreal radius = (i % 2 == 0) ? r + tooth : r - tooth;
        ring << f.centre + QPointF(qCos(a), qSin(a)) * radius;
    }
    return ring;
}

void paintGremlinsNightmare(QPainter& p, const Face& f)
{
    QRadialGradient slime(f.centre, f.radius * 1.42);
    slime.setColorAt(0, QColor(130, 200, 40));
    slime.setColorAt(0.35, QColor(46, 100, 22));
    slime.setColorAt(0.7, QColor(52, 12, 66));
    slime.setColorAt(1, QColor(14, 0, 24));
    p.fillRect(f.rect, slime);

    QPainterPath spiral;
    constexpr int steps = 240;
    constexpr qreal turns = 3;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const qreal a = 2 * M_PI * turns * t;
        const QPointF point = f.centre + QPointF(qCos(a), qSin(a)) * (f.radius * 0.95 * t);
        if (i == 0)
            spiral.moveTo(point);
        else
            spiral.lineTo(point);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 0, 20, 130), 1.5));
    p.drawPath(spiral);

    p.setPen(QPen(QColor(200, 255, 80, 120), 1));
    p.drawPolygon(jaggedRing(f, f.radius * 0.45, f.radius * 0.05, 14));
    p.drawPolygon(jaggedRing(f, f.radius * 0.82, f.radius * 0.05, 24));

    drawCross(p, f, QColor(205, 255, 70), QColor(0, 0, 0, 130), 3);
    drawBevel(p, f, QColor(8, 0, 14), QColor(120, 170, 60));
}

void paintRainbowSherbet(QPainter& p, const Face& f)
{
    QConicalGradient rainbow(f.centre, 90);
    const std::array<QColor, 6> pastels = {QColor(255, 176, 186), QColor(255, 220, 176),
                                           QColor(255, 250, 180), QColor(184, 250, 200),
                                           QColor(180, 222, 255), QColor(218, 188, 255)};
    for (std::size_t i = 0; i < pastels.size(); ++i)
        rainbow.setColorAt(qreal(i) / pastels.size(), pastels[i]);
    rainbow.setColorAt(1, pastels[0]);
    p.fillRect(f.rect, rainbow);

    // Cream towards the middle, as a scoop melts.
    QRadialGradient cream(f.centre, f.radius * 0.75);
    cream.setColorAt(0, QColor(255, 255, 255, 225));
    cream.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(f.rect, cream);

    drawRings(p, f, 3, f.radius - 3, QPen(QColor(255, 255, 255, 170), 1.2));
    drawCross(p, f, QColor(108, 100, 128), {}, 3);
    drawBevel(p, f, QColor(150, 130, 150), QColor(255, 255, 255));
}

void paintTarnCctv(QPainter& p, const Face& f)
{
    QLinearGradient sea(f.rect.topLeft(), f.rect.bottomRight());
    sea.setColorAt(0, QColor(12, 38, 76));
    sea.setColorAt(1, QColor(8, 96, 112));
    p.fillRect(f.rect, sea);
    drawGrid(p, f, f.radius / 5, QPen(QColor(255, 255, 255, 20), 1));

    // Viewfinder brackets in the four corners.
    const qreal inset = f.radius * 0.1;
    const qreal arm = f.radius * 0.22;
    p.setPen(QPen(QColor(255, 255, 255, 200), 2, Qt::SolidLine, Qt::SquareCap));
    const qreal l = inset, t = inset;
    const qreal r = f.rect.width() - inset, b = f.rect.height() - inset;
    p.drawPolyline(QPolygonF({QPointF(l, t + arm), QPointF(l, t), QPointF(l + arm, t)}));
    p.drawPolyline(QPolygonF({QPointF(r - arm, t), QPointF(r, t), QPointF(r, t + arm)}));
    p.drawPolyline(QPolygonF({QPointF(l, b - arm), QPointF(l, b), QPointF(l + arm, b)}));
    p.drawPolyline(QPolygonF({QPointF(r - arm, b), QPointF(r, b), QPointF(r, b - arm)}));

    const QPen bezel(QColor(255, 255, 255, 150), 1);
    drawRings(p, f, 2, f.radius * 0.9, bezel);
    drawTicks(p, f, f.radius * 0.9, 10, 3, 3, 6, bezel);

    // The name, split by the vertical line of the cross.
    QFont font;
    font.setPixelSize(std::max(7, int(f.radius / 5.5)));
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 175));
    const qreal textHeight = font.pixelSize() * 1.4;
    const qreal textTop = f.centre.y() + f.radius * 0.5;
    const qreal gap = 3;
    p.drawText(QRectF(0, textTop, f.centre.x() - gap, textHeight), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("TARN"));
    p.drawText(QRectF(f.centre.x() + gap, textTop, f.rect.width() - f.centre.x() - gap, textHeight),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CCTV"));

    drawCross(p, f, QColor(255, 255, 255), {}, 3);
    drawBevel(p, f, QColor(4, 20, 40), QColor(90, 170, 190));
}

void paintMyFavorite(QPainter& p, const Face& f)
{
    QRadialGradient slate(f.centre, f.radius * 1.42);
    slate.setColorAt(0, QColor(66, 76, 90));
    slate.setColorAt(0.7, QColor(34, 40, 50));
    slate.setColorAt(1, QColor(20, 24, 30));
    p.fillRect(f.rect, slate);
    drawGrid(p, f, f.radius / 8, QPen(QColor(255, 255, 255, 16), 1));

    // Quarter-speed rings of the proportional pad; half speed a little brighter.
    const qreal outer = f.radius - 2;
    drawRings(p, f, 4, outer, QPen(QColor(120, 200, 255, 75), 1));
    p.setPen(QPen(QColor(120, 200, 255, 120), 1));
    p.drawEllipse(f.centre, outer / 2, outer / 2);
    drawTicks(p, f, outer, 15, 3, 3, 7, QPen(QColor(180, 220, 255, 130), 1));

    drawCross(p, f, QColor(255, 176, 0), {}, 4);
    drawBevel(p, f, QColor(10, 12, 16), QColor(112, 122, 138));
}

} // namespace

QString PadPictures::name(int picture)
{
    if (picture < 0 || picture >= Count)
        return {};
    return QString::fromLatin1(Names[static_cast<std::size_t>(picture)]);
}

QPixmap PadPictures::render(int picture, QSize size, qreal devicePixelRatio)
{
    if (picture < 1 || picture >= Count || size.isEmpty())
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::black);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const Face f = faceOf(size);
    switch (picture) {
    case 1: paintPlainOldGray(p, f); break;
    case 2: paintBlackSpace(p, f); break;
    case 3: paintRedWhiteAndBlue(p, f); break;
    case 4: paintGremlinsNightmare(p, f); break;
    case 5: paintRainbowSherbet(p, f); break;
    case 6: paintTarnCctv(p, f); break;
    case 7: paintMyFavorite(p, f); break;
    }
    return pixmap;
}

} // namespace tarn
