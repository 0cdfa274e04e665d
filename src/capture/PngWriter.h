#pragma once

#include "platform/Outcome.h"

#include <QByteArray>

class QImage;

/// The number of an encoder failure.
constexpr int PngErrorNumber = 26002;

/// The PNG file holding every pixel of \a picture exactly, into \a file: 8 bits a channel, 16
/// where the picture has more, and an alpha channel only where some pixel is not opaque. Fails
/// with the overflow error when the pixels to encode would pass 2^31 bytes, and with error
/// 26002 and the encoder's words when the encoder fails.
Outcome EncodePngFile(const QImage& picture, QByteArray& file);
