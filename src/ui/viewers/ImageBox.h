#pragma once

#include <QImage>
#include <QWidget>

/// The viewer's picture: stretched to the box, whatever the box's shape.
class ImageBox final : public QWidget
{
    Q_OBJECT

public:
    explicit ImageBox(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
};
