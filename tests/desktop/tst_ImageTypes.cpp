#include "desktop/qt/ImageTypes.h"

#include <QTest>

// Which of the types a clipboard offers are fetched, and in which order.
class tst_ImageTypes : public QObject
{
    Q_OBJECT

private slots:
    void readable_data()
    {
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QStringList>("fetched");
        QTest::newRow("PNG first") << QStringList{"image/bmp", "text/plain", "image/png"}
                                   << QStringList{"image/png", "image/bmp"};
        QTest::newRow("aliases of what Qt reads")
            << QStringList{"image/x-bmp", "image/pjpeg", "image/x-portable-pixmap"}
            << QStringList{"image/x-bmp", "image/pjpeg", "image/x-portable-pixmap"};
        QTest::newRow("no reader for it")
            << QStringList{"image/x-made-up", "application/pdf"} << QStringList();
        QTest::newRow("offered twice")
            << QStringList{"image/jpeg", "image/jpeg"} << QStringList{"image/jpeg"};
    }

    void readable()
    {
        QFETCH(QStringList, offered);
        QFETCH(QStringList, fetched);
        QCOMPARE(ReadableImageTypes(offered), fetched);
    }
};

QTEST_GUILESS_MAIN(tst_ImageTypes)
#include "tst_ImageTypes.moc"
