#pragma once

#include <QImage>
#include <QWidget>

/// A picture in a box: stretched to the box, whatever the box's shape, or kept in its own shape,
/// centred on the box's background.
class ImageBox final : public QWidget
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    /// A box that takes double clicks reports them as such; otherwise each of the two clicks
    /// counts as a click.
    void setTakesDoubleClicks(bool takes) { m_takesDoubleClicks = takes; }

    /// A box that keeps the picture's shape shows it as large as fits, centred.
    void setKeepsShape(bool keeps) { m_keepsShape = keeps; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_takesDoubleClicks = false;
    bool m_keepsShape = false;
    bool m_endingDoubleClick = false;
};
