#include "support/TestLibrary.h"

#include <QImage>
#include <QSet>
#include <QtEndian>
#include <QtTest>

// The files the build puts beside the executable, read as a player, a desktop and a browser would:
// three distinct, whole RIFF/WAVE sounds, the icon, the help page the Help button opens.
class tst_Assets : public QObject
{
    Q_OBJECT

private slots:
    void filesBesideTheProgram()
    {
        const auto read = [](const char* name) {
            return TestLibrary::contents(PROGRAM_DIR "/" + QString(name));
        };
        QSet<QByteArray> distinct;
        for (const char* name : {"Vistrelle.wav", "VistrelleOn.wav", "VistrelleOff.wav"}) {
            const QByteArray w = read(name);
            const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(w.constData() + at); };
            QVERIFY2(w.size() > 44 && w.startsWith("RIFF") && w.mid(8, 8) == "WAVEfmt " &&
                         w.mid(36, 4) == "data" && u32(4) == quint32(w.size() - 8) &&
                         u32(40) == quint32(w.size() - 44),
                     name);
            distinct.insert(w);
        }
        QCOMPARE(distinct.size(), 3);
        QCOMPARE(QImage::fromData(read("vistrelle-256.png")).size(), QSize(256, 256));
    }
};

QTEST_GUILESS_MAIN(tst_Assets)
#include "tst_Assets.moc"
