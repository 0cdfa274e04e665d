#include "library/DisplayOrder.h"

#include <QtTest>

class tst_DisplayOrder : public QObject
{
    Q_OBJECT

private slots:
    void ascending_data()
    {
        QTest::addColumn<QStringList>("ascending");

        QTest::newRow("punctuation, digits, letters")
            << QStringList{"(b).jpg", "_a", "{", "~", "0a", "1.jpg", "a.jpg", "Z"};
        // Names that differ only in case still get one fixed order.
        QTest::newRow("ignoring case, shorter first") << QStringList{
            "", "A.jpg", "a.jpg", "apple", "Banana", "bANANAS", "Image_1.jpg", "Image_1_2.jpg", "Zebra"};
    }

    void ascending()
    {
        QFETCH(QStringList, ascending);
        for (qsizetype i = 1; i < ascending.size(); ++i) {
            const QString& a = ascending.at(i - 1);
            const QString& b = ascending.at(i);
            QVERIFY2(CompareDisplayOrder(a, b) < 0 && CompareDisplayOrder(b, a) > 0,
                     qPrintable(a + " < " + b));
        }
        QStringList reversed(ascending.crbegin(), ascending.crend());
        SortForDisplay(reversed);
        QCOMPARE(reversed, ascending);
    }
};

QTEST_GUILESS_MAIN(tst_DisplayOrder)
#include "tst_DisplayOrder.moc"
