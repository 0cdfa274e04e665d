#include "CaptureCaption.h"

#include "core/AppState.h"

#include <QCoreApplication>

QString CaptureCaption(const AppState& state, const QString& mode)
{
    const QString& extension = state.settings.captureExtension;
    const QString format = extension == QLatin1String(".bmp")   ? QStringLiteral("BMP")
                           : extension == QLatin1String(".png") ? QStringLiteral("PNG")
                                                                : QStringLiteral("JPG");
    QString caption = QStringLiteral("Vistrelle (") + format + QLatin1Char(')') + mode;
    if (state.timeLapseActive)
        caption += QCoreApplication::translate("CaptureCaption", " (time-lapse)");
    if (state.capturePaused)
        caption += QCoreApplication::translate("CaptureCaption", " (paused)");
    return caption;
}
