#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QtClipboard::QtClipboard()
{
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &QtClipboard::changed);
}

void QtClipboard::changed()
{
    ++m_changes;
    m_known = false;
}

bool QtClipboard::hasImage()
{
    if (!m_known) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
        m_holdsImage = data && data->hasImage();
        m_known = true;
    }
    return m_holdsImage;
}

QImage QtClipboard::image()
{
    return QGuiApplication::clipboard()->image(QClipboard::Clipboard);
}

void QtClipboard::setImage(const QImage& image)
{
    QGuiApplication::clipboard()->setImage(image, QClipboard::Clipboard);
    changed();
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    changed();
}
