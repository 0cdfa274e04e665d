#include "SettingsFile.h"

#include "AppState.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <functional>
#include <utility>
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

// One key of the settings file, the one home of its setting: reset puts the setting at its
// default, read takes a value in, written gives its text, or nothing when the line is left out
// (the default, or a value that needs another line). Each function below takes a row's default
// once and makes both reset and written from it, so the two cannot disagree.
struct SettingsKey
{
    const char* key;
    std::function<void(Settings&)> reset; // empty for the main window's place, which has none
    std::function<void(SettingsRecord&, const QByteArray&)> read;
    std::function<std::optional<QByteArray>(const SettingsRecord&)> written;
};

int unchanged(int n)
{
    return n;
}

bool any(int)
{
    return true;
}

// A hotkey code or time-lapse interval below 1, as a file may give, is none.
int noneBelowOne(int n)
{
    return std::max(n, 0);
}

// A 32-bit number kept in \a member, as \a kept makes it, when \a accepts it; written when it is
// accepted and not \a fallback.
SettingsKey numberKey(const char* key, int Settings::*member, int fallback, bool (*accepts)(int),
                      int (*kept)(int) = unchanged)
{
    return {key, [member, fallback](Settings& settings) { settings.*member = fallback; },
            [member, accepts, kept](SettingsRecord& record, const QByteArray& value) {
                if (const std::optional<int> n = parseInt32(value); n && accepts(*n))
                    record.settings.*member = kept(*n);
            },
            [member, fallback, accepts](const SettingsRecord& record) -> std::optional<QByteArray> {
                const int n = record.settings.*member;
                if (n == fallback || !accepts(n))
                    return std::nullopt;
                return QByteArray::number(n);
            }};
}

// A place of the image viewer: 0 at first, always written.
SettingsKey placeKey(const char* key, int Settings::*member, bool (*accepts)(int), int (*kept)(int))
{
    SettingsKey place = numberKey(key, member, 0, accepts, kept);
    place.written = [member](const SettingsRecord& record) -> std::optional<QByteArray> {
        return QByteArray::number(record.settings.*member);
    };
    return place;
}

// A hotkey's modifiers: none at first, written with the hotkey \a hotkey whatever they are.
SettingsKey modifiersKey(const char* key, int Settings::*member, int Settings::*hotkey)
{
    SettingsKey modifiers = numberKey(key, member, 0, any);
    modifiers.written = [member, hotkey](const SettingsRecord& record) -> std::optional<QByteArray> {
        if (record.settings.*hotkey <= 0)
            return std::nullopt;
        return QByteArray::number(record.settings.*member);
    };
    return modifiers;
}

// A switch: the one word the file knows ("NO" for one that starts on, "YES" for one that starts
// off) turns it from \a fallback; nothing else changes it.
SettingsKey switchKey(const char* key, bool Settings::*member, bool fallback)
{
    const QByteArray word = fallback ? QByteArrayLiteral("NO") : QByteArrayLiteral("YES");
    return {key, [member, fallback](Settings& settings) { settings.*member = fallback; },
            [member, fallback, word](SettingsRecord& record, const QByteArray& value) {
                if (value == word)
                    record.settings.*member = !fallback;
            },
            [member, fallback, word](const SettingsRecord& record) -> std::optional<QByteArray> {
                return record.settings.*member == fallback ? std::nullopt : std::optional<QByteArray>(word);
            }};
}

// A name of the library's: empty at first, always written.
SettingsKey nameKey(const char* key, QString Settings::*member)
{
    return {key, [member](Settings& settings) { (settings.*member).clear(); },
            [member](SettingsRecord& record, const QByteArray& value) {
                record.settings.*member = PathFromNative(value);
            },
            [member](const SettingsRecord& record) -> std::optional<QByteArray> {
                return lineSafe(record.settings.*member);
            }};
}

// A text of plain letters kept when \a accepts it; written when it is accepted and not
// \a fallback.
SettingsKey textKey(const char* key, QString Settings::*member, const QString& fallback,
                    bool (*accepts)(const QString&))
{
    return {key, [member, fallback](Settings& settings) { settings.*member = fallback; },
            [member, accepts](SettingsRecord& record, const QByteArray& value) {
                if (const QString text = QString::fromLatin1(value); accepts(text))
                    record.settings.*member = text;
            },
            [member, fallback, accepts](const SettingsRecord& record) -> std::optional<QByteArray> {
                const QString& text = record.settings.*member;
                if (text == fallback || !accepts(text))
                    return std::nullopt;
                return text.toLatin1();
            }};
}

// Language names as the reader's data files carry them, nothing a file name could not hold.
bool languageNames(const QString& text)
{
    static const QRegularExpression names(QStringLiteral("^[A-Za-z0-9_]+(\\+[A-Za-z0-9_]+)*$"));
    return names.match(text).hasMatch();
}

// One of a few values, each with its word in the file (\a choices: value, word); the words of
// all but \a fallback turn the setting from it, and only those are written.
SettingsKey choiceKey(const char* key, QString Settings::*member, const QString& fallback,
                      const QList<std::pair<QString, QByteArray>>& choices)
{
    return {key, [member, fallback](Settings& settings) { settings.*member = fallback; },
            [member, fallback, choices](SettingsRecord& record, const QByteArray& value) {
                for (const auto& [choice, word] : choices) {
                    if (value == word && choice != fallback)
                        record.settings.*member = choice;
                }
            },
            [member, fallback, choices](const SettingsRecord& record) -> std::optional<QByteArray> {
                for (const auto& [choice, word] : choices) {
                    if (record.settings.*member == choice && choice != fallback)
                        return word;
                }
                return std::nullopt;
            }};
}

// A window edge, pulled back when dragged past the screen's edge.
SettingsKey edgeKey(const char* key, std::optional<int> MainWindowPosition::*member)
{
    return {key,
            {},
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

// The keys in the order they are written.
const std::vector<SettingsKey>& settingsKeys()
{
    static const std::vector<SettingsKey> keys{
        edgeKey("MTOP=", &MainWindowPosition::top),
        edgeKey("MLEFT=", &MainWindowPosition::left),
        placeKey("ITOP=", &Settings::imageViewerTop, any, pulledBack),
        placeKey("ILEFT=", &Settings::imageViewerLeft, any, pulledBack),
        placeKey(
            "IWIDTH=", &Settings::imageViewerWidth, [](int n) { return n > 0; }, unchanged),
        nameKey("FIRSTCAT=", &Settings::introCategory),
        nameKey("FIRSTSET=", &Settings::introImageSet),
        numberKey("JPEG_QUALITY=", &Settings::jpegQuality, 90, [](int n) { return n > 0 && n < 101; }),
        numberKey("ACTIVEWINDOW_HK=", &Settings::activeWindowHotkey, 0, any, noneBelowOne),
        modifiersKey("ACTIVEWINDOW_HKCS=", &Settings::activeWindowModifiers, &Settings::activeWindowHotkey),
        numberKey("TIMELAPSE_HK=", &Settings::timeLapseHotkey, 0, any, noneBelowOne),
        modifiersKey("TIMELAPSE_HKCS=", &Settings::timeLapseModifiers, &Settings::timeLapseHotkey),
        numberKey("TIMELAPSE_SECS=", &Settings::timeLapseSeconds, 0, any, noneBelowOne),
        switchKey("TIMELAPSE_SILENT=", &Settings::timeLapseSilent, false),
        choiceKey("IMAGEFORMAT=", &Settings::captureExtension, QStringLiteral(".jpg"),
                  {{QStringLiteral(".jpg"), "JPG"},
                   {QStringLiteral(".bmp"), "BMP"},
                   {QStringLiteral(".png"), "PNG"}}),
        numberKey("DIRMAX=", &Settings::dirMax, 500, [](int n) { return n > 500; }),
        numberKey("FILEMAX=", &Settings::fileMax, 5000, [](int n) { return n > 5000; }),
        textKey("FIND_LANGUAGES=", &Settings::findLanguages, QStringLiteral("eng"), languageNames),
        switchKey("FIND_READ=", &Settings::readWords, true),
        {"FIND_UNREAD_PROGRAMS=", [](Settings& settings) { settings.unreadPrograms.clear(); },
         [](SettingsRecord& record, const QByteArray& value) {
             record.settings.unreadPrograms = ProgramNames(QString::fromUtf8(value));
         },
         [](const SettingsRecord& record) -> std::optional<QByteArray> {
             if (record.settings.unreadPrograms.isEmpty())
                 return std::nullopt;
             return record.settings.unreadPrograms.join(QLatin1Char(',')).toUtf8();
         }},
        switchKey("WINDOW_TITLE_IN_FILE=", &Settings::writeWindowTitle, false),
        switchKey("NOTIFY_CAPTURES=", &Settings::notifyCaptures, true),
    };
    return keys;
}

} // namespace

Settings::Settings()
{
    for (const SettingsKey& row : settingsKeys()) {
        if (row.reset)
            row.reset(*this);
    }
}

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
