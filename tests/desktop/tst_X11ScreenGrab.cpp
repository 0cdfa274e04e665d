#include "desktop/x11/X11ScreenGrab.h"

#include <QTest>

class tst_X11ScreenGrab : public QObject
{
    Q_OBJECT

private slots:
    void visiblePart_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("visible");
        QTest::newRow("inside") << QRect(10, 20, 300, 200) << QRect(0, 0, 300, 200);
        QTest::newRow("maximised beyond the edges") << QRect(-4, -4, 1288, 808) << QRect(4, 4, 1280, 800);
        QTest::newRow("wholly off screen") << QRect(1300, 10, 100, 100) << QRect();
    }

    void visiblePart()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, visible);
        QCOMPARE(VisiblePart(window, QSize(1280, 800)), visible);
    }
};

QTEST_GUILESS_MAIN(tst_X11ScreenGrab)
#include "tst_X11ScreenGrab.moc"
