#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "platform/FolderListing.h"
#include "platform/Trash.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestLibrary;

// The file calls that keep pictures: the trash, the checks before opening and deleting, the
// temporaries a kill leaves.
class tst_FileSystem : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_base;

    QString trash() const { return m_base + "data/Trash/"; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_base = m_dir->path() + '/';
        // A trash of the test's own; the home folder beside it, on the same file system.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_base + "data"));
        qputenv("HOME", QFile::encodeName(m_base + "home"));
        makeFolder(m_base + "home");
        makeFile(m_base + "outside/canary.jpg", "canary");
    }

    // Names that are not UTF-8 are beyond QTemporaryDir's removal.
    void cleanup() { removeTree(m_base); }

    void moveToTrash_data()
    {
        QTest::addColumn<QString>("target");     // empty: a file; else a link to it
        QTest::addColumn<QByteArray>("name");    // below lib/
        QTest::addColumn<QByteArray>("kept");    // the name in the trash
        QTest::addColumn<QByteArray>("written"); // the name in the information file
        QTest::newRow("link to nowhere")
            << "nowhere" << QByteArray("my shots") << QByteArray("my shots") << QByteArray("my%20shots");
        // 255 bytes, the most a file system takes: shortened to fit beside ".trashinfo", never
        // in the middle of a letter.
        const QByteArray longest = QString("x" + QString(127, QChar(0xe9))).toUtf8();
        QTest::newRow("255 bytes") << "" << longest << longest.left(199) << longest.toPercentEncoding();
        const QByteArray latin1 = "bad\xe9.jpg";
        QTest::newRow("not UTF-8") << "" << latin1 << latin1 << QByteArray("bad%E9.jpg");
        QTest::newRow("a name already in the trash")
            << "" << QByteArray("a.jpg") << QByteArray("a.jpg.2") << QByteArray("a.jpg");
    }

    // Each goes in one move, as it is, whatever its name, and never replaces what the trash holds;
    // a link goes as the link (what lies behind it is the library's delete tests'). The information
    // file names where it stood, as its bytes, so the file manager puts it back under the name it
    // had. (An item already gone is the library's odd-names test; the trash of a disk or mount
    // of its own, the end-to-end trash test.)
    void moveToTrash()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, kept);
        QFETCH(QByteArray, written);
        makeFile(trash() + "files/a.jpg", "earlier");
        const QString item = m_base + "lib/" + PathFromNative(name);
        if (target.isEmpty()) {
            makeFile(item, "picture");
        } else {
            makeFolder(m_base + "lib");
            QVERIFY(QFile::link(m_base + target, item));
        }
        const QString linkTarget = QFileInfo(item).symLinkTarget();
        const QByteArray bytes = contents(item);

        QVERIFY(MoveToTrash(item).done());

        const QString trashed = trash() + "files/" + PathFromNative(kept);
        QVERIFY(!EntryExists(item));
        QCOMPARE(QFileInfo(trashed).symLinkTarget(), linkTarget);
        QCOMPARE(contents(trashed), bytes);
        QCOMPARE(contents(trash() + "files/a.jpg"), "earlier");
        QCOMPARE(ListFolder(trash() + "files").size(), 2);
        const QString info =
            QString::fromUtf8(contents(trash() + "info/" + PathFromNative(kept) + ".trashinfo"));
        const QString path = QUrl::toPercentEncoding(m_base, "/") + "lib/" + written;
        QVERIFY2(QRegularExpression("^\\[Trash Info\\]\nPath=" + QRegularExpression::escape(path) +
                                    "\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                     .match(info)
                     .hasMatch(),
                 qPrintable(info));
    }

    void mountsOnTheWay_data()
    {
        QTest::addColumn<QString>("table"); // the mount table's lines, T standing for the test's folder
        QTest::addColumn<QString>("trash"); // "home", or the trash folder below the test's folder
        QTest::newRow("a mount over the folder above covers one made below it before")
            << "30 1 0:9 / T/lib rw - ext4 a rw\n40 1 0:9 / T rw - ext4 b rw\n"
            << "home";
        QTest::newRow("a mount made later below it, on it")
            << "40 1 0:9 / T rw - ext4 b rw\n50 40 0:9 / T/lib rw - ext4 a rw\n"
            << "lib/.Trash-";
        QTest::newRow("a mount moved below it, on it though listed before")
            << "50 40 0:9 / T/lib rw - ext4 a rw\n40 1 0:9 / T rw - ext4 b rw\n"
            << "lib/.Trash-";
    }

    // Of the mounts the table lists on the way to the item, one that a later mount covers
    // (mounted over its folder or a folder above it) counts no more: the home trash takes the
    // item only when the mount that shows its folder is the home's. (Real mounts: the
    // end-to-end trash test.)
    void mountsOnTheWay()
    {
        QFETCH(QString, table);
        QFETCH(QString, trash);
        static QByteArray lines;
        lines = table.replace('T', QDir(m_base).canonicalPath()).toUtf8();
        const auto real = ReadMountTable;
        ReadMountTable = [] { return lines; };
        const auto restore = qScopeGuard([real] { ReadMountTable = real; });
        makeFile(m_base + "lib/a.jpg", "picture");

        QVERIFY(MoveToTrash(m_base + "lib/a.jpg").done());

        const QString kept =
            trash == "home" ? this->trash() : m_base + trash + QString::number(::getuid()) + '/';
        QCOMPARE(contents(kept + "files/a.jpg"), "picture");
    }

    void namesAsBytes_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("text"); // as listed; none for a name that is not UTF-8
        QTest::newRow("UTF-8, emoji")
            << QByteArray("K\xc3\xb6ln \xf0\x9f\x93\xb7") << QStringLiteral(u"Köln 📷");
        QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf.jpg") << QChar(0xfeff) + QString(".jpg");
        QTest::newRow("escape's own code as UTF-8") << QByteArray("\xed\xb3\xa9\xe9") << QString();
        QTest::newRow("overlong slash") << QByteArray("a\xc0\xaf") << QString();
        QTest::newRow("cut short at the end") << QByteArray("a\xe2\x82") << QString();
        QTest::newRow("astral letter, then a stray byte") << QByteArray("\xf0\x90\x82\x80\x80") << QString();
    }

    // Each name lists as text that names the same bytes again; valid UTF-8 lists as its text.
    void namesAsBytes()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, text);
        makeFile(m_base + "names/" + PathFromNative(name));
        const QList<FolderEntry> listed = ListFolder(m_base + "names");
        QCOMPARE(listed.size(), 1);
        QCOMPARE(listed.first().kind, FolderEntry::Kind::File);
        QCOMPARE(NativePath(listed.first().name), name);
        if (!text.isNull())
            QCOMPARE(listed.first().name, text);
    }

    // Only a regular file is opened, also through a link. A pipe with no writer would hold open()
    // for ever: the alarm ends a test that waits.
    void openRegularFile()
    {
        makeFile(m_base + "a.jpg", "picture");
        QVERIFY(::mkfifo(QFile::encodeName(m_base + "pipe.jpg").constData(), 0600) == 0);
        for (const auto& [link, target] : {std::pair{"link.jpg", "a.jpg"}, {"f.jpg", "pipe.jpg"}})
            QVERIFY(QFile::link(m_base + target, m_base + link));
        QFile file;
        ::alarm(10);
        QVERIFY(!OpenRegularFile(file, m_base + "f.jpg") && !file.isOpen());
        QVERIFY(!OpenRegularFile(file, m_base + "outside") && !file.isOpen());
        ::alarm(0);
        QVERIFY(OpenRegularFile(file, m_base + "link.jpg"));
        QCOMPARE(file.readAll(), "picture");
    }

    // On a disk without a no-replace rename or hard links (FAT, exFAT, phone and network mounts)
    // a rename, a capture's write and the settling of its temporaries still never replace a file,
    // and a rename that fails leaves nothing in the name it meant to take.
    void withoutNoReplaceRename_data()
    {
        // What goes: file, link, folder, "other disk", written, settled | what stands at the name
        // already: nothing, file, "empty folder"
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("error");
        QTest::newRow("file") << "file | " << 0;
        QTest::newRow("file, name taken") << "file | file" << EEXIST;
        QTest::newRow("link") << "link | " << 0;
        QTest::newRow("folder") << "folder | " << 0;
        QTest::newRow("folder, name taken by an empty folder") << "folder | empty folder" << EEXIST;
        QTest::newRow("from another disk") << "other disk | " << EXDEV;
        QTest::newRow("written") << "written | " << 0;
        QTest::newRow("written, name taken") << "written | file" << EEXIST;
        QTest::newRow("settled, name taken") << "settled | file" << 0;
    }

    void withoutNoReplaceRename()
    {
        QFETCH(QString, row);
        QFETCH(int, error);
        const QString kind = row.section(" | ", 0, 0), taken = row.section(" | ", 1);
        const auto native = TakeNameNatively;
        TakeNameNatively = [](int, const char*, int, const char*) { return EPERM; };
        const auto restore = qScopeGuard([native] { TakeNameNatively = native; });
        const QString to = m_base + "set/a.jpg";
        if (taken == "file")
            makeFile(to, "earlier");
        else if (!taken.isEmpty())
            makeFolder(to);
        makeFolder(m_base + "set");
        const QByteArray jpeg = QByteArray("\xff\xd8", 2) + "picture" + QByteArray("\xff\xd9", 2);
        std::unique_ptr<QTemporaryDir> otherDisk;
        QString from = m_base + "from.jpg";
        Outcome outcome;
        if (kind == "written") {
            outcome = WriteNewFile(to, jpeg);
        } else if (kind == "settled") {
            makeFile(m_base + "set/.a.jpg.0a1b2c3d.part", jpeg);
            QCOMPARE(SettleTemporaries(m_base + "set/", 0), QStringList{m_base + "set/a_2.jpg"});
            QCOMPARE(contents(m_base + "set/a_2.jpg"), jpeg);
        } else {
            if (kind == "other disk") {
                otherDisk = std::make_unique<QTemporaryDir>("/dev/shm/tst_FileSystem-XXXXXX");
                struct stat there = {};
                struct stat here = {};
                if (!otherDisk->isValid() ||
                    ::stat(QFile::encodeName(otherDisk->path()).constData(), &there) != 0 ||
                    ::stat(QFile::encodeName(m_base).constData(), &here) != 0 || there.st_dev == here.st_dev)
                    QSKIP("/dev/shm is no disk of its own here");
                from = otherDisk->path() + "/from.jpg";
            }
            if (kind == "link")
                QVERIFY(QFile::link("nowhere", from));
            else if (kind == "folder")
                makeFile(from + "/inside.jpg", jpeg);
            else
                makeFile(from, jpeg);
            outcome = RenameWithoutReplacing(from, to);
        }
        QCOMPARE(outcome.error, error);
        QCOMPARE(outcome.done(), error == 0);
        if (taken == "file")
            QCOMPARE(contents(to), "earlier");
        else if (!taken.isEmpty())
            QVERIFY(QDir(to).isEmpty());
        else if (error != 0)
            QVERIFY(!EntryExists(to));
        else if (kind == "link")
            QCOMPARE(QFileInfo(to).symLinkTarget(), m_base + "set/nowhere");
        else
            QCOMPARE(contents(kind == "folder" ? to + "/inside.jpg" : to), jpeg);
        QCOMPARE(EntryExists(from), kind != "written" && kind != "settled" && error != 0);
        const QStringList hidden = QDir(m_base + "set").entryList(QDir::Hidden | QDir::Files | QDir::System);
        QVERIFY2(hidden.filter(QRegularExpression("^\\.")).isEmpty(), qPrintable(hidden.join(' ')));
    }

    // What a capture killed in the middle left: a complete picture gets the name it was written
    // for (or the next free one), anything else goes; one still young may be being written.
    void settleTemporaries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("olderThan"); // seconds; the files are new
        QTest::addColumn<QString>("left");  // what the folder then holds besides "taken.jpg"
        const QByteArray jpeg =
            QByteArray("\xff\xd8\xff\xe0", 4) + QByteArray(100, 'j') + QByteArray("\xff\xd9", 2);
        const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(100, 'p') +
                               QByteArray("\0\0\0\0IEND\xae\x42\x60\x82", 12);
        QByteArray bitmap = "BM" + QByteArray(98, 'b');
        bitmap[2] = 100, bitmap[3] = bitmap[4] = bitmap[5] = 0;
        QTest::newRow("JPEG cut short") << ".Image_1.jpg.0a1b2c3d.part" << jpeg.chopped(1) << 0 << "";
        QTest::newRow("whole PNG") << ".Image_1.png.0a1b2c3d.part" << png << 0 << "Image_1.png";
        QTest::newRow("PNG cut short") << ".Image_1.png.0a1b2c3d.part" << png.chopped(4) << 0 << "";
        QTest::newRow("whole bitmap") << ".Image_1.bmp.0a1b2c3d.part" << bitmap << 0 << "Image_1.bmp";
        QTest::newRow("bitmap cut short") << ".Image_1.bmp.0a1b2c3d.part" << bitmap.chopped(1) << 0 << "";
        QTest::newRow("name taken meanwhile") << ".taken.jpg.0a1b2c3d.part" << jpeg << 0 << "taken_2.jpg";
        QTest::newRow("settings file's") << ".Vistrelle.ini.0a1b2c3d.part" << QByteArray("MTOP=0") << 0 << "";
        // Only our own pattern: eight lower-case hex digits after a name, hidden.
        for (const char* other : {".Image_1.jpg.0a1b2c3.part", ".Image_1.jpg.0A1B2C3D.part",
                                  "..0a1b2c3d.part", "Image_1.jpg.0a1b2c3d.part"})
            QTest::newRow(other) << other << jpeg << 0 << other;
        QTest::newRow("young, while others write")
            << ".Image_1.jpg.0a1b2c3d.part" << jpeg.chopped(1) << 60 << ".Image_1.jpg.0a1b2c3d.part";
    }

    void settleTemporaries()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, olderThan);
        QFETCH(QString, left);
        makeFile(m_base + "set/taken.jpg", "another file");
        makeFile(m_base + "set/" + name, bytes);
        const QStringList recovered = SettleTemporaries(m_base + "set/", olderThan);
        QStringList files = QDir(m_base + "set").entryList(QDir::Files | QDir::Hidden);
        files.removeOne("taken.jpg");
        QCOMPARE(files.join(' '), left);
        const bool settled = !left.isEmpty() && left != name;
        QCOMPARE(recovered, settled ? QStringList{m_base + "set/" + left} : QStringList());
        QCOMPARE(contents(m_base + "set/" + left), left.isEmpty() ? QByteArray() : bytes);
    }
};

QTEST_GUILESS_MAIN(tst_FileSystem)
#include "tst_FileSystem.moc"
