#include "core/AppState.h"
#include "library/FileOperations.h"
#include "library/LibraryCommands.h"
#include "library/LibraryTree.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"
#include "support/TestLibrary.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

using namespace TestLibrary;

// Walks over the library, moves and deletes, also on odd names and symbolic links.
class tst_LibraryTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_base; // the test's folder
    QString m_root; // the library inside it
    AppState m_state;
    QStringList m_told; // the problems the deletes would tell

    // Makes each entry below the test's folder: "a/b" a file holding its own path, "a/" a
    // folder, "a>b" a symbolic link to b.
    void make(const QStringList& entries) const
    {
        for (const QString& entry : entries) {
            const QString path = m_base + entry.section('>', 0, 0);
            makeFolder(QFileInfo(path).absolutePath());
            if (entry.contains('>'))
                QVERIFY2(QFile::link(m_base + entry.section('>', 1), path), qPrintable(entry));
            else if (entry.endsWith('/'))
                makeFolder(path);
            else
                makeFile(path, entry.toUtf8());
        }
    }

    // What the test's folder holds, written as make() takes it; links are not followed, a folder
    // shows only when empty, and a file holding another's path shows as "a=b".
    QStringList tree() const
    {
        QStringList found;
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        for (QDirIterator it(m_dir->path(), all, QDirIterator::Subdirectories); it.hasNext();) {
            const QFileInfo entry(it.next());
            const QString name = entry.filePath().mid(m_base.size());
            const QString held = QString::fromUtf8(contents(entry.filePath()));
            if (entry.isSymLink())
                found.append(name + '>' + entry.symLinkTarget().mid(m_base.size()));
            else if (entry.isDir() && QDir(entry.filePath()).isEmpty(all))
                found.append(name + '/');
            else if (!entry.isDir())
                found.append(held == name ? name : name + '=' + held);
        }
        found.sort();
        return found;
    }

    // Deletes a library folder as the Del commands do; what the user would be told goes to m_told.
    void deleteFolder(const QString& folder)
    {
        const DeleteOutcome deleted = DeleteLibraryFolder(m_state, m_root + folder);
        QVERIFY(deleted.outcome.done());
        m_told += deleted.outcome.problems;
    }

    QString trash() const { return m_base + "data/Trash/"; }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_base = m_dir->path() + '/';
        m_root = m_base + "Vistrelles/";
        m_state = AppState();
        m_state.libraryRoot = m_root;
        m_told.clear();
        // The trash of the test's own, the home folder beside it on the same file system.
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_base + "data"));
        qputenv("HOME", QFile::encodeName(m_base + "home"));
    }

    // Names that are not UTF-8 are beyond QTemporaryDir's removal.
    void cleanup() { removeTree(m_base); }

    // One file a folder per kind at most: the order within a folder is the file system's.
    void collectImages()
    {
        make({"f.bmp", "Sub/d.Gif", "Shot1.JPG", "g.jpeg", "hjpg", "jpg", "Sub/b.jpg", ".x.jpg", ".gif",
              ".h/a.jpg", "x.gif>Sub/b.jpg", "Link>Sub", "dead.jpg>none", "Sub/p.PNG", "Sub/q.JPEG", "r.tif",
              "s.pngx", "tpng"});
        // jpg, jpeg, gif, bmp, then png; sub-folders after the folder's own files; hidden entries,
        // links to folders, dead links and other types skipped
        QCOMPARE(ImagesAmong(WalkFolder(m_base).files).replaceInStrings(m_base, QString()),
                 (QStringList{"Shot1.JPG", "Sub/b.jpg", "g.jpeg", "Sub/q.JPEG", "x.gif", "Sub/d.Gif", "f.bmp",
                              "Sub/p.PNG"}));
    }

    // Refused before anything is deleted; an Image Set or Category passes in every delete test.
    void deleteGuard_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("home");
        const QString away = "/home/me";
        QTest::newRow("the root itself") << "/lib/Vistrelles/" << away;
        QTest::newRow("no trailing slash") << "/lib/Vistrelles/Cat" << away;
        QTest::newRow("climbs out") << "/lib/Vistrelles/../Other/" << away;
        QTest::newRow("beside the root") << "/lib/VistrellesOther/" << away;
        QTest::newRow("holds the home folder") << "/lib/Vistrelles/me/"
                                               << "/lib/Vistrelles/me/home";
    }

    void deleteGuard()
    {
        QFETCH(QString, folder);
        QFETCH(QString, home);
        QVERIFY(!FolderMayBeDeleted(folder, "/lib/Vistrelles/", home));
    }

    void deleteStaysInsideTheLibrary()
    {
        make({"outside/locked.jpg", "Vistrelles/Cat/Set/a/f.jpg", "Vistrelles/Cat/Set/b/f.jpg",
              "Vistrelles/Cat/Set/c/f.jpg", "Vistrelles/Cat/Set/c/loop>Vistrelles/Cat",
              "Vistrelles/Cat/Set/linked folder>outside", "Vistrelles/Cat/Set/linked.jpg>outside/locked.jpg",
              "Vistrelles/Cat/dangling>nowhere"});
        QFile::setPermissions(m_base + "outside/locked.jpg", QFile::ReadOwner);
        QFile::setPermissions(m_root + "Cat/Set/b/f.jpg", QFile::ReadOwner);
        for (int n = 0; n <= SubfolderLimit; ++n) // more than one walk follows
            makeFolder(m_root + QString("Cat/Set/many/%1/").arg(n));
        deleteFolder("Cat/");
        QVERIFY2(!(QFile::permissions(m_base + "outside/locked.jpg") & QFile::WriteOwner),
                 "a link's target keeps its mode");
        // Another program has meanwhile removed a file or folder, put a file in the place of one,
        // or a file into one.
        QVERIFY(RemoveFile(m_root + "gone.jpg").text.isEmpty());
        deleteFolder("Gone/");
        make({"Vistrelles/Cat/.hidden", "Vistrelles/Set"});
        m_told += RemoveDeletedFolder(m_root + "Cat/").text;
        deleteFolder("Set/");
        const QString readOnly =
            "There was a problem removing a directory.  The directory or files contained in "
            "it may be set to READ ONLY mode (i.e. they're on a CD ROM).";
        QCOMPARE(m_told, (QStringList{readOnly, readOnly}));
        QCOMPARE(tree(), (QStringList{"Vistrelles/Cat/.hidden", "Vistrelles/Set", "outside/locked.jpg"}));
    }

    void movesNeverReplace_data()
    {
        QTest::addColumn<QStringList>("before"); // From/a.jpg is moved to To/
        QTest::addColumn<QString>("notMoved");
        QTest::addColumn<QStringList>("after"); // empty: nothing changed
        // A plain file in the way is the window's move test.
        QTest::newRow("link to nowhere") << QStringList{"From/a.jpg", "To/a.jpg>nowhere"}
                                         << "a.jpg: a file of that name is already there" << QStringList();
        QTest::newRow("target set gone")
            << QStringList{"From/a.jpg"} << "a.jpg: No such file or directory" << QStringList();
        QTest::newRow("moved file is a link into the target")
            << QStringList{"From/a.jpg>To/t.jpg", "To/t.jpg"} << QString()
            << QStringList{"From/", "To/a.jpg>To/t.jpg", "To/t.jpg", "outside/o.jpg"};
    }

    void movesNeverReplace()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, notMoved);
        QFETCH(QStringList, after);
        before.append("outside/o.jpg");
        make(before);
        QCOMPARE(MoveFilesInto({m_base + "From/a.jpg"}, m_base + "To/").problems,
                 notMoved.isEmpty() ? QStringList() : QStringList{notMoved});
        before.sort();
        QCOMPARE(tree(), after.isEmpty() ? before : after);
    }

    void deleteNeverLeavesTheLibrary_data()
    {
        QTest::addColumn<QString>("link");    // made in the library, "name>target"
        QTest::addColumn<QString>("deleted"); // below the library root; a file when it has no "/" at the end
        QTest::addColumn<bool>("forGood");    // as after a Yes to "delete for good", else into the trash
        QTest::addColumn<bool>("refused");    // told, nothing deleted; else only the link went
        for (const bool forGood : {false, true}) {
            const char* way = forGood ? ", for good" : ", to the trash";
            QTest::addRow("Image Set of a linked Category%s", way) << "Vistrelles/Cat>outside"
                                                                   << "Cat/Set/" << forGood << true;
            QTest::addRow("file of a linked Image Set%s", way) << "Vistrelles/Cat/Set>outside/Set"
                                                               << "Cat/Set/canary.jpg" << forGood << true;
            QTest::addRow("linked Image Set%s", way) << "Vistrelles/Cat/Set>outside/Set"
                                                     << "Cat/Set/" << forGood << false;
            QTest::addRow("linked Category%s", way) << "Vistrelles/Cat>outside"
                                                    << "Cat/" << forGood << false;
        }
    }

    // Canary files outside the library keep their contents whatever the links inside lead to.
    void deleteNeverLeavesTheLibrary()
    {
        QFETCH(QString, link);
        QFETCH(QString, deleted);
        QFETCH(bool, forGood);
        QFETCH(bool, refused);
        make({"outside/canary.jpg", "outside/Set/canary.jpg", "outside/Set/sub/canary.bmp",
              "Vistrelles/Other/Set/kept.jpg", link});
        makeFolder(m_root + "Cat");
        const QStringList canaries = tree(); // each file holds its own path
        const QString path = m_root + deleted;
        const bool folder = deleted.endsWith('/');

        DeleteOutcome outcome;
        if (folder)
            outcome = forGood ? DeleteLibraryFolder(m_state, path) : TrashLibraryFolder(m_state, path);
        else
            outcome = forGood ? DeleteFiles(m_root, {path}) : TrashFiles(m_root, {path});

        QCOMPARE(tree().filter(QRegularExpression("^outside/")),
                 canaries.filter(QRegularExpression("^outside/")));
        QVERIFY(QFile::exists(m_root + "Other/Set/kept.jpg"));
        const QString told = folder ? outcome.outcome.text : outcome.outcome.problems.value(0);
        const QString linkPath = m_base + link.section('>', 0, 0);
        // The step named; the whole wording is the window's delete test's.
        QCOMPARE(told.section(" is a link (or a file)", 0, 0), refused ? linkPath : QString());
        QCOMPARE(QFileInfo(linkPath).isSymLink(), refused);
        if (!refused && !forGood)
            QVERIFY(QFileInfo(trash() + "files/" + QFileInfo(linkPath).fileName()).isSymLink());
    }

    // A write killed midway leaves a hidden temporary: listing the set clears it once stale, and
    // a delete for good does not stop at it. A link named as ours is not ours, however old.
    void staleTemporariesGo()
    {
        const QString link = "Vistrelles/Cat/Set/.l.jpg.01234567.part";
        make({"Vistrelles/Cat/Set/a.jpg", "Vistrelles/Cat/Set/.a.jpg.0badf00d.part",
              "Vistrelles/Cat/Set/.b.jpg.0badf00d.part", "Vistrelles/Cat/Old/.c.jpg.12345678.part",
              "Vistrelles/Cat/Other/.d.jpg.0badf00d.part", "outside/t.jpg", link + ">outside/t.jpg"});
        for (const char* stale :
             {"Set/.a.jpg.0badf00d.part", "Old/.c.jpg.12345678.part", "Other/.d.jpg.0badf00d.part"})
            setModified(m_root + "Cat/" + stale, QDateTime::currentDateTime().addSecs(-120));
        const timespec hourAgo[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - 3600, 0}};
        QVERIFY(::utimensat(AT_FDCWD, QFile::encodeName(m_base + link), hourAgo, AT_SYMLINK_NOFOLLOW) == 0);
        const QStringList images = ListImageSet(m_root + "Cat/Set/");
        QCOMPARE(filesIn(m_root + "Cat/Set"),
                 (QStringList{".b.jpg.0badf00d.part", ".l.jpg.01234567.part", "a.jpg"}));
        QCOMPARE(images, QStringList{m_root + "Cat/Set/a.jpg"});
        deleteFolder("Cat/Old/");
        QCOMPARE(m_told, QStringList());
        QVERIFY(!QFileInfo::exists(m_root + "Cat/Old"));
        // Nor does a stale one go to the trash with its Category; a young one may be being written.
        QVERIFY(TrashLibraryFolder(m_state, m_root + "Cat/").outcome.done());
        QCOMPARE(filesIn(trash() + "files/Cat"),
                 (QStringList{"Set/.b.jpg.0badf00d.part", "Set/.l.jpg.01234567.part", "Set/a.jpg"}));
    }

    // A name without a listed extension would drop the file from every list.
    void renameKeepsTheExtension_data()
    {
        QTest::addColumn<QString>("rename"); // shot.jpg: the name typed -> the name afterwards
        QTest::newRow("no extension") << "Login screen -> Login screen.jpg";
        QTest::newRow("an extension not listed") << "notes.txt -> notes.txt.jpg";
        // Refused: the file would be hidden from every list, or leave its folder.
        QTest::newRow("a leading point") << ".hidden -> shot.jpg";
        QTest::newRow("a folder on the way") << "../shot -> shot.jpg";
    }
    void renameKeepsTheExtension()
    {
        QFETCH(QString, rename);
        make({"Vistrelles/Cat/Set/shot.jpg"});
        const Outcome renamed = RenameFile(m_root + "Cat/Set/shot.jpg", rename.section(" -> ", 0, 0));
        QCOMPARE(renamed.done(), rename.section(" -> ", 1) != "shot.jpg");
        QCOMPARE(filesIn(m_root + "Cat"), QStringList{"Set/" + rename.section(" -> ", 1)});
    }

    void oddNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("linkedRoot"); // the library root is a link to the real folder
        QTest::newRow("spaces, quotes") << "  it's \"two\"  `spaces` " << false;
        QTest::newRow("non-ASCII") << "Überblick ñandú 写真" << false;
        QTest::newRow("another encoding, bytes that are no UTF-8") << PathFromNative("set\xff\xe9") << false;
        QTest::newRow("library root through a link") << "Cat" << true;
    }

    // Each name as a Category, an Image Set and a file: listed, renamed to, moved, trashed (an
    // Image Set whole, in one move with its hidden files; a file already gone is no failure) and
    // deleted; nothing beside the library is touched.
    void oddNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, linkedRoot);
        const QStringList beside =
            linkedRoot ? QStringList{"Vistrelles>real", "beside/c.jpg", "real/"} : QStringList{"Vistrelles/"};
        make(beside);
        const QString category = m_root + name + "/", set = category + name + "/";
        makeFile(set + "Image_040417_155228.jpg", "picture");
        makeFile(set + ".h");
        makeFolder(category + "Other");
        QCOMPARE(ListSubfolders(m_root), QStringList{name});
        const QStringList sets = ListSubfolders(category);
        QCOMPARE(QSet<QString>(sets.cbegin(), sets.cend()), (QSet<QString>{name, "Other"}));
        QVERIFY(RenameWithoutReplacing(set + "Image_040417_155228.jpg", set + name).done());
        QCOMPARE(WalkFolder(m_root).files, QStringList{set + name});
        QCOMPARE(MoveFilesInto({set + name}, category + "Other/").problems, QStringList());
        QCOMPARE(filesIn(category + "Other"), QStringList{name});
        QCOMPARE(contents(category + "Other/" + name), "picture");
        const DeleteOutcome trashed =
            TrashFiles(m_root, {category + "Other/" + name, category + "Other/gone.jpg"});
        QCOMPARE(trashed.outcome.problems + trashed.notTrashed, QStringList());
        const DeleteOutcome setTrashed = TrashLibraryFolder(m_state, set);
        QCOMPARE(setTrashed.outcome.problems + setTrashed.notTrashed, QStringList());
        QCOMPARE(filesIn(trash() + "files").size(), 2);
        makeFile(category + "Other/" + name);
        deleteFolder(name + "/");
        QCOMPARE(m_told, QStringList());
        // All but the trash, which holds what was trashed.
        QCOMPARE(tree().filter(QRegularExpression("^(?!data/)")), beside);
    }
};

QTEST_GUILESS_MAIN(tst_LibraryTree)
#include "tst_LibraryTree.moc"
