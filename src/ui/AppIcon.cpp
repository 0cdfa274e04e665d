#include "AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>

namespace {

/// One picture: white frame, sky, hill and sun, in a 100-unit square around the origin.
void drawPicture(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 247));
    painter.drawRoundedRect(QRectF(-30, -24, 60, 48), 3, 3);
    QLinearGradient sky(0, -20, 0, 20);
    sky.setColorAt(0, QColor(110, 180, 235));
    sky.setColorAt(1, QColor(200, 230, 250));
    painter.setBrush(sky);
    const QRectF inside(-26, -20, 52, 40);
    painter.drawRect(inside);
    painter.setBrush(QColor(255, 200, 60));
    painter.drawEllipse(QPointF(13, -9), 5.5, 5.5);
    QPainterPath hill(inside.bottomLeft());
    hill.lineTo(-26, 6);
    hill.lineTo(-10, -6);
    hill.lineTo(4, 8);
    hill.lineTo(12, 2);
    hill.lineTo(26, 12);
    hill.lineTo(inside.bottomRight());
    hill.closeSubpath();
    painter.setBrush(QColor(60, 140, 90));
    painter.drawPath(hill);
}

/// The badge in the tile's lower right corner.
void drawBadge(QPainter& painter, IconBadge badge)
{
    if (badge == IconBadge::None)
        return;
    const QPointF centre(75, 75);
    painter.setPen(QPen(QColor(250, 250, 247), 4));
    painter.setBrush(badge == IconBadge::TimeLapse  ? QColor(220, 40, 40)
                     : badge == IconBadge::Captured ? QColor(40, 170, 80)
                                                    : QColor(230, 160, 20));
    painter.drawEllipse(centre, 21, 21);
    if (badge == IconBadge::Captured) {
        // A tick: the picture was filed.
        painter.setPen(QPen(QColor(250, 250, 247), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(
            QPolygonF{centre + QPointF(-10, 0), centre + QPointF(-3, 8), centre + QPointF(10, -8)});
        return;
    }
    if (badge != IconBadge::Paused)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 247));
    painter.drawRect(QRectF(centre.x() - 9, centre.y() - 10, 6, 20));
    painter.drawRect(QRectF(centre.x() + 3, centre.y() - 10, 6, 20));
}

} // namespace

QImage AppIconImage(int size, IconBadge badge)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);

    QLinearGradient tile(0, 0, 0, 100);
    tile.setColorAt(0, QColor(40, 72, 120));
    tile.setColorAt(1, QColor(22, 40, 72));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(4, 4, 92, 92), 18, 18);

    painter.save();
    painter.translate(50, 52);
    painter.save();
    painter.rotate(-12);
    painter.translate(-4, -4);
    painter.setOpacity(0.75);
    drawPicture(painter);
    painter.restore();
    painter.rotate(6);
    painter.translate(4, 6);
    drawPicture(painter);
    painter.restore();
    drawBadge(painter, badge);
    return image;
}

QIcon AppIcon(IconBadge badge)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(AppIconImage(size, badge)));
    return icon;
}
