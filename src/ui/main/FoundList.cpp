#include "FoundList.h"

#include "platform/ClipboardOffer.h"

FoundList::FoundList(QWidget* parent)
    : QListWidget(parent)
{
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

QStringList FoundList::mimeTypes() const
{
    return {QStringLiteral("text/uri-list")};
}

QMimeData* FoundList::mimeData(const QList<QListWidgetItem*>& items) const
{
    QStringList paths;
    for (const QListWidgetItem* item : items)
        paths.append(item->data(PathRole).toString());
    return paths.isEmpty() ? nullptr : ClipboardOffer::pictures(paths);
}
