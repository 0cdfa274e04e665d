#pragma once

#include <QByteArray>
#include <QString>

/// Outcome of one JPEG encoding.
struct JpegEncoding
{
    int code = 0;            ///< 0 on success, else the encoder's failure code
    QString message;         ///< the encoder's own words on a failure
    QByteArray bytes;        ///< the whole JPEG file on success
    bool initialised = true; ///< false when the encoder itself could not be set up
};

/// Encodes 24-bit blue-green-red rows stored bottom-up, \a pitch bytes apart, reading them in
/// place. Chroma is kept at full resolution from \a quality 90 up, so that text stays sharp,
/// and halved in both directions below. Never throws.
JpegEncoding EncodeJpeg(const unsigned char* bottomUpBgr, int width, int height, int pitch, int quality);
