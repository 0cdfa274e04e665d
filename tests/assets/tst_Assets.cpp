#include <QDir>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QtTest>

// The files the build puts beside the executable, as the program and the desktop will read them.
class tst_Assets : public QObject
{
    Q_OBJECT

private slots:
    void sounds_data();
    void sounds();
    void soundsDiffer();
    void icons();
    void helpPage();

private:
    QDir m_programDir{QStringLiteral(PROGRAM_DIR)};
};

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <typename T> T at(const QByteArray& bytes, int offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

} // namespace

void tst_Assets::sounds_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("capture") << "Vistrelle.wav";
    QTest::newRow("time-lapse on") << "VistrelleOn.wav";
    QTest::newRow("time-lapse off") << "VistrelleOff.wav";
}

void tst_Assets::sounds()
{
    QFETCH(QString, name);
    const QByteArray wave = contentsOf(m_programDir.filePath(name));
    QVERIFY2(wave.size() > 44, qPrintable(name));
    QCOMPARE(wave.left(4), "RIFF");
    QCOMPARE(at<quint32>(wave, 4), quint32(wave.size() - 8));
    QCOMPARE(wave.mid(8, 8), "WAVEfmt ");
    QCOMPARE(at<quint16>(wave, 20), quint16(1)); // PCM, which every player takes
    const int channels = at<quint16>(wave, 22);
    const int rate = int(at<quint32>(wave, 24));
    const int bits = at<quint16>(wave, 34);
    QCOMPARE(wave.mid(36, 4), "data");
    const int dataBytes = int(at<quint32>(wave, 40));
    QCOMPARE(dataBytes, wave.size() - 44);

    const double seconds = double(dataBytes) / (channels * rate * bits / 8);
    QVERIFY2(seconds > 0.08 && seconds < 0.6, qPrintable(QString::number(seconds)));
    int loudest = 0;
    for (int offset = 44; offset + 1 < wave.size(); offset += 2)
        loudest = std::max(loudest, std::abs(int(at<qint16>(wave, offset))));
    QVERIFY2(loudest > 8000 && loudest < 32767, qPrintable(QString::number(loudest))); // heard, not clipped
}

void tst_Assets::soundsDiffer()
{
    QSet<QByteArray> sounds;
    for (const char* name : {"Vistrelle.wav", "VistrelleOn.wav", "VistrelleOff.wav"})
        sounds.insert(contentsOf(m_programDir.filePath(name)));
    QCOMPARE(sounds.size(), 3);
}

void tst_Assets::icons()
{
    for (int size : {48, 256}) {
        const QImage icon(m_programDir.filePath(QStringLiteral("vistrelle-%1.png").arg(size)));
        QCOMPARE(icon.size(), QSize(size, size));
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);                 // rounded corner
        QCOMPARE(icon.pixelColor(size / 2, size / 2).alpha(), 255); // solid middle
    }
}

void tst_Assets::helpPage()
{
    const QString page = QString::fromUtf8(contentsOf(m_programDir.filePath("Vistrelle.htm")));
    QVERIFY(page.startsWith("<!DOCTYPE html>"));
    QVERIFY(page.trimmed().endsWith("</html>"));
    // Every settings key and every command the user meets is explained.
    for (const char* topic : {"MTOP=",
                              "MLEFT=",
                              "ITOP=",
                              "ILEFT=",
                              "IWIDTH=",
                              "FIRSTCAT=",
                              "FIRSTSET=",
                              "JPEG_QUALITY=",
                              "ACTIVEWINDOW_HK=",
                              "ACTIVEWINDOW_HKCS=",
                              "TIMELAPSE_HK=",
                              "TIMELAPSE_HKCS=",
                              "TIMELAPSE_SECS=",
                              "TIMELAPSE_SILENT=YES",
                              "IMAGEFORMAT=BMP",
                              "DIRMAX=",
                              "FILEMAX=",
                              "xclip -selection clipboard",
                              "Intro Set",
                              "Minimize",
                              "Explore",
                              "Refresh",
                              "Options",
                              "Restore",
                              "Time-lapsed start/stop",
                              "Take active window",
                              "Jpeg quality",
                              "Silent operation",
                              "Vistrelle.wav",
                              "VistrelleOn.wav",
                              "VistrelleOff.wav"})
        QVERIFY2(page.contains(QLatin1String(topic)), topic);
}

QTEST_GUILESS_MAIN(tst_Assets)
#include "tst_Assets.moc"
