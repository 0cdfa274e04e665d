#include "core/Settings.h"
#include "core/SettingsFile.h"
#include "support/TestLibrary.h"

#include <QFile>
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

// The fields the settings file can touch with a range or a fixed value, as "KEY=value".
QStringList fields(const Settings& s, const MainWindowPosition& main)
{
    const auto num = [](std::optional<int> v) { return v ? QString::number(*v) : QStringLiteral("none"); };
    return QStringList() << "MTOP=" + num(main.top) << "MLEFT=" + num(main.left)
                         << "ITOP=" + num(s.imageViewerTop) << "ILEFT=" + num(s.imageViewerLeft)
                         << "IWIDTH=" + num(s.imageViewerWidth) << "JPEG_QUALITY=" + num(s.jpegQuality)
                         << "DIRMAX=" + num(s.dirMax) << "FILEMAX=" + num(s.fileMax)
                         << "FIRSTCAT=" + s.introCategory << "FIRSTSET=" + s.introImageSet
                         << QStringLiteral("SILENT=") + (s.timeLapseSilent ? "yes" : "no")
                         << "EXT=" + s.captureExtension << "LANGUAGES=" + s.findLanguages
                         << QStringLiteral("TITLE=") + (s.writeWindowTitle ? "yes" : "no");
}

} // namespace

class tst_SettingsFile : public QObject
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

    // Minimised, and with names that would break their line; a JPEG capture format is not written.
    // (Which hotkey lines are written is the options dialog's test.)
    void writtenText()
    {
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
};

QTEST_GUILESS_MAIN(tst_SettingsFile)
#include "tst_SettingsFile.moc"
