#pragma once

#include <QImage>
#include <QPainter>

/// A picture with what screenshots hold: flat window colours, lines of small text and a
/// gradient panel. Pictures of different \a seed differ in their text.
inline QImage ScreenshotLike(int width, int height, int seed = 0)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(236, 236, 236));
    QPainter painter(&picture);
    painter.fillRect(0, 0, width, 32, QColor(48, 96, 168));
    painter.fillRect(0, 32, width / 5, height - 32, QColor(250, 250, 250));
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, QColor(20, 40, 90));
    gradient.setColorAt(1, QColor(230, 120, 40));
    painter.fillRect(width * 3 / 5, height / 2, width * 2 / 5 - 20, height / 2 - 20, gradient);
    QFont font;
    font.setPixelSize(13);
    painter.setFont(font);
    for (int y = 60; y < height - 20; y += 18) {
        painter.setPen(y % 90 == 0 ? Qt::white : Qt::black);
        painter.drawText(width / 5 + 12, y,
                         QStringLiteral("%1: the quick brown fox jumps over the lazy dog 0123456789")
                             .arg(y + 1000 * seed));
    }
    return picture;
}
