#pragma once

#include "library/PictureWords.h"

#include <QImage>
#include <QObject>
#include <QRect>
#include <QStringList>

class CaptureEngine;
class QMenu;
class QPoint;
class QWidget;
class ReaderWorker;
struct Services;

/// The commands of a kept picture's context menu that do not change the library.
enum class FileCommand { Rename, Move, Delete };

/// What the user can do with kept pictures wherever they are shown (the file list, the viewer,
/// the thumbnails, the pictures Find found): copy them or their words out, open them, show them
/// in the file manager, drag them into another program. Rename, Move and Delete are asked of
/// the main window, which owns the list they act on.
class PictureActions final : public QObject
{
    Q_OBJECT

public:
    PictureActions(Services& services, CaptureEngine& engine, ReaderWorker& reading);

    /// Puts the pictures at \a paths on the clipboard: one as the picture and its file,
    /// several as files.
    void copy(const QStringList& paths);
    /// Puts the words read from the picture at \a path on the clipboard, those within \a area
    /// (in the picture's pixels) only when it is valid; says so when there are none to copy.
    /// The boxes of the words copied.
    QList<QRect> copyText(const QString& path, const QRect& area = QRect());
    /// The words read from the picture at \a path; none when the index cannot be opened.
    PictureWords wordsOf(const QString& path) const;

    /// Opens the context menu of the pictures at \a paths at \a where (global), over \a parent.
    QMenu* showMenu(const QStringList& paths, const QPoint& where, QWidget* parent);
    /// Drags the pictures at \a paths out of \a source into another program, as a copy: the
    /// files are never moved; \a picture is shown under the pointer when not null.
    void drag(const QStringList& paths, QWidget* source, const QImage& picture = QImage());

signals:
    /// Rename, Move or Delete was chosen for \a paths.
    void fileCommandRequested(const QStringList& paths, FileCommand command);

private:
    void open(const QString& path);
    void openWith(const QString& path, const QString& id, const QString& name);
    void showInFolder(const QString& path);

    Services& m_services;
    CaptureEngine& m_engine;
    ReaderWorker& m_reading;
};
