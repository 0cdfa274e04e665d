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

    void infoLine_data()
    {
        QTest::addColumn<QDateTime>("modified");
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("afternoon, empty") << QDateTime(QDate(2004, 4, 17), QTime(15, 2, 7)) << 0
                                          << "Saturday, April 17, 2004, 03:02:07 PM  (0KB)";
        QTest::newRow("midnight, just under a kilobyte")
            << QDateTime(QDate(2026, 1, 1), QTime(0, 0, 9)) << 1023
            << "Thursday, January 1, 2026, 12:00:09 AM  (0KB)";
        QTest::newRow("noon, one kilobyte") << QDateTime(QDate(2026, 12, 6), QTime(12, 30, 0)) << 1024
                                            << "Sunday, December 6, 2026, 12:30:00 PM  (1KB)";
        QTest::newRow("240 kilobytes") << QDateTime(QDate(2004, 4, 17), QTime(15, 2, 7)) << 245760
                                       << "Saturday, April 17, 2004, 03:02:07 PM  (240KB)";
    }
    void infoLine()
    {
        QFETCH(QDateTime, modified);
        QFETCH(int, bytes);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("shot.jpg");
        TestLibrary::makeFile(path, QByteArray(bytes, 'x'));
        TestLibrary::setModified(path, modified);
        QCOMPARE(ImageInfoLine(path), expected);
        QCOMPARE(FileDateText(path), expected.section("  (", 0, 0));
        QVERIFY(QFile::remove(path));
        QCOMPARE(ImageInfoLine(path) + FileDateText(path), QString());
    }
};

QTEST_GUILESS_MAIN(tst_ImageInfo)
#include "tst_ImageInfo.moc"
