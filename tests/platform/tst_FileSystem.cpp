#include "platform/FileSystem.h"
#include "platform/Trash.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestLibrary;

namespace {

// What stands at \a path without following it: "file", "folder", "link to TARGET" or "nothing".
QString kindAt(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + info.symLinkTarget();
    if (info.isDir())
        return "folder";
    return info.exists() ? "file" : "nothing";
}

} // namespace

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
        makeFile(m_base + "outside/deep/canary.bmp", "deep canary");
    }

    void moveToTrash_data()
    {
        QTest::addColumn<QString>("target"); // "/": a folder with files; else a link to it
        QTest::newRow("folder with files") << "/";
        QTest::newRow("link to a folder outside") << "outside";
        QTest::newRow("link to the root folder") << "//";
        QTest::newRow("link to nowhere") << "nowhere";
    }

    // Each goes in one move, as it is; a link's target is never touched. The information file
    // names where it stood, so the file manager can put it back.
    void moveToTrash()
    {
        QFETCH(QString, target);
        const QString item = m_base + "lib/Cat/my shots";
        if (target == "/") {
            makeFile(item + "/a.jpg", "a");
            makeFile(item + "/sub/.hidden", "h");
        } else {
            makeFolder(m_base + "lib/Cat");
            QVERIFY(QFile::link(target == "//" ? "/" : m_base + target, item));
        }
        const QString before = kindAt(item);
        const QStringList canaries = fingerprint(m_base + "outside");
        // Never walked through a link: one of them leads to the root folder.
        const bool link = QFileInfo(item).isSymLink();
        const QStringList inside = link ? QStringList() : fingerprint(item);

        QVERIFY(MoveToTrash(item).done());

        QCOMPARE(kindAt(item), "nothing");
        QCOMPARE(kindAt(trash() + "files/my shots"), before);
        QCOMPARE(link ? QStringList() : fingerprint(trash() + "files/my shots"), inside);
        const QString info = QString::fromUtf8(contents(trash() + "info/my shots.trashinfo"));
        QVERIFY2(QRegularExpression(
                     "^\\[Trash Info\\]\nPath=" + QRegularExpression::escape(m_base) +
                     "lib/Cat/my%20shots\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")
                     .match(info)
                     .hasMatch(),
                 qPrintable(info));
        QCOMPARE(fingerprint(m_base + "outside"), canaries);
    }

    // A file goes too; a name already in the trash is never replaced; nothing there: refused with
    // ENOENT.
    void trashKeepsEarlierItems()
    {
        for (const QByteArray bytes : {"first", "second"}) {
            makeFile(m_base + "lib/a.jpg", bytes);
            QVERIFY(MoveToTrash(m_base + "lib/a.jpg").done());
        }
        QCOMPARE(contents(trash() + "files/a.jpg"), "first");
        QCOMPARE(contents(trash() + "files/a.jpg.2"), "second");
        QVERIFY(QFile::exists(trash() + "info/a.jpg.2.trashinfo"));
        const Outcome gone = MoveToTrash(m_base + "lib/a.jpg");
        QCOMPARE(gone.kind, Outcome::Kind::Refused);
        QCOMPARE(gone.error, ENOENT);
    }

    // A name of 255 bytes, the most a file system takes, still fits into the trash beside
    // ".trashinfo"; the information file keeps the whole name.
    void trashTakesTheLongestNames()
    {
        const QString name = QString(127, QChar(0xe9)) + "x";
        makeFile(m_base + "lib/" + name, "picture");
        QVERIFY(MoveToTrash(m_base + "lib/" + name).done());
        const QStringList trashed = QDir(trash() + "files").entryList(QDir::Files);
        QCOMPARE(trashed.size(), 1);
        QVERIFY(name.startsWith(trashed.first()));
        QCOMPARE(contents(trash() + "files/" + trashed.first()), "picture");
        const QByteArray info = contents(trash() + "info/" + trashed.first() + ".trashinfo");
        QVERIFY(info.contains("Path=" + QUrl::toPercentEncoding(m_base + "lib/" + name, "/") + "\n"));
    }

    // Without a trash on the item's file system the item stays where it is, and no trash
    // appears anywhere else.
    void noTrash()
    {
        makeFile(m_base + "blocked", "a file where the data folder should be");
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_base + "blocked/data"));
        makeFile(m_base + "lib/a.jpg", "picture");
        const QStringList before = fingerprint(m_base);
        const Outcome moved = MoveToTrash(m_base + "lib/a.jpg");
        QCOMPARE(moved.kind, Outcome::Kind::Failed);
        QCOMPARE(moved.text, "Not a directory");
        QCOMPARE(fingerprint(m_base), before);
        QCOMPARE(QDir(m_base).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"blocked", "home", "lib", "outside"}));
    }

    void firstStepNotAFolder_data()
    {
        QTest::addColumn<QString>("path"); // below lib/, where Cat/ is a folder
        QTest::addColumn<QString>("step"); // the step found, below the test's folder
        QTest::newRow("folders all the way") << "Cat/Set/a.jpg" << QString();
        QTest::newRow("the item itself may be a link") << "Cat/Linked" << QString();
        QTest::newRow("a linked Image Set") << "Cat/Linked/a.jpg"
                                            << "lib/Cat/Linked";
        QTest::newRow("a link to the root folder") << "Root/tmp/"
                                                   << "lib/Root";
        QTest::newRow("a file on the way") << "Cat/a.jpg/b.jpg"
                                           << "lib/Cat/a.jpg";
        QTest::newRow("nothing on the way") << "Gone/Set/"
                                            << "lib/Gone";
    }

    void firstStepNotAFolder()
    {
        QFETCH(QString, path);
        QFETCH(QString, step);
        makeFile(m_base + "lib/Cat/Set/a.jpg");
        makeFile(m_base + "lib/Cat/a.jpg");
        QVERIFY(QFile::link(m_base + "outside", m_base + "lib/Cat/Linked"));
        QVERIFY(QFile::link("/", m_base + "lib/Root"));
        const QString found = FirstStepNotAFolder(m_base + "lib/", m_base + "lib/" + path);
        QCOMPARE(found, step.isEmpty() ? QString() : m_base + step);
    }

    void openRegularFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("read"); // empty: not opened
        QTest::newRow("file") << "a.jpg" << QByteArray("picture");
        QTest::newRow("link to a file") << "link.jpg" << QByteArray("picture");
        QTest::newRow("link to a pipe") << "f.jpg" << QByteArray();
        QTest::newRow("folder") << "folder.jpg" << QByteArray();
        QTest::newRow("link to nowhere") << "dead.jpg" << QByteArray();
    }

    // A pipe with no writer would hold open() for ever: the alarm ends a test that waits.
    void openRegularFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, read);
        makeFile(m_base + "a.jpg", "picture");
        makeFolder(m_base + "folder.jpg");
        QVERIFY(::mkfifo(QFile::encodeName(m_base + "pipe.jpg").constData(), 0600) == 0);
        for (const auto& [link, target] :
             {std::pair{"link.jpg", "a.jpg"}, {"f.jpg", "pipe.jpg"}, {"dead.jpg", "x"}})
            QVERIFY(QFile::link(m_base + target, m_base + link));
        QFile file;
        ::alarm(10);
        const bool opened = OpenRegularFile(file, m_base + name);
        ::alarm(0);
        QCOMPARE(opened, !read.isEmpty());
        QCOMPARE(file.isOpen(), opened);
        if (opened)
            QCOMPARE(file.readAll(), read);
    }

    void staleTemporaries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("age"); // seconds since the last change
        QTest::addColumn<bool>("removed");
        QTest::newRow("ours, two minutes old") << ".Image_1.jpg.0a1b2c3d.part" << 120 << true;
        QTest::newRow("ours, being written") << ".Image_1.jpg.0a1b2c3d.part" << 5 << false;
        QTest::newRow("the settings file's") << ".Vistrelle.ini.ffffffff.part" << 3600 << true;
        QTest::newRow("seven digits") << ".Image_1.jpg.0a1b2c3.part" << 3600 << false;
        QTest::newRow("upper-case digits") << ".Image_1.jpg.0A1B2C3D.part" << 3600 << false;
        QTest::newRow("not hidden") << "Image_1.jpg.0a1b2c3d.part" << 3600 << false;
        QTest::newRow("no name before") << "..0a1b2c3d.part" << 3600 << false;
    }

    void staleTemporaries()
    {
        QFETCH(QString, name);
        QFETCH(int, age);
        QFETCH(bool, removed);
        const QString path = m_base + "set/" + name;
        makeFile(path, "half a picture");
        setModified(path, QDateTime::currentDateTime().addSecs(-age));
        // A link of our pattern is not ours: it stays, and so does what it leads to.
        makeFile(m_base + "target", "kept");
        QVERIFY(QFile::link(m_base + "target", m_base + "set/.old.jpg.01234567.part"));
        setModified(m_base + "target", QDateTime::currentDateTime().addSecs(-3600));
        RemoveStaleTemporaries(m_base + "set");
        QCOMPARE(QFile::exists(path), !removed);
        QCOMPARE(kindAt(m_base + "set/.old.jpg.01234567.part"), "link to " + m_base + "target");
        QCOMPARE(contents(m_base + "target"), "kept");
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
        QTest::newRow("whole JPEG") << ".Image_1.jpg.0a1b2c3d.part" << jpeg << 0 << "Image_1.jpg";
        QTest::newRow("JPEG cut short") << ".Image_1.jpg.0a1b2c3d.part" << jpeg.chopped(1) << 0 << "";
        QTest::newRow("whole PNG") << ".Image_1.png.0a1b2c3d.part" << png << 0 << "Image_1.png";
        QTest::newRow("PNG cut short") << ".Image_1.png.0a1b2c3d.part" << png.chopped(4) << 0 << "";
        QTest::newRow("whole bitmap") << ".Image_1.bmp.0a1b2c3d.part" << bitmap << 0 << "Image_1.bmp";
        QTest::newRow("bitmap cut short") << ".Image_1.bmp.0a1b2c3d.part" << bitmap.chopped(1) << 0 << "";
        QTest::newRow("name taken meanwhile") << ".taken.jpg.0a1b2c3d.part" << jpeg << 0 << "taken_2.jpg";
        QTest::newRow("settings file's") << ".Vistrelle.ini.0a1b2c3d.part" << QByteArray("MTOP=0") << 0 << "";
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
        QCOMPARE(recovered,
                 olderThan == 0 && !left.isEmpty() ? QStringList{m_base + "set/" + left} : QStringList());
        if (olderThan == 0 && !left.isEmpty())
            QCOMPARE(contents(m_base + "set/" + left), bytes);
        QCOMPARE(contents(m_base + "set/taken.jpg"), "another file");
    }
};

QTEST_GUILESS_MAIN(tst_FileSystem)
#include "tst_FileSystem.moc"
