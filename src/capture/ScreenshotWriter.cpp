#include "ScreenshotWriter.h"

#include "BitmapWriter.h"
#include "JpegWriter.h"
#include "PngWriter.h"
#include "clsDIBSection.h"
#include "core/AppState.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Services.h"

#include <QFileInfo>
#include <cerrno>

namespace {

// The program's own error number for a picture that cannot be read.
constexpr int invalidPictureError = 481;

bool takenOnDisk(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// A name listed in the Image Set, ignoring case.
bool listed(const AppState& state, const QString& name)
{
    for (const QString& entry : state.imageSetFiles) {
        if (entry.endsWith(name, Qt::CaseInsensitive) && entry.size() > name.size() &&
            entry.at(entry.size() - name.size() - 1) == QLatin1Char('/'))
            return true;
    }
    return false;
}

QString freeName(const AppState& state, Clock& clock, const QString& folder)
{
    const Settings& settings = state.settings;
    QString name = ScreenshotName(clock.now(), 1, state.captureSuffix, settings.captureExtension);
    for (int counter = 2; listed(state, name) || takenOnDisk(folder + name); ++counter)
        name = ScreenshotName(clock.now(), counter, state.captureSuffix, settings.captureExtension);
    return name;
}

Outcome encode(const AppState& state, const QImage& picture, QByteArray& file)
{
    // Straight from the clipboard's pixels: no section, so alpha and deep colour stay exact.
    if (state.settings.captureExtension.compare(QLatin1String(".png"), Qt::CaseInsensitive) == 0)
        return EncodePngFile(picture, file);
    clsDIBSection dib;
    if (Outcome created = dib.CreateFromPicture(picture); !created.done())
        return created;
    if (state.settings.captureExtension.compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0)
        return EncodeBitmapFile(dib, file);
    return EncodeJpegFile(dib, state.settings.jpegQuality, file);
}

Outcome failure(const Outcome& why, const QString& detail = QString())
{
    QString message = QStringLiteral("An error has occurred while creating image file.  Error ") +
                      QString::number(why.error);
    const QString text = why.text + detail;
    if (!text.isEmpty())
        message += QStringLiteral("\n\n") + text;
    return Outcome::failed(why.error, message);
}

} // namespace

QString ScreenshotName(const QDateTime& when, int counter, const QString& suffix, const QString& extension)
{
    QString name = QStringLiteral("Image_") + when.toString(QStringLiteral("yyMMdd_HHmmss"));
    if (counter >= 2)
        name += QLatin1Char('_') + QString::number(counter);
    return name + suffix + extension;
}

Outcome SaveScreenshot(const AppState& state, Services& services)
{
    const QString folder = CurrentImageSetFolder(state);
    if (const Outcome made = EnsureFolder(folder); !made.done())
        return failure(made, QStringLiteral(": ") + folder);

    QString name = freeName(state, services.clock, folder);
    QByteArray bytes;
    {
        const QImage picture = services.clipboard.image();
        if (picture.isNull())
            return failure(Outcome::failed(invalidPictureError,
                                           QStringLiteral("The picture on the clipboard cannot be read.")));
        if (const Outcome encoded = encode(state, picture, bytes); !encoded.done())
            return failure(encoded);
    }

    // Another program may take the name between the look-up and the write: then the next one.
    Outcome written = WriteNewFile(folder + name, bytes);
    for (int attempt = 0; written.error == EEXIST && attempt < 100; ++attempt) {
        name = freeName(state, services.clock, folder);
        written = WriteNewFile(folder + name, bytes);
    }
    if (!written.done())
        return failure(written, QStringLiteral(": ") + folder + name);
    return {};
}
