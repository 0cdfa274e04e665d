#pragma once

#include <QByteArray>
#include <QString>

/// Writes \a title into the picture file \a file as its standard text, where other programs
/// read it: a JPEG gets a comment "Title: ..." (after its JFIF and Exif segments), a PNG an
/// international text chunk "Title" (after its header). False, \a file unchanged, for another
/// type or a file too short to be one.
bool AddPictureTitle(QByteArray& file, const QString& title);
