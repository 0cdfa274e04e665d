#include "support/TestLibrary.h"
#include "ui/main/ImageInfo.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

class tst_ImageInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void dateText_data()
    {
        QTest::addColumn<QDateTime>("modified");
        QTest::addColumn<QString>("expected");
        QTest::newRow("afternoon") << QDateTime(QDate(2004, 4, 17), QTime(15, 2, 7))
                                   << "Saturday, April 17, 2004, 03:02:07 PM";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 1, 1), QTime(0, 0, 9))
                                  << "Thursday, January 1, 2026, 12:00:09 AM";
        QTest::newRow("noon") << QDateTime(QDate(2026, 12, 6), QTime(12, 30, 0))
                              << "Sunday, December 6, 2026, 12:30:00 PM";
    }
    void dateText()
    {
        QFETCH(QDateTime, modified);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("shot.jpg");
        TestLibrary::makeFile(path);
        TestLibrary::setModified(path, modified);
        QCOMPARE(FileDateText(path), expected);
    }

    void infoLine_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("size");
        QTest::newRow("empty") << 0 << "  (0KB)";
        QTest::newRow("just under a kilobyte") << 1023 << "  (0KB)";
        QTest::newRow("one kilobyte") << 1024 << "  (1KB)";
        QTest::newRow("240 kilobytes") << 245760 << "  (240KB)";
    }
    void infoLine()
    {
        QFETCH(int, bytes);
        QFETCH(QString, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("shot.bmp");
        TestLibrary::makeFile(path, QByteArray(bytes, 'x'));
        TestLibrary::setModified(path, QDateTime(QDate(2004, 4, 17), QTime(15, 2, 7)));
        QCOMPARE(ImageInfoLine(path), "Saturday, April 17, 2004, 03:02:07 PM" + size);
    }

    void missingFileHasNoInfo()
    {
        QTemporaryDir dir;
        QCOMPARE(ImageInfoLine(dir.filePath("gone.jpg")), QString());
        QCOMPARE(FileDateText(dir.filePath("gone.jpg")), QString());
    }
};

QTEST_GUILESS_MAIN(tst_ImageInfo)
#include "tst_ImageInfo.moc"
