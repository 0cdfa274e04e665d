#include "ImageBox.h"

#include <QMouseEvent>
#include <QPainter>

ImageBox::ImageBox(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void ImageBox::setPicture(const QImage& picture)
{
    m_picture = picture;
    update();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_picture.isNull() || m_keepsShape)
        painter.fillRect(rect(), palette().window());
    if (m_picture.isNull())
        return;
    if (!m_keepsShape) {
        painter.drawImage(rect(), m_picture);
        return;
    }
    QRect shaped(QPoint(), m_picture.size().scaled(size(), Qt::KeepAspectRatio));
    shaped.moveCenter(rect().center());
    painter.drawImage(shaped, m_picture);
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_endingDoubleClick) {
        m_endingDoubleClick = false;
        return;
    }
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void ImageBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_takesDoubleClicks || event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_endingDoubleClick = true;
    emit doubleClicked();
}
