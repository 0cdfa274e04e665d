#pragma once

#include <QByteArray>
#include <QImage>

/// The resolution the recognizer is told a picture made by ScreenshotForReading has.
constexpr int ReadingResolution = 192;

/// A picture as the recognizer reads it best.
struct PictureForReading
{
    QImage image;
    /// How many of its pixels stand for one of the picture's, across and down.
    int scale = 1;
};

/// The picture in the file \a bytes as the recognizer reads it best: grey, its words dark on a
/// white ground in every style (light, dark or in colour), and screen text
/// (9 to 14 points at 96 dots per inch) enlarged to the height its models were made for. Its
/// image is null when the bytes are no picture, or one too large to decode safely.
PictureForReading ScreenshotForReading(const QByteArray& bytes);
