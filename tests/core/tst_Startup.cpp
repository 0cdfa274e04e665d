#include "core/Autostart.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"
#include "core/Startup.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Set apart from zero where a key could wrongly reset a field.
Settings startState()
{
    Settings state;
    state.imageViewerTop = 11;
    state.imageViewerLeft = 12;
    state.introCategory = QStringLiteral("Old");
    state.introImageSet = QStringLiteral("OldSet");
    return state;
}

// Every field the settings file can touch, as "KEY=value".
QStringList fields(const Settings& s, const MainWindowPosition& main)
{
    const auto num = [](std::optional<int> v) { return v ? QString::number(*v) : QStringLiteral("none"); };
    const auto yes = [](bool v) { return QString::fromLatin1(v ? "yes" : "no"); };
    return QStringList() << "MTOP=" + num(main.top) << "MLEFT=" + num(main.left)
                         << "ITOP=" + num(s.imageViewerTop) << "ILEFT=" + num(s.imageViewerLeft)
                         << "IWIDTH=" + num(s.imageViewerWidth) << "JPEG_QUALITY=" + num(s.jpegQuality)
                         << "HK=" + num(s.activeWindowHotkey) << "HKCS=" + num(s.activeWindowModifiers)
                         << "TLHK=" + num(s.timeLapseHotkey) << "TLHKCS=" + num(s.timeLapseModifiers)
                         << "SECS=" + num(s.timeLapseSeconds) << "DIRMAX=" + num(s.dirMax)
                         << "FILEMAX=" + num(s.fileMax) << "FIRSTCAT=" + s.introCategory
                         << "FIRSTSET=" + s.introImageSet << "SILENT=" + yes(s.timeLapseSilent)
                         << "EXT=" + s.captureExtension << "LANGUAGES=" + s.findLanguages
                         << "READ=" + yes(s.readWords) << "UNREAD=" + s.unreadPrograms.join('|')
                         << "TITLE=" + yes(s.writeWindowTitle) << "NOTIFY=" + yes(s.notifyCaptures);
}

} // namespace

// What a start reads and writes: the settings file, the folders of the settings and the library,
// and the autostart entry.
class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void applySettings_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("changed"); // the fields that differ afterwards

        QTest::newRow("positions pulled back")
            << QByteArray("MTOP=-71\r\nMLEFT=-5000\r\nITOP=-100\r\nILEFT=-2147483648\r\n")
            << "MTOP=-60 MLEFT=-60 ITOP=-60 ILEFT=-60";
        QTest::newRow("accepted, later line wins")
            << QByteArray(
                   "MTOP=-70\r\nMLEFT=5\r\nMLEFT=1234\r\nITOP=0\r\nIWIDTH=2147483647\r\nJPEG_QUALITY=100\r\n"
                   "IMAGEFORMAT=PNG\r\nFIND_LANGUAGES=eng+chi_sim\r\n")
            << "MTOP=-70 MLEFT=1234 ITOP=0 IWIDTH=2147483647 JPEG_QUALITY=100 EXT=.png LANGUAGES=eng+chi_sim";
        QTest::newRow("out of range skipped, names, LF lines")
            << QByteArray("IWIDTH=1\nIWIDTH=0\nJPEG_QUALITY=1\nJPEG_QUALITY=0\nJPEG_QUALITY=101\nDIRMAX=700\n"
                          "DIRMAX=500\nFILEMAX=7000\nFILEMAX=5000\nFIRSTCAT=\nFIRSTSET=a=K\xc3\xb6ln\n")
            << QStringLiteral("IWIDTH=1 JPEG_QUALITY=1 DIRMAX=700 FILEMAX=7000 FIRSTCAT= FIRSTSET=a=Köln");
        QTest::newRow("not 32-bit numbers, inexact keys and values skipped")
            << QByteArray(
                   "ITOP=abc\r\nITOP=\r\nITOP=12x\r\nITOP= 5\r\nITOP=2147483648\r\nILEFT=-2147483649\r\n"
                   "iwidth=100\r\nIWIDTH100\r\nFIRSTCAT\r\nITOPX=5\r\nimageformat=BMP\r\n"
                   "IMAGEFORMAT=bmp\r\nIMAGEFORMAT=png\r\nTIMELAPSE_SILENT=yes\r\nIWIDTH=77\r\n"
                   "FIND_LANGUAGES=../"
                   "eng\r\nFIND_LANGUAGES=\r\nFIND_LANGUAGES=eng+\r\nWINDOW_TITLE_IN_FILE=yes\r\n")
            << "IWIDTH=77";
        QTest::newRow("a hotkey and an interval below 1 are none")
            << QByteArray(
                   "ACTIVEWINDOW_HK=44\r\nACTIVEWINDOW_HK=-3\r\nTIMELAPSE_SECS=30\r\nTIMELAPSE_SECS=-1\r\n")
            << "";
    }

    void applySettings()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, changed);

        const QStringList before = fields(startState(), {});
        Settings state = startState();
        QStringList after = fields(state, ApplySettings(text, state));
        after.removeIf([&before](const QString& entry) { return before.contains(entry); });
        QCOMPARE(after.join(' '), changed);
    }

    // What a new user starts with; written, every key of a start value is left out but the
    // places and names, also when minimised and with names that would break their line. (Which
    // hotkey lines are written is the options dialog's test.)
    void newUser()
    {
        QCOMPARE(
            fields(Settings(), {}).join(' '),
            "MTOP=none MLEFT=none ITOP=0 ILEFT=0 IWIDTH=0 JPEG_QUALITY=90 HK=0 HKCS=0 TLHK=0 TLHKCS=0 "
            "SECS=0 DIRMAX=500 FILEMAX=5000 FIRSTCAT= FIRSTSET= SILENT=no EXT=.jpg LANGUAGES=eng READ=yes "
            "UNREAD= TITLE=no NOTIFY=yes");
        Settings state = startState();
        state.introCategory = QStringLiteral("A\rDIRMAX=9000");
        state.introImageSet = QStringLiteral("B\nFILEMAX=9000");
        QCOMPARE(SettingsText(state, std::nullopt, {300, 400, 5000}),
                 "ITOP=300\r\nILEFT=400\r\nIWIDTH=5000\r\nFIRSTCAT=\r\nFIRSTSET=\r\n");
    }

    // Read and written back byte for byte. (A write that fails midway leaves what was there and no
    // temporary: the main window's full-disk test; a settings file that is a link: the end-to-end
    // session test.)
    void fileRoundTripAndFailure()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Vistrelle.ini");
        const QByteArray original(
            "MTOP=100\r\nMLEFT=-70\r\nITOP=200\r\nILEFT=300\r\nIWIDTH=6000\r\n"
            "FIRSTCAT=Urlaub\r\nFIRSTSET=Sommer \xc3\xa4 \xe9t\xe9\r\nJPEG_QUALITY=89\r\n"
            "ACTIVEWINDOW_HK=44\r\nACTIVEWINDOW_HKCS=3\r\nTIMELAPSE_HK=45\r\n"
            "TIMELAPSE_HKCS=6\r\nTIMELAPSE_SECS=30\r\nTIMELAPSE_SILENT=YES\r\n"
            "IMAGEFORMAT=BMP\r\nDIRMAX=501\r\nFILEMAX=5001\r\nFIND_LANGUAGES=deu+eng\r\n"
            "FIND_READ=NO\r\nFIND_UNREAD_PROGRAMS=KeePassXC,bank-browser\r\nWINDOW_TITLE_IN_FILE=YES\r\n");
        // longer than what replaces it
        QVERIFY(WriteSettingsFile(path, original + QByteArray(100, 'x')).done());

        Settings state = startState();
        const MainWindowPosition main = ReadSettingsFile(path, state);
        QVERIFY(main.top && main.left);
        QVERIFY(WriteSettingsFile(
                    path, SettingsText(state, QPoint(*main.left, *main.top),
                                       {state.imageViewerTop, state.imageViewerLeft, state.imageViewerWidth}))
                    .done());
        // An Image Set named in Latin-1 bytes is written back as those bytes.
        QCOMPARE(TestLibrary::contents(path), original);
    }

    // A folder given from the current folder is the library's in full: the deletes refuse a
    // root that is not. (The folders given otherwise: the end-to-end start-up test.)
    void relativeFolder()
    {
        QCOMPARE(LibraryRootFor("/p/", "Shots").value_or(QString()),
                 QDir::currentPath() + "/Shots/Vistrelles/");
    }

    // A program that is not installed, in a folder it cannot write to, keeps the settings and the
    // library in the user's folders, made for it. (Installed, from its build folder, and with a
    // former library: the end-to-end installed test.)
    void readOnlyProgramFolder()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + QLatin1Char('/');
        const DataFolders folders = DataFoldersFor(
            QStringLiteral("/proc/"), {base + QStringLiteral("pictures"), base + QStringLiteral("config"),
                                       base + QStringLiteral("former")});
        QCOMPARE(folders.settings + QLatin1Char(' ') + folders.libraryParent,
                 base + QStringLiteral("config/ ") + base + QStringLiteral("pictures/"));
        QVERIFY(QFileInfo(folders.settings).isDir() && QFileInfo(folders.libraryParent).isDir());
    }

    // The autostart entry's command as the desktop reads it back: quoted, escaped twice over.
    void autostartEntry_data()
    {
        QTest::addColumn<QString>("row"); // the program | the library | the Exec line, or none for no entry
        QTest::newRow("default library")
            << "/opt/my apps/vistrelle |  | Exec=\"/opt/my apps/vistrelle\" --low-resource";
        QTest::newRow("characters the desktop would read otherwise")
            << "/x/$y\"w\\%v` | /shots | Exec=\"/x/\\\\$y\\\\\"w\\\\\\\\%%v\\\\`\" --low-resource -- "
               "\"/shots\"";
        QTest::newRow("a line break") << "/a\nb/vistrelle |  | ";
    }
    void autostartEntry()
    {
        QFETCH(QString, row);
        const QStringList lines =
            QString::fromUtf8(AutostartEntry(row.section(" | ", 0, 0), row.section(" | ", 1, 1))).split('\n');
        QCOMPARE(lines.filter(QRegularExpression("^Exec=")).value(0), row.section(" | ", 2));
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
