#pragma once

#include <QListWidget>

/// The pictures Find found (lstFound): a line each, whose picture can be dragged out into
/// another program as a copy of its file.
class FoundList final : public QListWidget
{
    Q_OBJECT

public:
    /// The role of a line's path.
    static constexpr int PathRole = Qt::UserRole;

    explicit FoundList(QWidget* parent);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    /// Dragged out, a picture is only ever copied: the library keeps it.
    Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }
};
