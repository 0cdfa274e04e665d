#include "capture/CaptureHeartbeat.h"
#include "library/LibraryTree.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/main/LiveFolders.h"
#include "ui/viewers/frmImage.h"

#include <QDir>
#include <QSignalSpy>

using namespace TestLibrary;

// What other programs do in the library shown reaches the main window without Refresh. The
// kernel's notices are faked: each test says which folder changed, as the kernel would, and a
// notice reaches the program only for a folder it follows.
class tst_LiveFolders : public QObject
{
    Q_OBJECT

    static QString shown(AppUnderTest& t)
    {
        return t.app.imageViewer().findChild<QWidget*>("imgImageBox")->toolTip();
    }
    static QDateTime old() { return QDateTime::currentDateTime().addSecs(-60); }
    // Tells the program that the entries \a names of \a folder changed: by name, as the kernel's
    // notices do, or (\a named false) as a change of the folder alone, as when notices were lost.
    static bool tell(AppUnderTest& t, bool named, const QString& folder, const QStringList& names)
    {
        return named ? t.fakes.watcher.changeEntries(folder, names) : t.fakes.watcher.change(folder);
    }
    static void noticeKinds()
    {
        QTest::addColumn<bool>("named");
        QTest::newRow("entries named") << true;
        QTest::newRow("folder alone") << false;
    }

private slots:
    // Pictures made, written, renamed and removed by other programs: each a line put in its
    // place, moved or taken out, never a new listing; the line the user chose stays chosen, and
    // only the program's own capture is selected. A hidden temporary is never listed, a picture
    // still being written not before it is whole.
    void picturesComeAndGo_data() { noticeKinds(); }
    void picturesComeAndGo()
    {
        QFETCH(bool, named);
        AppUnderTest t;
        const QString set = t.defaultSet();
        for (const char* name : {"a.png", "c.png", "e.png"})
            setModified(makeImage(set + name), old());
        const QByteArray whole = contents(makeImage(t.programDir() + "whole.png", QSize(64, 64)));
        QVERIFY(t.start());
        t.setCurrentLine(1);
        QCOMPARE(shown(t), "c.png");
        QAbstractItemModel* model = t.list()->model();
        QSignalSpy resets(model, &QAbstractItemModel::modelReset);
        QFile growing(set + "g.png");
        // Each line as it is listed, with the size its file has at that moment.
        QHash<QString, qint64> sizeWhenListed;
        connect(model, &QAbstractItemModel::rowsInserted, this, [&](const QModelIndex&, int row) {
            const QString path = model->index(row, 0).data(ImageSetModel::PathRole).toString();
            sizeWhenListed.insert(FileNameOf(path), QFileInfo(path).size());
            // The writer of g.png finishes once the burst it began in was listed.
            if (FileNameOf(path) == "f.png") {
                growing.write(whole.mid(100));
                growing.close();
            }
        });

        setModified(makeImage(set + "b.png"), old());
        QVERIFY(tell(t, named, set, {"b.png"}));
        QTRY_COMPARE(t.listed(), (QStringList{"a.png", "b.png", "c.png", "e.png"}));
        QCOMPARE(t.selectedRows(), QList<int>{2});
        QCOMPARE(shown(t), "c.png");

        // A sync tool's temporary, hidden, is given its picture's time before it is renamed.
        makeFile(set + ".d.png", whole);
        setModified(set + ".d.png", old());
        setModified(makeImage(set + "f.png"), old());
        QVERIFY(growing.open(QIODevice::WriteOnly));
        growing.write(whole.left(100));
        growing.flush();
        QVERIFY(tell(t, named, set, {".d.png", "f.png", "g.png"}));
        QTRY_VERIFY(sizeWhenListed.contains("f.png"));
        QVERIFY(QFile::rename(set + ".d.png", set + "d.png"));
        QVERIFY(tell(t, named, set, {".d.png", "d.png"}));
        QTRY_COMPARE(t.listed(),
                     (QStringList{"a.png", "b.png", "c.png", "d.png", "e.png", "f.png", "g.png"}));
        QCOMPARE(sizeWhenListed.value("g.png"), whole.size());
        QCOMPARE(sizeWhenListed.value("d.png"), whole.size());
        QCOMPARE(sizeWhenListed.size(), 4);
        QCOMPARE(t.currentLine(), "c.png");

        // Renamed: the line moves; the one chosen stays chosen and shown under its new name. (A
        // line that moves down: the end-to-end live folders test.)
        QVERIFY(QFile::rename(set + "c.png", set + "0c.png"));
        QVERIFY(tell(t, named, set, {"c.png", "0c.png"}));
        QTRY_COMPARE(t.listed().first(), "0c.png");
        QCOMPARE(t.selectedRows(), QList<int>{0});
        QCOMPARE(shown(t), "0c.png");

        // Removed: the line goes, and the viewer shows the next one, selected.
        QVERIFY(QFile::remove(set + "0c.png"));
        QVERIFY(QFile::remove(set + "d.png"));
        QVERIFY(tell(t, named, set, {"0c.png", "d.png"}));
        QTRY_COMPARE(t.listed(), (QStringList{"a.png", "b.png", "e.png", "f.png", "g.png"}));
        QCOMPARE(t.currentLine(), "a.png");
        QCOMPARE(t.selectedRows(), QList<int>{0});
        QCOMPARE(shown(t), "a.png");

        // The program's own capture, followed from the newest picture listed at the start (other
        // programs' pictures are not captures), is listed once and selected,
        // whichever comes first: its own listing or the notices of its file (waited for a while,
        // as on a busy machine).
        t.setCurrentLine(t.listed().indexOf("e.png"));
        for (const int busyMs : {150, 600}) {
            t.worker.afterWrite = [&](const ScreenshotJob&, const ScreenshotResult&) {
                QVERIFY(t.fakes.watcher.change(set));
                QTest::qWait(busyMs);
            };
            const qsizetype lines = t.listed().size();
            t.copy(busyMs == 150 ? Qt::green : Qt::blue);
            t.app.heartbeat().tick();
            QTRY_COMPARE(t.listed().size(), lines + 1);
            QTest::qWait(400);
            QCOMPARE(t.listed().size(), lines + 1);
            QCOMPARE(t.selectedRows(), QList<int>{int(lines)});
        }
        QCOMPARE(resets.count(), 0);
    }

    // Categories, Image Sets and sub-folders of the Image Set made or removed elsewhere join or
    // leave their lists (hidden ones never); the shown ones stay shown. Files arriving one after
    // another, each with its notice, cost one listing. (The Image Set shown removed, told once,
    // and the next one shown: the end-to-end live folders test.)
    void foldersComeAndGo_data() { noticeKinds(); }
    void foldersComeAndGo()
    {
        QFETCH(bool, named);
        AppUnderTest t;
        const QString category = t.root() + "Default Category/", set = t.defaultSet();
        QVERIFY(QDir().mkpath(category + "Other") && QDir().mkpath(set));
        QVERIFY(t.start());
        t.choose("cboImageSetName", "Default Image Set");
        QStringList watched = t.fakes.watcher.watched;
        watched.sort();
        QCOMPARE(watched, (QStringList{t.root(), category, set}));

        QVERIFY(QDir().mkpath(category + "New Set"));
        QVERIFY(tell(t, named, category, {"New Set"}));
        QTRY_COMPARE(t.items("cboImageSetName"), (QStringList{"Default Image Set", "New Set", "Other"}));
        QVERIFY(QDir().mkpath(t.root() + "Another"));
        QVERIFY(tell(t, named, t.root(), {"Another"}));
        QTRY_COMPARE(t.items("cboImageSetCategory"), (QStringList{"Another", "Default Category"}));
        QVERIFY(QDir().rmdir(category + "Other"));
        QVERIFY(tell(t, named, category, {"Other"}));
        QTRY_COMPARE(t.items("cboImageSetName"), (QStringList{"Default Image Set", "New Set"}));
        QCOMPARE(t.shownSet(), "Default Category/Default Image Set");

        // A sync tool's hidden folders are neither listed nor followed.
        setModified(makeImage(set + ".stversions/v.png"), old());
        QVERIFY(QDir().mkpath(set + "sub"));
        setModified(makeImage(set + "sub/s.png"), old());
        QVERIFY(tell(t, named, set, {".stversions", "sub"}));
        QTRY_COMPARE(t.listed(), QStringList{"s.png"});
        QVERIFY(!t.fakes.watcher.watched.contains(set + ".stversions/"));
        setModified(makeImage(set + "sub/t.png"), old());
        QVERIFY(tell(t, named, set + "sub/", {"t.png"}));
        QTRY_COMPARE(t.listed(), (QStringList{"s.png", "t.png"}));

        // 1,000 lines come in one change.
        QSignalSpy changes(t.main().findChild<LiveFolders*>(), &LiveFolders::picturesChanged);
        for (int n = 0; n < 1000; ++n) {
            const QString file = set + QString("p%1.jpg").arg(n, 4, 10, QChar('0'));
            makeFile(file);
            setModified(file, old());
            QVERIFY(tell(t, named, set, {FileNameOf(file)}));
        }
        QTRY_COMPARE(t.listed().size(), 1002);
        QCOMPARE(changes.count(), 1);
    }
};

QTEST_MAIN(tst_LiveFolders)
#include "tst_LiveFolders.moc"
