#include "SettingsFile.h"

#include "AppState.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QList>
#include <charconv>

namespace {

std::optional<int> parseInt32(const QByteArray& text)
{
    const char* first = text.constData();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return std::nullopt;
    return value;
}

// Windows dragged past the screen's top or left edge are pulled back so they stay reachable.
int pulledBack(int position)
{
    return position < -70 ? -60 : position;
}

// A name with a line break would end its line early and smuggle in a key of its own.
QByteArray lineSafe(const QString& name)
{
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return {};
    return name.toUtf8();
}

} // namespace

QString SettingsFilePath(const AppState& state)
{
    return state.dataDir + QStringLiteral("Vistrelle.ini");
}

MainWindowPosition ApplySettings(const QByteArray& text, Settings& settings)
{
    MainWindowPosition main;
    const QList<QByteArray> lines = text.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals + 1);
        const QByteArray value = line.mid(equals + 1);

        if (key == "FIRSTCAT=") {
            settings.introCategory = QString::fromUtf8(value);
        } else if (key == "FIRSTSET=") {
            settings.introImageSet = QString::fromUtf8(value);
        } else if (key == "TIMELAPSE_SILENT=") {
            if (value == "YES")
                settings.timeLapseSilent = true;
        } else if (key == "IMAGEFORMAT=") {
            if (value == "BMP")
                settings.captureExtension = QStringLiteral(".bmp");
            else if (value == "PNG")
                settings.captureExtension = QStringLiteral(".png");
        } else {
            const std::optional<int> number = parseInt32(value);
            if (!number)
                continue;
            const int n = *number;
            if (key == "MTOP=")
                main.top = pulledBack(n);
            else if (key == "MLEFT=")
                main.left = pulledBack(n);
            else if (key == "ITOP=")
                settings.imageViewerTop = pulledBack(n);
            else if (key == "ILEFT=")
                settings.imageViewerLeft = pulledBack(n);
            else if (key == "IWIDTH=" && n > 0)
                settings.imageViewerWidth = n;
            else if (key == "JPEG_QUALITY=" && n > 0 && n < 101)
                settings.jpegQuality = n;
            else if (key == "ACTIVEWINDOW_HK=")
                settings.activeWindowHotkey = n;
            else if (key == "ACTIVEWINDOW_HKCS=")
                settings.activeWindowModifiers = n;
            else if (key == "TIMELAPSE_HK=")
                settings.timeLapseHotkey = n;
            else if (key == "TIMELAPSE_HKCS=")
                settings.timeLapseModifiers = n;
            else if (key == "TIMELAPSE_SECS=")
                settings.timeLapseSeconds = n;
            else if (key == "DIRMAX=" && n > 500)
                settings.dirMax = n;
            else if (key == "FILEMAX=" && n > 5000)
                settings.fileMax = n;
        }
    }
    return main;
}

QByteArray SettingsText(const Settings& settings, const std::optional<QPoint>& mainTopLeft,
                        const ViewerPlacement& viewer)
{
    QByteArray text;
    const auto line = [&text](const char* key, const QByteArray& value) {
        text += key;
        text += value;
        text += "\r\n";
    };
    const auto number = [](int n) { return QByteArray::number(n); };

    if (mainTopLeft) {
        line("MTOP=", number(mainTopLeft->y()));
        line("MLEFT=", number(mainTopLeft->x()));
    }
    line("ITOP=", number(viewer.top));
    line("ILEFT=", number(viewer.left));
    line("IWIDTH=", number(viewer.width));
    line("FIRSTCAT=", lineSafe(settings.introCategory));
    line("FIRSTSET=", lineSafe(settings.introImageSet));
    if (settings.jpegQuality != 90)
        line("JPEG_QUALITY=", number(settings.jpegQuality));
    if (settings.activeWindowHotkey > 0) {
        line("ACTIVEWINDOW_HK=", number(settings.activeWindowHotkey));
        line("ACTIVEWINDOW_HKCS=", number(settings.activeWindowModifiers));
    }
    if (settings.timeLapseHotkey > 0) {
        line("TIMELAPSE_HK=", number(settings.timeLapseHotkey));
        line("TIMELAPSE_HKCS=", number(settings.timeLapseModifiers));
    }
    if (settings.timeLapseSeconds > 0)
        line("TIMELAPSE_SECS=", number(settings.timeLapseSeconds));
    if (settings.timeLapseSilent)
        line("TIMELAPSE_SILENT=", "YES");
    if (settings.captureExtension == QLatin1String(".bmp"))
        line("IMAGEFORMAT=", "BMP");
    else if (settings.captureExtension == QLatin1String(".png"))
        line("IMAGEFORMAT=", "PNG");
    if (settings.dirMax > 500)
        line("DIRMAX=", number(settings.dirMax));
    if (settings.fileMax > 5000)
        line("FILEMAX=", number(settings.fileMax));
    return text;
}

MainWindowPosition ReadSettingsFile(const QString& path, Settings& settings)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return {};
    return ApplySettings(file.readAll(), settings);
}

bool WriteSettingsFile(const QString& path, const QByteArray& text)
{
    return WriteFileReplacing(path, text).done();
}
