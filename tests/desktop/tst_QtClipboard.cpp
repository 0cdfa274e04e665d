#include "desktop/qt/QtClipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <X11/Xlib.h>
#include <optional>

Q_DECLARE_METATYPE(QtClipboard::Clearing)

namespace {

// The owner of the CLIPBOARD selection as another X client sees it.
Window clipboardOwner()
{
    Display* display = XOpenDisplay(nullptr);
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False));
    XCloseDisplay(display);
    return owner;
}

} // namespace

// The X clipboard, emptied the way the session needs: without owner on an X11 desktop, and
// owned with nothing on offer under XWayland, where some compositors ignore "no owner".
class tst_QtClipboard : public QObject
{
    Q_OBJECT

private slots:
    void clearing_data()
    {
        QTest::addColumn<QtClipboard::Clearing>("clearing");
        QTest::addColumn<bool>("owned");
        QTest::newRow("X11 desktop") << QtClipboard::Clearing::NoOwner << false;
        QTest::newRow("XWayland") << QtClipboard::Clearing::OwnsNothing << true;
    }

    void clearing()
    {
        QFETCH(QtClipboard::Clearing, clearing);
        QFETCH(bool, owned);
        QtClipboard clipboard(clearing);
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int round = 0; round < 2; ++round) {
            clipboard.setImage(picture);
            QVERIFY2(clipboard.hasImage(), "the picture could not be put on the clipboard");
            if (round == 0)
                clipboard.clearIfStill(clipboard.changeCount());
            else
                clipboard.clear();
            QTRY_VERIFY(!clipboard.hasImage());
            // As in the running program, Qt hears of the clearing, and so of the server's time,
            // before it puts the next picture there.
            QTest::qWait(200);
            QCOMPARE(clipboardOwner() != None, owned);
            // Whoever asks, this program too, is answered at once and offered no picture.
            QElapsedTimer asking;
            asking.start();
            const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
            QVERIFY(asking.elapsed() < 1000);
            QVERIFY(data);
            QVERIFY(!data->hasImage());
            QVERIFY2(data->formats().filter(QStringLiteral("image/")).isEmpty(),
                     qPrintable(data->formats().join(QLatin1Char(' '))));
            std::optional<ClipboardPicture> fetched;
            connect(&clipboard, &Clipboard::fetched, this,
                    [&](const ClipboardPicture& sent) { fetched = sent; });
            clipboard.fetch(clipboard.changeCount());
            QTRY_VERIFY(fetched);
            QVERIFY(fetched->isNull());
        }
    }
};

QTEST_MAIN(tst_QtClipboard)
#include "tst_QtClipboard.moc"
