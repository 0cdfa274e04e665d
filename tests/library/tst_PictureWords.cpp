#include "library/PictureWords.h"

#include <QtTest>

// The words of a picture as the viewer takes them: those under a rectangle, and those a Find
// outlines.
class tst_PictureWords : public QObject
{
    Q_OBJECT

private slots:
    void wordsIn_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<bool>("boxesKept"); // else read before boxes were kept
        QTest::addColumn<QString>("words");
        QTest::newRow("the middles of two lines, in reading order")
            << QRect(70, 5, 70, 40) << true << "invoice\nfinished";
        QTest::newRow("a word half inside") << QRect(70, 45, 100, 20) << true << "42.00 €";
        QTest::newRow("a word less than half inside") << QRect(71, 45, 100, 20) << true << "€";
        QTest::newRow("no boxes kept") << QRect(0, 0, 300, 100) << false << "";
    }
    void wordsIn()
    {
        QFETCH(QRect, area);
        QFETCH(bool, boxesKept);
        QFETCH(QString, words);
        // Three lines of words, 12 pixels high, 8 pixels apart.
        PictureWords picture{PictureWords::State::Read,
                             "Quarterly invoice from Harbour\nDeployment finished\nTotal 42.00 €",
                             {QRect(10, 10, 60, 12), QRect(76, 10, 44, 12), QRect(126, 10, 30, 12),
                              QRect(162, 10, 52, 12), QRect(10, 30, 70, 12), QRect(86, 30, 50, 12),
                              QRect(10, 50, 36, 12), QRect(52, 50, 36, 12), QRect(94, 50, 8, 12)}};
        if (!boxesKept)
            picture.boxes.clear();
        QCOMPARE(picture.wordsIn(area), words);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("query"); // as typed into the Find box
        QTest::addColumn<QList<int>>("words");
        QTest::newRow("the beginning of a word, case and accents aside") << "zur" << QList<int>{1};
        QTest::newRow("decomposed accents typed") << "re\u0301sume\u0301" << QList<int>{4};
        QTest::newRow("each word typed") << "caf deploy" << QList<int>{0, 5};
        QTest::newRow("not inside a word") << "port" << QList<int>{};
        QTest::newRow("after punctuation") << "2024" << QList<int>{2};
        QTest::newRow("punctuation typed") << "2024.pd" << QList<int>{2};
        QTest::newRow("the parts of a word typed in their order") << "pdf.2024" << QList<int>{};
    }
    void matching()
    {
        QFETCH(QString, query);
        QFETCH(QList<int>, words);
        const QList<QRect> boxes = {QRect(5, 5, 40, 12),    QRect(50, 5, 50, 12),   QRect(5, 25, 120, 12),
                                    QRect(130, 25, 60, 12), QRect(195, 25, 55, 14), QRect(5, 45, 80, 12)};
        const PictureWords picture{PictureWords::State::Read,
                                   "Café Zürich\nreport-2024.pdf REPORT résumé\nDeployment", boxes};
        QList<QRect> expected;
        for (const int word : words)
            expected.append(boxes.at(word));
        QCOMPARE(picture.matching(query), expected);
    }
};

QTEST_GUILESS_MAIN(tst_PictureWords)
#include "tst_PictureWords.moc"
