#pragma once

#include "platform/Outcome.h"

#include <QByteArray>

class BottomUpBgrBuffer;

/// A complete 24-bit bitmap file (file header, 40-byte info header, bottom-up rows) holding the
/// pixels of \a dib, into \a file. Fails with the overflow error when the file size does not fit
/// in 32 bits.
Outcome EncodeBitmapFile(const BottomUpBgrBuffer& dib, QByteArray& file);
