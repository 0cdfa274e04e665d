#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QtClipboard::hasImage()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data && data->hasImage();
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}
