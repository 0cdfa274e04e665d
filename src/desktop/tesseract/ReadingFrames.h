#pragma once

#include "platform/TextReader.h"

#include <QByteArray>
#include <optional>

class QIODevice;

/// What the program and its reading process say to each other through the process's standard
/// input and output: a picture's haste and bytes one way, what reading it came to the other,
/// each with its length before it.
namespace ReadingFrames {

/// A picture handed to the reading process.
struct PictureToRead
{
    ReadingHaste haste = ReadingHaste::Library;
    QByteArray bytes;
};

QByteArray Picture(const QByteArray& bytes, ReadingHaste haste);
QByteArray Answer(const TextReading& reading);
/// The picture at the start of \a device, read as it comes; none at its end.
std::optional<PictureToRead> ReadPicture(QIODevice& device);
/// Takes an answer from the start of \a received once all of it is there.
std::optional<TextReading> TakeAnswer(QByteArray& received);

} // namespace ReadingFrames
