#include "TurboJpeg.h"

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
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int subsampling = quality >= 90 ? TJSAMP_444 : TJSAMP_420;
    result.code = tjCompress2(handle, bottomUpBgr, width, pitch, height, TJPF_BGR, &jpeg, &size, subsampling,
                              quality, TJFLAG_BOTTOMUP);
    if (result.code == 0)
        result.bytes = QByteArray(reinterpret_cast<const char*>(jpeg), static_cast<qsizetype>(size));
    else
        result.message = QString::fromLocal8Bit(tjGetErrorStr2(handle));
    tjFree(jpeg);
    tjDestroy(handle);
    return result;
}
