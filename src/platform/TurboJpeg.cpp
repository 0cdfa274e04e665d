#include "TurboJpeg.h"

#include <limits>
#include <new>
#include <turbojpeg.h>

JpegEncoding EncodeJpeg(const unsigned char* bottomUpBgr, int width, int height, int pitch, int quality)
{
    JpegEncoding result;
    tjhandle handle = tjInitCompress();
    if (!handle) {
        result.initialised = false;
        result.code = -1;
        result.message = QString::fromLocal8Bit(tjGetErrorStr2(nullptr));
        return result;
    }
    const int subsampling = quality >= 90 ? TJSAMP_444 : TJSAMP_420;
    // Encoded straight into the file's bytes, made as large as the largest JPEG of the size can
    // be: only the pages written become resident, where the encoder's own buffer would double
    // with a copy as it fills and then be copied whole into the file's bytes.
    const unsigned long largest = tjBufSize(width, height, subsampling);
    if (largest != static_cast<unsigned long>(-1) &&
        largest <= static_cast<unsigned long>(std::numeric_limits<qsizetype>::max())) {
        try {
            result.bytes = QByteArray(static_cast<qsizetype>(largest), Qt::Uninitialized);
        } catch (const std::bad_alloc&) {
            result.bytes = QByteArray();
        }
    }
    unsigned char* jpeg =
        result.bytes.isEmpty() ? nullptr : reinterpret_cast<unsigned char*>(result.bytes.data());
    unsigned long size = result.bytes.size();
    const int into = jpeg ? TJFLAG_NOREALLOC : 0;
    result.code = tjCompress2(handle, bottomUpBgr, width, pitch, height, TJPF_BGR, &jpeg, &size, subsampling,
                              quality, TJFLAG_BOTTOMUP | into);
    if (result.code != 0) {
        result.message = QString::fromLocal8Bit(tjGetErrorStr2(handle));
        result.bytes = QByteArray();
    } else if (into != 0) {
        result.bytes.resize(static_cast<qsizetype>(size));
    } else {
        result.bytes = QByteArray(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size));
    }
    if (into == 0)
        tjFree(jpeg);
    tjDestroy(handle);
    return result;
}
