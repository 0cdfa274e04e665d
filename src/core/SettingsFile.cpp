#include "SettingsFile.h"

#include "AppState.h"

#include <QFile>
#include <QList>
#include <QSaveFile>
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

MainWindowPosition ApplySettings(const QByteArray& text, AppState& state)
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
            state.introCategory = QString::fromUtf8(value);
        } else if (key == "FIRSTSET=") {
            state.introImageSet = QString::fromUtf8(value);
        } else if (key == "TIMELAPSE_SILENT=") {
            if (value == "YES")
                state.timeLapseSilent = true;
        } else if (key == "IMAGEFORMAT=") {
            if (value == "BMP")
                state.captureExtension = QStringLiteral(".bmp");
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
                state.imageViewerTop = pulledBack(n);
            else if (key == "ILEFT=")
                state.imageViewerLeft = pulledBack(n);
            else if (key == "IWIDTH=" && n > 0)
                state.imageViewerWidth = n;
            else if (key == "JPEG_QUALITY=" && n > 0 && n < 101)
                state.jpegQuality = n;
            else if (key == "ACTIVEWINDOW_HK=")
                state.activeWindowHotkey = n;
            else if (key == "ACTIVEWINDOW_HKCS=")
                state.activeWindowModifiers = n;
            else if (key == "TIMELAPSE_HK=")
                state.timeLapseHotkey = n;
            else if (key == "TIMELAPSE_HKCS=")
                state.timeLapseModifiers = n;
            else if (key == "TIMELAPSE_SECS=")
                state.timeLapseSeconds = n;
            else if (key == "DIRMAX=" && n > 500)
                state.dirMax = n;
            else if (key == "FILEMAX=" && n > 5000)
                state.fileMax = n;
        }
    }
    return main;
}

QByteArray SettingsText(const AppState& state, const std::optional<QPoint>& mainTopLeft,
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
    line("FIRSTCAT=", lineSafe(state.introCategory));
    line("FIRSTSET=", lineSafe(state.introImageSet));
    if (state.jpegQuality != 90)
        line("JPEG_QUALITY=", number(state.jpegQuality));
    if (state.activeWindowHotkey > 0) {
        line("ACTIVEWINDOW_HK=", number(state.activeWindowHotkey));
        line("ACTIVEWINDOW_HKCS=", number(state.activeWindowModifiers));
    }
    if (state.timeLapseHotkey > 0) {
        line("TIMELAPSE_HK=", number(state.timeLapseHotkey));
        line("TIMELAPSE_HKCS=", number(state.timeLapseModifiers));
    }
    if (state.timeLapseSeconds > 0)
        line("TIMELAPSE_SECS=", number(state.timeLapseSeconds));
    if (state.timeLapseSilent)
        line("TIMELAPSE_SILENT=", "YES");
    if (state.captureExtension != QLatin1String(".jpg"))
        line("IMAGEFORMAT=", "BMP");
    if (state.dirMax > 500)
        line("DIRMAX=", number(state.dirMax));
    if (state.fileMax > 5000)
        line("FILEMAX=", number(state.fileMax));
    return text;
}

MainWindowPosition ReadSettingsFile(const QString& path, AppState& state)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ApplySettings(file.readAll(), state);
}

bool WriteSettingsFile(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
