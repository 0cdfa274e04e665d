#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QtTest>

// The files the build puts beside the executable, read as a player, a desktop and a browser would.
class tst_Assets : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString& name)
    {
        QFile file(QStringLiteral(PROGRAM_DIR "/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void sounds()
    {
        QSet<QByteArray> distinct;
        for (const char* name : {"Vistrelle.wav", "VistrelleOn.wav", "VistrelleOff.wav"}) {
            const QByteArray w = read(name);
            const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(w.constData() + at); };
            const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(w.constData() + at); };
            QVERIFY2(w.size() > 44 && w.startsWith("RIFF") && w.mid(8, 8) == "WAVEfmt " &&
                         w.mid(36, 4) == "data" && u32(4) == quint32(w.size() - 8) &&
                         u32(40) == quint32(w.size() - 44),
                     name);
            QVERIFY2(u16(20) == 1 && u16(34) == 16, name); // 16-bit PCM, which every player takes
            const double seconds = double(u32(40)) / u32(28);
            int loudest = 0;
            for (int at = 44; at + 1 < w.size(); at += 2)
                loudest = std::max(loudest, std::abs(int(qint16(u16(at)))));
            QVERIFY2(seconds > 0.08 && seconds < 0.6 && loudest > 8000 && loudest < 32767,
                     name); // heard, not clipped
            distinct.insert(w);
        }
        QCOMPARE(distinct.size(), 3);
    }

    void iconAndHelpPage()
    {
        const QImage icon = QImage::fromData(read("vistrelle-256.png"));
        QCOMPARE(icon.size(), QSize(256, 256));
        QCOMPARE(icon.pixelColor(0, 0).alpha(), 0); // rounded corner, no square block on a panel
        QCOMPARE(icon.pixelColor(128, 128).alpha(), 255);

        const QString page = QString::fromUtf8(read("Vistrelle.htm"));
        QVERIFY(page.startsWith("<!DOCTYPE html>") && page.trimmed().endsWith("</html>"));
        for (const QString& topic :
             QString("MTOP=|MLEFT=|ITOP=|ILEFT=|IWIDTH=|FIRSTCAT=|FIRSTSET=|JPEG_QUALITY=|ACTIVEWINDOW_HK=|"
                     "ACTIVEWINDOW_HKCS=|TIMELAPSE_HK=|TIMELAPSE_HKCS=|TIMELAPSE_SECS=|TIMELAPSE_SILENT=YES|"
                     "IMAGEFORMAT=BMP|DIRMAX=|FILEMAX=|xclip -selection clipboard|Intro Set|Minimize|"
                     "Explore|Refresh|Restore|Time-lapsed start/stop|Take active window|Silent operation|"
                     "VistrelleOn.wav")
                 .split('|'))
            QVERIFY2(page.contains(topic), qPrintable(topic));
    }
};

QTEST_GUILESS_MAIN(tst_Assets)
#include "tst_Assets.moc"
