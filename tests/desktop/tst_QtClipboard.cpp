#include "ClipboardOwner.h"
#include "desktop/qt/QtClipboard.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <X11/Xlib.h>

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

Q_DECLARE_METATYPE(ClipboardOwner::Sending)

// The X clipboard: each picture read on a connection and thread of the reader's own, whatever
// its owner does, and emptied the way the session needs: without owner on an X11 desktop, and
// owned with nothing on offer under XWayland, where some compositors ignore "no owner".
class tst_QtClipboard : public QObject
{
    Q_OBJECT

    using Sending = ClipboardOwner::Sending;
    const QByteArray m_png = ClipboardOwner::PngLike();

private slots:
    // Every test starts from a clipboard nobody owns, whatever the one before left there.
    void init()
    {
        QGuiApplication::clipboard()->clear();
        QTRY_COMPARE(clipboardOwner(), Window(None));
    }

    void clearing_data()
    {
        QTest::addColumn<QtClipboard::Clearing>("clearing");
        QTest::newRow("X11 desktop") << QtClipboard::Clearing::NoOwner;
        QTest::newRow("XWayland") << QtClipboard::Clearing::OwnsNothing;
    }

    void clearing()
    {
        QFETCH(QtClipboard::Clearing, clearing);
        QtClipboard clipboard(clearing);
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::red);
        for (int round = 0; round < 2; ++round) {
            clipboard.setImage(picture);
            QVERIFY2(clipboard.hasImage(), "the picture could not be put on the clipboard");
            clipboard.clearIfStill(clipboard.changeCount());
            QTRY_VERIFY(!clipboard.hasImage());
            // As in the running program, Qt hears of the clearing, and so of the server's time,
            // before it puts the next picture there.
            QTest::qWait(200);
            QCOMPARE(clipboardOwner() != None, clearing == QtClipboard::Clearing::OwnsNothing);
            // Whoever asks, this program too, is answered at once and offered no picture: well
            // before Qt's five seconds of waiting for an owner that does not answer.
            QElapsedTimer asking;
            asking.start();
            const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
            QVERIFY(asking.elapsed() < 2500);
            QVERIFY(data);
            QVERIFY2(data->formats().filter(QStringLiteral("image/")).isEmpty(),
                     qPrintable(data->formats().join(QLatin1Char(' '))));
        }
    }

    // Whatever the owner does, the picture arrives whole or one failure says why, and a text sent
    // for whatever type is asked never arrives; an owner leaving as its program exits copies
    // nothing new, as a picture it left may still wait to be filed. A program that handed its
    // clipboard over to the clipboard manager's place at exit, which the reader holds while no
    // manager runs, is answered only once its picture has been read, so the picture is not gone
    // with the program. The next owner's picture, read whole meanwhile, waits for it, also when
    // another owner comes: they arrive in copy order. The reader answers the window's thread at
    // once all the while.
    void transfers_data()
    {
        QTest::addColumn<Sending>("sending");
        QTest::addColumn<QString>("failure");
        const QString stopped = "The program that offered the picture on the clipboard stopped sending it.";
        QTest::newRow("whole") << Sending::Whole << QString();
        QTest::newRow("never sends") << Sending::Never << stopped;
        QTest::newRow("stops midway") << Sending::Stops << stopped;
        QTest::newRow("sends without end")
            << Sending::Endless << "The picture on the clipboard is larger than 1 MB.";
    }

    void transfers()
    {
        QFETCH(Sending, sending);
        QFETCH(QString, failure);
        QtClipboard clipboard(QtClipboard::Clearing::NoOwner, {std::chrono::seconds(3), 1 << 20});
        QList<ClipboardPicture> arrived;
        connect(&clipboard, &Clipboard::arrived, this,
                [&arrived](const ClipboardPicture& picture) { arrived.append(picture); });
        const quint64 before = clipboard.changeCount();
        {
            ClipboardOwner text(Sending::TextForAnyType, "some words");
            QTRY_COMPARE(text.answered(), 2); // the PNG guessed, then the types
            QTRY_COMPARE(clipboard.changeCount(), before + 1);
        }
        QTRY_COMPARE(clipboard.changeCount(), before + 2);
        QCOMPARE(clipboard.contentChange(), before + 1);
        ClipboardOwner owner(sending, m_png, true);
        QTRY_VERIFY(clipboard.hasImage());
        const quint64 owners = clipboard.changeCount();
        QCOMPARE(clipboard.contentChange(), owners);
        ClipboardOwner next(Sending::Whole);
        QTRY_VERIFY(next.answered() > 0);
        // The window's own picture goes on the clipboard at once, while the owner before keeps
        // its transfer waiting: well before that transfer's deadline could pass.
        QImage own(4, 3, QImage::Format_RGB32);
        own.fill(Qt::green);
        QElapsedTimer putting;
        putting.start();
        clipboard.setImage(own);
        QVERIFY2(putting.elapsed() < 1500, qPrintable(QString::number(putting.elapsed())));
        QCOMPARE(clipboard.changeCount(), owners + 2);
        QTRY_COMPARE_WITH_TIMEOUT(arrived.size(), 3, 15000);
        const auto ownPicture = [&](const ClipboardPicture& picture) { return picture.image == own; };
        QCOMPARE(arrived.removeIf(ownPicture), qsizetype(1));
        QCOMPARE(arrived[0].change, owners);
        QCOMPARE(arrived[0].failure, failure);
        QCOMPARE(arrived[0].bytes, failure.isEmpty() ? m_png : QByteArray());
        QCOMPARE(arrived[1].change, owners + 1);
        QCOMPARE(arrived[1].bytes, m_png);
        QTRY_COMPARE(owner.handOver(), failure.isEmpty() ? ClipboardOwner::HandOver::DoneAfterSending
                                                         : ClipboardOwner::HandOver::DoneBeforeSending);
    }
};

QTEST_MAIN(tst_QtClipboard)
#include "tst_QtClipboard.moc"
