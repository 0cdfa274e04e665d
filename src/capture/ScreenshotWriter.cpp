#include "ScreenshotWriter.h"

#include "ImageFiles.h"
#include "JpegWriter.h"
#include "clsDIBSection.h"
#include "core/AppState.h"
#include "library/LibraryTree.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <malloc.h>
#include <sys/stat.h>

namespace {

// The program's own error numbers for failures that have no system error behind them.
constexpr int outOfMemoryError = 7;
constexpr int invalidPictureError = 481;

bool takenOnDisk(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

/// 0 when \a folder is a folder now (made if it was missing and its parent exists), else the
/// system's error number.
int ensureFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat status
    {
    };
    if (::stat(name.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    if (::mkdir(name.constData(), 0777) == 0 || errno == EEXIST)
        return 0;
    return errno;
}

QString freeName(const AppState& state, Clock& clock, const QString& folder)
{
    QString name = ScreenshotName(clock.now(), 1, state.captureSuffix, state.captureExtension);
    for (int counter = 2; ImageNameExists(state, name) || takenOnDisk(folder + name); ++counter)
        name = ScreenshotName(clock.now(), counter, state.captureSuffix, state.captureExtension);
    return name;
}

/// The file's bytes, or an error number and text.
QByteArray encode(const AppState& state, const QImage& picture, int& error, QString& text)
{
    try {
        clsDIBSection dib;
        dib.CreateFromPicture(picture);
        if (!dib.DIBSectionBitsPtr()) {
            error = outOfMemoryError;
            text = QStringLiteral("Out of memory");
            return {};
        }
        if (state.captureExtension.compare(QLatin1String(".bmp"), Qt::CaseInsensitive) == 0)
            return BitmapFileBytes(dib);
        return JpegFileBytes(dib, state.jpegQuality);
    } catch (const ArithmeticOverflow&) {
        error = ArithmeticOverflow::number;
        text = QStringLiteral("Overflow: the picture is too large");
    } catch (const JpegError& failure) {
        error = failure.number();
        text = failure.description();
    }
    return {};
}

} // namespace

QString ScreenshotName(const QDateTime& when, int counter, const QString& suffix, const QString& extension)
{
    QString name = QStringLiteral("Image_") + when.toString(QStringLiteral("yyMMdd_HHmmss"));
    if (counter >= 2)
        name += QLatin1Char('_') + QString::number(counter);
    return name + suffix + extension;
}

bool SaveScreenshot(const AppState& state, Services& services)
{
    const QString folder = state.libraryRoot + state.currentCategory + QLatin1Char('/') +
                           state.currentImageSet + QLatin1Char('/');
    auto fail = [&services](int number, const QString& text) {
        QString message = QStringLiteral("An error has occurred while creating image file.  Error ") +
                          QString::number(number);
        if (!text.isEmpty())
            message += QStringLiteral("\n\n") + text;
        services.boxes.show(message, BoxLook::Exclamation);
        return false;
    };
    if (const int error = ensureFolder(folder))
        return fail(error, QString::fromLocal8Bit(std::strerror(error)) + QStringLiteral(": ") + folder);

    QString name = freeName(state, services.clock, folder);
    int error = 0;
    QString text;
    QByteArray bytes;
    {
        const QImage picture = services.clipboard.image();
        if (picture.isNull())
            return fail(invalidPictureError, QStringLiteral("The picture on the clipboard cannot be read."));
        bytes = encode(state, picture, error, text);
    }
    if (error != 0)
        return fail(error, text);

    // Another program may take the name between the look-up and the write: then the next one.
    FileOutcome outcome = WriteNewFile(folder + name, bytes);
    for (int attempt = 0; outcome.error == EEXIST && attempt < 100; ++attempt) {
        name = freeName(state, services.clock, folder);
        outcome = WriteNewFile(folder + name, bytes);
    }
    bytes = QByteArray();
    // The decoded picture and the section are large; give their memory back to the system.
    malloc_trim(0);
    if (!outcome.ok())
        return fail(outcome.error, outcome.text + QStringLiteral(": ") + folder + name);
    return true;
}
