#include "support/FakeClipboardDevice.h"

#include <QMimeData>
#include <QtTest>

using Sent = FakeClipboardDevice::Sent;

namespace {

// A picture as it arrived: "change/follows kept caught: bytes", the bytes counted when many.
QString described(const ClipboardPicture& picture)
{
    const QString content = !picture.failure.isEmpty()  ? "failed: " + picture.failure
                            : picture.bytes.size() > 16 ? QString::number(picture.bytes.size()) + " bytes"
                                                        : QString::fromLatin1(picture.bytes);
    return QStringLiteral("%1/%2 kept %3: %4")
        .arg(picture.change)
        .arg(picture.follows)
        .arg(picture.caught)
        .arg(content);
}

} // namespace

// The clipboard of a Wayland desktop over its data-control connection, here a fake compositor
// with other programs' copies, sent through real pipes. (The compositor itself: the end-to-end
// Wayland clipboard test.)
class tst_WaylandClipboard : public QObject
{
    Q_OBJECT

    FakeClipboardDevice* m_device = nullptr;
    std::unique_ptr<WaylandClipboard> m_clipboard;
    QStringList m_arrived;

private slots:
    void init()
    {
        auto device = std::make_unique<FakeClipboardDevice>();
        m_device = device.get();
        m_clipboard = std::make_unique<WaylandClipboard>(std::move(device),
                                                         TransferLimits{std::chrono::milliseconds(2000)});
        m_clipboard->catchWith({[] { return quint64(0); }, [](const ClipboardPicture& picture,
                                                              quint64) { return picture.change * 10; }});
        m_arrived.clear();
        connect(m_clipboard.get(), &Clipboard::arrived, this,
                [this](const ClipboardPicture& picture) { m_arrived.append(described(picture)); });
        QCoreApplication::processEvents(); // the empty clipboard at start is looked at
    }

    void cleanup() { m_clipboard.reset(); }

    void reading_data()
    {
        QTest::addColumn<QList<Sent>>("first");  // another program's copy
        QTest::addColumn<QList<Sent>>("second"); // the next copy
        QTest::addColumn<QString>("when");       // the second came: "before" the first was looked at,
                                                 // "while" it was read, or "after" it arrived
        QTest::addColumn<QStringList>("arrived");
        const QList<Sent> next{{"image/png", "next"}};
        // What a Wayland program offers for text.
        const QByteArray words = "words";
        QTest::newRow("no image types") << QList<Sent>{{"text/plain;charset=utf-8", words},
                                                       {"text/plain", words},
                                                       {"TEXT", words},
                                                       {"STRING", words},
                                                       {"UTF8_STRING", words}}
                                        << next << "while" << QStringList{"2/1 kept 20: next"};
        QTest::newRow("a picture read whole")
            << QList<Sent>{{"image/png", QByteArray(1 << 20, 'p')}} << next << "while"
            << QStringList{"1/0 kept 10: 1048576 bytes", "2/1 kept 20: next"};
        QTest::newRow("a type that sends nothing gives way to the next")
            << QList<Sent>{{"image/png", ""}, {"image/bmp", "bitmap"}} << next << "after"
            << QStringList{"1/0 kept 10: bitmap", "2/1 kept 20: next"};
        QTest::newRow("a program that never answers")
            << QList<Sent>{{"image/png", std::nullopt}} << next << "while"
            << QStringList{
                   "1/0 kept 0: failed: The program that offered the picture on the clipboard stopped "
                   "sending it.",
                   "2/1 kept 20: next"};
        QTest::newRow("replaced before it is looked at")
            << QList<Sent>{{"image/png", "first"}} << next << "before" << QStringList{"2/1 kept 20: next"};
        QTest::newRow("replaced while a type sent nothing")
            << QList<Sent>{{"image/png", ""}, {"image/bmp", "bitmap"}}
            << QList<Sent>{{"image/png", "next"}, {"image/bmp", "next bitmap"}} << "while"
            << QStringList{"2/1 kept 20: next"};
    }

    // Each change's picture arrives once, whole, in the first type that brings anything, with
    // its number and what the catcher kept; a program that never answers costs a failure of its
    // own copy, and the copy after it is read. A change replaced before its picture was asked
    // for never arrives, and nothing is asked of the next owner in its name.
    void reading()
    {
        QFETCH(QList<Sent>, first);
        QFETCH(QList<Sent>, second);
        QFETCH(QString, when);
        QFETCH(QStringList, arrived);

        m_device->copy(first);
        if (when == "while")
            QCoreApplication::processEvents();
        else if (when == "after")
            QTRY_VERIFY(!m_arrived.isEmpty());
        m_device->copy(second);
        QTRY_VERIFY(m_arrived.size() >= arrived.size());
        // A copy after them all, so that one arriving twice is seen before it.
        m_device->copy({{"image/png", "last"}});
        QTRY_VERIFY(m_arrived.last().endsWith(": last"));
        m_arrived.removeLast();
        QCOMPARE(m_arrived, arrived);
    }

    // The program's own copy is never read back, and its clearing empties the clipboard only
    // while it is still there, also when another program's copy is still unread on the
    // connection.
    void ownCopyAndClearing()
    {
        auto* copy = new QMimeData;
        copy->setData("image/png", "ours");
        const quint64 ours = m_clipboard->offer(copy);
        QCOMPARE(ours, m_clipboard->changeCount());
        QCOMPARE(m_device->own()->data("image/png"), "ours");
        m_clipboard->clearIfStill(ours);
        QVERIFY(!m_device->own());
        QCOMPARE(m_clipboard->changeCount(), ours + 1);

        copy = new QMimeData;
        copy->setData("image/png", "ours again");
        const quint64 again = m_clipboard->offer(copy);
        m_device->copy({{"image/png", "theirs"}}, true);
        m_clipboard->clearIfStill(again);
        QCOMPARE(m_device->foreignTypes(), QStringList{"image/png"});
        // A copy after it, so that one arriving twice is seen before it.
        QTRY_VERIFY(!m_arrived.isEmpty());
        m_device->copy({{"image/png", "last"}});
        QTRY_COMPARE(m_arrived, (QStringList{"4/3 kept 40: theirs", "5/4 kept 50: last"}));
    }
};

QTEST_MAIN(tst_WaylandClipboard)
#include "tst_WaylandClipboard.moc"
