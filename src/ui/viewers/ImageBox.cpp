#include "ImageBox.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// Told as a picture, not as an empty pane.
QAccessibleInterface* accessibleImageBox(const QString& className, QObject* object)
{
    if (className != QLatin1String(ImageBox::staticMetaObject.className()) || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
}

} // namespace

ImageBox::ImageBox(QWidget* parent)
    : QWidget(parent)
{
    static const bool told = (QAccessible::installFactory(accessibleImageBox), true);
    Q_UNUSED(told);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

void ImageBox::setPicture(const QImage& picture, QSize natural)
{
    m_picture = picture;
    m_natural = natural.isValid() ? natural : picture.size();
    m_outlines.clear();
    update();
}

void ImageBox::setOutlines(const QList<QRect>& boxes)
{
    m_outlines = boxes;
    update();
}

QRect ImageBox::shownRect() const
{
    if (!m_keepsShape || m_picture.isNull())
        return rect();
    QRect shaped(QPoint(), m_picture.size().scaled(size(), Qt::KeepAspectRatio));
    shaped.moveCenter(rect().center());
    return shaped;
}

QRect ImageBox::pictureArea(const QRect& area) const
{
    const QRect shown = shownRect();
    if (shown.isEmpty() || m_natural.isEmpty())
        return {};
    const double x = double(m_natural.width()) / shown.width();
    const double y = double(m_natural.height()) / shown.height();
    const QRect inside = area.normalized().intersected(shown).translated(-shown.topLeft());
    return QRect(QPoint(qRound(inside.left() * x), qRound(inside.top() * y)),
                 QPoint(qRound((inside.right() + 1) * x) - 1, qRound((inside.bottom() + 1) * y) - 1));
}

void ImageBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_picture.isNull() || m_keepsShape)
        painter.fillRect(rect(), palette().window());
    if (m_picture.isNull())
        return;
    const QRect shown = shownRect();
    painter.drawImage(shown, m_picture);
    if (!m_outlines.isEmpty() && !m_natural.isEmpty()) {
        // Marked on the picture as a highlighter would: a frame to find the word, a wash that
        // leaves it readable.
        painter.setPen(QPen(QColor(255, 140, 0), 2));
        painter.setBrush(QColor(255, 200, 0, 60));
        const double x = double(shown.width()) / m_natural.width();
        const double y = double(shown.height()) / m_natural.height();
        for (const QRect& box : std::as_const(m_outlines))
            painter.drawRect(QRectF(shown.left() + box.left() * x, shown.top() + box.top() * y,
                                    box.width() * x, box.height() * y)
                                 .adjusted(-2, -2, 2, 2));
    }
    if (m_selecting) {
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_band.normalized());
    }
    if (hasFocus() && focusPolicy() != Qt::NoFocus) {
        painter.end();
        QStylePainter focus(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        focus.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void ImageBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressedAt = event->position().toPoint();
    m_moved = false;
    m_selecting = m_selectsAreas && (event->modifiers() & Qt::ShiftModifier);
    m_band = QRect(*m_pressedAt, *m_pressedAt);
}

void ImageBox::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedAt || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint at = event->position().toPoint();
    if (!m_moved && (at - *m_pressedAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_moved = true;
    if (m_selecting) {
        m_band = QRect(*m_pressedAt, at);
        update();
        return;
    }
    // The drag runs until the drop; the button's release ends it there, not here.
    m_pressedAt.reset();
    emit dragStarted();
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const bool pressedHere = m_pressedAt.has_value();
    m_pressedAt.reset();
    if (std::exchange(m_selecting, false)) {
        update();
        if (m_moved) {
            m_band.setBottomRight(event->position().toPoint());
            if (const QRect area = pictureArea(m_band); !area.isEmpty())
                emit areaSelected(area);
            return;
        }
    }
    if (m_endingDoubleClick) {
        m_endingDoubleClick = false;
        return;
    }
    if (pressedHere && !m_moved && rect().contains(event->position().toPoint()))
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

void ImageBox::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() != Qt::NoModifier && event->modifiers() != Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        emit clicked();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_takesDoubleClicks) {
            emit doubleClicked();
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void ImageBox::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void ImageBox::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}
