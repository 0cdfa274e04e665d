#include "SettingsFile.h"

#include "AppState.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <charconv>
#include <functional>
#include <vector>

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

// A name with a line break would end its line early and smuggle in a key of its own. The name's
// own bytes are written, so that a folder named in another encoding is found again.
QByteArray lineSafe(const QString& name)
{
    if (name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r')))
        return {};
    return NativePath(name);
}

} // namespace

QStringList ProgramNames(const QString& text)
{
    QStringList names;
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (!name.isEmpty() && !names.contains(name, Qt::CaseInsensitive))
            names.append(name);
    }
    return names;
}

QString SettingsFilePath(const AppState& state)
{
    return state.dataDir + QStringLiteral("Vistrelle.ini");
}

namespace {

// Everything one settings file holds: the settings and the main window's place.
struct SettingsRecord
{
    Settings settings;
    MainWindowPosition main;
};

// One key of the settings file: how its value is taken in and how it is written; written
// gives nothing when the line is left out (a default, or a value that needs another).
struct SettingsKey
{
    const char* key;
    std::function<void(SettingsRecord&, const QByteArray&)> read;
    std::function<std::optional<QByteArray>(const SettingsRecord&)> written;
};

int unchanged(int n)
{
    return n;
}

// A 32-bit number kept in \a member, as \a kept makes it, when \a accepts it; written when
// \a writes says so.
SettingsKey numberKey(const char* key, int Settings::*member, bool (*accepts)(int),
                      bool (*writes)(const Settings&), int (*kept)(int) = unchanged)
{
    return {key,
            [member, accepts, kept](SettingsRecord& record, const QByteArray& value) {
                if (const std::optional<int> n = parseInt32(value); n && accepts(*n))
                    record.settings.*member = kept(*n);
            },
            [member, writes](const SettingsRecord& record) -> std::optional<QByteArray> {
                if (!writes(record.settings))
                    return std::nullopt;
                return QByteArray::number(record.settings.*member);
            }};
}

// A window edge, pulled back when dragged past the screen's edge.
SettingsKey edgeKey(const char* key, std::optional<int> MainWindowPosition::*member)
{
    return {key,
            [member](SettingsRecord& record, const QByteArray& value) {
                if (const std::optional<int> n = parseInt32(value))
                    record.main.*member = pulledBack(*n);
            },
            [member](const SettingsRecord& record) -> std::optional<QByteArray> {
                if (!(record.main.*member))
                    return std::nullopt;
                return QByteArray::number(*(record.main.*member));
            }};
}

SettingsKey nameKey(const char* key, QString Settings::*member)
{
    return {key,
            [member](SettingsRecord& record, const QByteArray& value) {
                record.settings.*member = PathFromNative(value);
            },
            [member](const SettingsRecord& record) -> std::optional<QByteArray> {
                return lineSafe(record.settings.*member);
            }};
}

bool always(int)
{
    return true;
}
bool always(const Settings&)
{
    return true;
}

// The keys in the order they are written.
const std::vector<SettingsKey>& settingsKeys()
{
    static const std::vector<SettingsKey> keys{
        edgeKey("MTOP=", &MainWindowPosition::top),
        edgeKey("MLEFT=", &MainWindowPosition::left),
        numberKey("ITOP=", &Settings::imageViewerTop, always, always, pulledBack),
        numberKey("ILEFT=", &Settings::imageViewerLeft, always, always, pulledBack),
        numberKey(
            "IWIDTH=", &Settings::imageViewerWidth, [](int n) { return n > 0; }, always),
        nameKey("FIRSTCAT=", &Settings::introCategory),
        nameKey("FIRSTSET=", &Settings::introImageSet),
        numberKey(
            "JPEG_QUALITY=", &Settings::jpegQuality, [](int n) { return n > 0 && n < 101; },
            [](const Settings& s) { return s.jpegQuality != 90; }),
        numberKey("ACTIVEWINDOW_HK=", &Settings::activeWindowHotkey, always,
                  [](const Settings& s) { return s.activeWindowHotkey > 0; }),
        numberKey("ACTIVEWINDOW_HKCS=", &Settings::activeWindowModifiers, always,
                  [](const Settings& s) { return s.activeWindowHotkey > 0; }),
        numberKey("TIMELAPSE_HK=", &Settings::timeLapseHotkey, always,
                  [](const Settings& s) { return s.timeLapseHotkey > 0; }),
        numberKey("TIMELAPSE_HKCS=", &Settings::timeLapseModifiers, always,
                  [](const Settings& s) { return s.timeLapseHotkey > 0; }),
        numberKey("TIMELAPSE_SECS=", &Settings::timeLapseSeconds, always,
                  [](const Settings& s) { return s.timeLapseSeconds > 0; }),
        {"TIMELAPSE_SILENT=",
         [](SettingsRecord& record, const QByteArray& value) {
             if (value == "YES")
                 record.settings.timeLapseSilent = true;
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             return record.settings.timeLapseSilent ? std::optional<QByteArray>("YES") : std::nullopt;
         }},
        {"IMAGEFORMAT=",
         [](SettingsRecord& record, const QByteArray& value) {
             if (value == "BMP")
                 record.settings.captureExtension = QStringLiteral(".bmp");
             else if (value == "PNG")
                 record.settings.captureExtension = QStringLiteral(".png");
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             if (record.settings.captureExtension == QLatin1String(".bmp"))
                 return "BMP";
             if (record.settings.captureExtension == QLatin1String(".png"))
                 return "PNG";
             return std::nullopt;
         }},
        numberKey(
            "DIRMAX=", &Settings::dirMax, [](int n) { return n > 500; },
            [](const Settings& s) { return s.dirMax > 500; }),
        numberKey(
            "FILEMAX=", &Settings::fileMax, [](int n) { return n > 5000; },
            [](const Settings& s) { return s.fileMax > 5000; }),
        {"FIND_LANGUAGES=",
         [](SettingsRecord& record, const QByteArray& value) {
             // Language names as the reader's data files carry them, nothing a file name could
             // not hold.
             static const QRegularExpression names(QStringLiteral("^[A-Za-z0-9_]+(\\+[A-Za-z0-9_]+)*$"));
             if (names.match(QString::fromLatin1(value)).hasMatch())
                 record.settings.findLanguages = QString::fromLatin1(value);
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             if (record.settings.findLanguages == QLatin1String("eng"))
                 return std::nullopt;
             return record.settings.findLanguages.toLatin1();
         }},
        {"FIND_READ=",
         [](SettingsRecord& record, const QByteArray& value) {
             if (value == "NO")
                 record.settings.readWords = false;
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             return record.settings.readWords ? std::nullopt : std::optional<QByteArray>("NO");
         }},
        {"FIND_UNREAD_PROGRAMS=",
         [](SettingsRecord& record, const QByteArray& value) {
             record.settings.unreadPrograms = ProgramNames(QString::fromUtf8(value));
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             if (record.settings.unreadPrograms.isEmpty())
                 return std::nullopt;
             return record.settings.unreadPrograms.join(QLatin1Char(',')).toUtf8();
         }},
        {"WINDOW_TITLE_IN_FILE=",
         [](SettingsRecord& record, const QByteArray& value) {
             if (value == "YES")
                 record.settings.writeWindowTitle = true;
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             return record.settings.writeWindowTitle ? std::optional<QByteArray>("YES") : std::nullopt;
         }},
        {"NOTIFY_CAPTURES=",
         [](SettingsRecord& record, const QByteArray& value) {
             if (value == "NO")
                 record.settings.notifyCaptures = false;
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             return record.settings.notifyCaptures ? std::nullopt : std::optional<QByteArray>("NO");
         }},
    };
    return keys;
}

} // namespace

MainWindowPosition ApplySettings(const QByteArray& text, Settings& settings)
{
    SettingsRecord record{settings, {}};
    const QList<QByteArray> lines = text.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype equals = line.indexOf('=');
        if (equals < 0)
            continue;
        const QByteArray key = line.left(equals + 1);
        for (const SettingsKey& known : settingsKeys()) {
            if (key == known.key)
                known.read(record, line.mid(equals + 1));
        }
    }
    settings = record.settings;
    return record.main;
}

QByteArray SettingsText(const Settings& settings, const std::optional<QPoint>& mainTopLeft,
                        const ViewerPlacement& viewer)
{
    SettingsRecord record{settings, {}};
    record.settings.imageViewerTop = viewer.top;
    record.settings.imageViewerLeft = viewer.left;
    record.settings.imageViewerWidth = viewer.width;
    if (mainTopLeft)
        record.main = {mainTopLeft->y(), mainTopLeft->x()};
    QByteArray text;
    for (const SettingsKey& known : settingsKeys()) {
        if (const std::optional<QByteArray> value = known.written(record))
            text += known.key + *value + "\r\n";
    }
    return text;
}

MainWindowPosition ReadSettingsFile(const QString& path, Settings& settings)
{
    QFile file;
    if (!OpenRegularFile(file, path))
        return {};
    return ApplySettings(file.readAll(), settings);
}

Outcome WriteSettingsFile(const QString& path, const QByteArray& text)
{
    return WriteFileReplacing(path, text);
}
