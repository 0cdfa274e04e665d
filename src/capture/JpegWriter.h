#pragma once

#include "platform/Outcome.h"

#include <QByteArray>

class BottomUpBgrBuffer;

/// The number of an encoder failure.
constexpr int JpegErrorNumber = 26001;

/// The JPEG file for the pixels of \a dib at \a quality, encoded in place from the section, into
/// \a file. Fails with error 26001 and the encoder's words when the encoder fails.
Outcome EncodeJpegFile(const BottomUpBgrBuffer& dib, int quality, QByteArray& file);
