#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

/// A picture in a box: stretched to the box, whatever the box's shape, or kept in its own shape,
/// centred on the box's background. The picture can be dragged out of the box, and where the
/// box lets it, a rectangle drawn on it with Shift held chooses a part of it; outlines mark
/// places on it. Places are in the pixels of the picture as its file holds it, whatever size it
/// is shown at. From the keyboard, Space is a click and Enter a double click; a screen reader
/// meets the box as a picture.
class ImageBox final : public QWidget
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget* parent = nullptr);

    /// Shows \a picture, whose file holds \a natural pixels (the picture's own size when not
    /// valid); the outlines go.
    void setPicture(const QImage& picture, QSize natural = QSize());
    const QImage& picture() const { return m_picture; }

    /// A box that takes double clicks reports them as such; otherwise each of the two clicks
    /// counts as a click.
    void setTakesDoubleClicks(bool takes) { m_takesDoubleClicks = takes; }

    /// A box that keeps the picture's shape shows it as large as fits, centred.
    void setKeepsShape(bool keeps) { m_keepsShape = keeps; }

    /// A box that selects areas takes a rectangle drawn with Shift held.
    void setSelectsAreas(bool selects) { m_selectsAreas = selects; }

    /// Marks \a boxes on the picture, until the next picture.
    void setOutlines(const QList<QRect>& boxes);
    const QList<QRect>& outlines() const { return m_outlines; }

    /// The part of the picture, in its file's pixels, that \a area of the box shows.
    QRect pictureArea(const QRect& area) const;

signals:
    void clicked();
    void doubleClicked();
    /// The pointer moved far enough with the button held to drag the picture away.
    void dragStarted();
    /// A rectangle was drawn with Shift held over \a area of the picture (its file's pixels).
    void areaSelected(const QRect& area);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /// Where the picture stands in the box.
    QRect shownRect() const;

    QImage m_picture;
    QSize m_natural;
    QList<QRect> m_outlines;
    bool m_takesDoubleClicks = false;
    bool m_keepsShape = false;
    bool m_selectsAreas = false;
    bool m_endingDoubleClick = false;
    std::optional<QPoint> m_pressedAt; // the left button is down, since there
    bool m_moved = false;              // far enough since the press for a drag or a rectangle
    bool m_selecting = false;          // a rectangle is being drawn
    QRect m_band;                      // the rectangle drawn, in the box
};
