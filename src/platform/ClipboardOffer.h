#pragma once

#include <QMimeData>
#include <QStringList>

/// What the program offers other programs, on the clipboard or in a drag: kept pictures as
/// files (text/uri-list, and x-special/gnome-copied-files for file managers), the one picture
/// itself as image/png, or words as plain text. The PNG is the file's own bytes when the file is
/// one; any other picture is made into one when a program first asks for it, so offering never
/// waits for an encoder.
class ClipboardOffer final : public QMimeData
{
public:
    /// The pictures at \a paths (absolute) as files; a single one as the picture as well.
    static ClipboardOffer* pictures(const QStringList& paths);
    /// \a text as plain text.
    static ClipboardOffer* words(const QString& text);

    /// The files offered, in order; none for words.
    const QStringList& files() const { return m_files; }
    /// The file whose picture is offered as image/png; empty for several files and for words.
    QString picture() const { return m_files.size() == 1 ? m_files.first() : QString(); }

    QStringList formats() const override;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    QStringList m_files;
    mutable QByteArray m_png; // made at the first request
};

/// The bytes of the picture in the file at \a path as a PNG file: its own bytes when it is one,
/// else the picture decoded and encoded again; empty when it cannot be read or is too large to
/// be a screenshot.
QByteArray PictureAsPng(const QString& path);
