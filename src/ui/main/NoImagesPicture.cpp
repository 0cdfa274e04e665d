#include "NoImagesPicture.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

namespace {

void drawCamera(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(150, 150, 150), 12));
    painter.drawRoundedRect(QRect(373, 196, 400, 300), 24, 24);
    painter.drawEllipse(QPoint(573, 346), 90, 90);
    painter.drawRect(QRect(403, 166, 80, 30));
}

QImage blankPicture()
{
    QImage picture(1146, 833, QImage::Format_RGB32);
    picture.fill(QColor(64, 64, 64));
    return picture;
}

} // namespace

QImage NoImagesPicture()
{
    QImage picture = blankPicture();
    QPainter painter(&picture);
    drawCamera(painter);
    QFont font = painter.font();
    font.setPixelSize(56);
    painter.setFont(font);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(QRect(0, 560, 1146, 90), Qt::AlignCenter,
                     QCoreApplication::translate("NoImagesPicture", "No images"));
    font.setPixelSize(32);
    painter.setFont(font);
    painter.setPen(QColor(180, 180, 180));
    painter.drawText(QRect(0, 660, 1146, 60), Qt::AlignCenter,
                     QCoreApplication::translate("NoImagesPicture", "Screenshots you take appear here."));
    return picture;
}
