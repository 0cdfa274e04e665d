#pragma once

#include "BottomUpBgrBuffer.h"
#include "platform/Clipboard.h"
#include "platform/Outcome.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class SpoolTicket;
struct AppState;

/// "Image_" + "YYMMDD_HHNNSS" of \a when, then "_" + \a counter when the counter is 2 or more,
/// then \a suffix and \a extension.
QString ScreenshotName(const QDateTime& when, int counter, const QString& suffix, const QString& extension);

/// The folder Syncthing shares that holds \a folder: \a folder itself or the nearest folder
/// above it with Syncthing's mark (a ".stfolder") in it, ending in "/"; empty when none has.
QString SyncthingFolderOf(const QString& folder);

/// What this run puts after the time in the names of its screenshots in an Image Set that a
/// sync tool shares with other machines (Syncthing: SyncthingFolderOf the Image Set's folder is
/// not empty): "_" and four letters or digits drawn at the start. Two machines capturing in
/// the same second then never make the same name, which the sync tool would settle by keeping
/// one picture of the two.
const QString& SharedLibraryMark();

/// What it takes to file one picture; nothing in it is shared with the window, so it can be
/// filed on another thread.
struct ScreenshotJob
{
    ClipboardPicture picture;
    /// The Image Set, ending in "/"; empty while none is shown: then the picture is only told
    /// from the one of restoredPixels or ownFile, and nothing is written.
    QString folder;
    QDateTime when; ///< the capture's time, for the name
    QString suffix;
    QString extension;
    int jpegQuality = 90;
    QString title; ///< written into the file's own text when not empty
    /// Set when the picture came straight after a clearing of ours: the pixels filed then.
    std::optional<size_t> restoredPixels;
    /// Set when the picture came straight after the program's own copy of this kept picture:
    /// a clipboard manager taking the copy over offers the same pixels again.
    QString ownFile;
    /// The size of the thumbnail to make of the picture filed, in pixels; 0 for none.
    int thumbnailSize = 0;
    /// The picture's place in the spool until it is filed; none without a spool.
    std::shared_ptr<SpoolTicket> spooled;
    /// Set for a picture a killed run left in the spool: read from there when it is filed.
    QString spoolFile;
    /// Pictures other programs put into the Image Set moments ago: a picture with the pixels of
    /// one of them is that one (a tool that saves its screenshot there and copies it too), and
    /// nothing is written.
    QStringList arrivals;
};

/// A picture a killed run left in the spool, numbered \a id there.
struct SpooledScreenshot
{
    quint64 id = 0;
    ScreenshotJob job;
    bool copied = false; ///< it came from the clipboard
};

/// What filing a picture came to.
struct ScreenshotResult
{
    Outcome outcome;              ///< a failure carries the whole message the user is told
    QString path;                 ///< the new file
    std::optional<size_t> pixels; ///< a digest of the picture's pixels, once they could be read
    bool restored = false;        ///< the same pixels as restoredPixels or ownFile: nothing was written
    QString arrived;              ///< the one of arrivals with the same pixels: nothing was written
    QImage thumbnail;             ///< of the picture filed, at most thumbnailSize pixels wide and high
};

/// The large buffers of one picture on its way to a file (its pixels, their 24-bit copy, the
/// file's bytes), kept by the thread that files pictures: a burst of pictures of one size
/// reuses them instead of having tens of megabytes of fresh memory faulted in for each.
struct ScreenshotBuffers
{
    QImage picture;
    BottomUpBgrBuffer dib;
    QByteArray file;
};

/// The most bytes a picture's pixels are decoded to.
constexpr qint64 PictureBytesLimit = qint64(512) << 20;

/// A digest of the colours \a picture shows, whatever their format; none when it cannot be read.
std::optional<size_t> PictureDigest(const ClipboardPicture& picture);

/// The size of the thumbnail a capture's notification shows, in pixels.
constexpr int CaptureThumbnailSize = 128;

/// The job for the picture \a picture taken at \a when going into the current Image Set now, in
/// the format \a state names, with \a suffix (TimeLapseSuffix for a time-lapse shot).
ScreenshotJob ScreenshotJobFor(const AppState& state, ClipboardPicture picture, const QDateTime& when,
                               const QString& suffix = QString());

/// Decodes the picture, encodes it in the job's format and writes it as a new file under the
/// first screenshot name nothing stands at, creating a missing Image Set folder. Never replaces
/// a file; on a failure nothing is left in the folder. \a beforeWrite runs between the look-up of
/// the name and the write (what another program may do at that moment, in tests). The large
/// buffers are taken from \a buffers and left there, unless they come to more than 256 MB.
ScreenshotResult WriteScreenshot(const ScreenshotJob& job, ScreenshotBuffers& buffers,
                                 const std::function<void(const QString& path)>& beforeWrite = {});
/// WriteScreenshot with buffers of its own.
ScreenshotResult WriteScreenshot(const ScreenshotJob& job,
                                 const std::function<void(const QString& path)>& beforeWrite = {});

/// What RecoverScreenshots found.
struct RecoveredScreenshots
{
    QStringList files;                ///< pictures a kill interrupted after they were complete, filed
    bool cut = false;                 ///< a picture was half-written: the capture was killed while writing it
    QList<SpooledScreenshot> spooled; ///< pictures the spool held, to be filed in this order
    /// The pixels of the last clipboard picture the run before had, filed or in the spool.
    std::optional<size_t> lastPixels;
};

/// Settles every hidden temporary in the Image Sets of the library at \a libraryRoot, whatever
/// its age (SettleTemporaries): for a library no capture writes in at the moment. A picture a
/// kill interrupted after it was complete is filed under its name; a half-written one removed.
/// Then what the spool holds of the runs before \a spooledBefore (LeftInSpool).
RecoveredScreenshots RecoverScreenshots(const QString& libraryRoot, quint64 spooledBefore);
