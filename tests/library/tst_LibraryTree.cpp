#include "capture/ScreenshotWriter.h"
#include "core/AppState.h"
#include "library/DisplayOrder.h"
#include "library/FileOperations.h"
#include "library/LibraryTree.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDirIterator>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace TestLibrary;

// Walks over the library, display order, moves and deletes, also on odd names and symbolic links.
class tst_LibraryTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    FakeServices m_fakes;
    QString m_base; // the test's folder
    QString m_root; // the library inside it
    AppState m_state;

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

    void deleteFolder(const QString& folder)
    {
        QVERIFY(DeleteFolderTree(m_state, m_fakes.boxes, m_root + folder));
        RemoveDeletedFolder(m_fakes.boxes, m_root + folder);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes.boxes.shown.clear();
        m_base = m_dir->path() + '/';
        m_root = m_base + "Vistrelles/";
        m_state = AppState();
        m_state.libraryRoot = m_root;
        m_state.dirMax = 500;
        m_state.fileMax = 5000;
        m_state.captureExtension = ".jpg";
        m_state.jpegQuality = 90;
    }

    void displayOrder_data()
    {
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("punctuation, digits, letters")
            << QStringList{"(b).jpg", "_a", "{", "~", "0a", "1.jpg", "a.jpg", "Z"};
        // Names that differ only in case still get one fixed order.
        QTest::newRow("ignoring case, shorter first") << QStringList{
            "", "A.jpg", "a.jpg", "apple", "Banana", "bANANAS", "Image_1.jpg", "Image_1_2.jpg", "Zebra"};
    }

    void displayOrder()
    {
        QFETCH(QStringList, ascending);
        for (qsizetype i = 1; i < ascending.size(); ++i)
            QVERIFY2(CompareDisplayOrder(ascending[i - 1], ascending[i]) < 0 &&
                         CompareDisplayOrder(ascending[i], ascending[i - 1]) > 0,
                     qPrintable(ascending[i - 1] + " < " + ascending[i]));
        QStringList reversed(ascending.crbegin(), ascending.crend());
        SortForDisplay(reversed);
        QCOMPARE(reversed, ascending);
    }

    void collectImages_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("expected"); // at most one file a folder per kind: a fixed order
        QTest::addColumn<int>("fileMax");
        QTest::addColumn<int>("fileCount");
        QTest::newRow("jpg, then gif, then bmp; hidden skipped")
            << QStringList{"f.bmp", "d.Gif",  "Shot1.JPG", "g.jpeg",  "hjpg",
                           "jpg",   ".x.jpg", ".gif",      ".h/a.jpg"}
            << QStringList{"Shot1.JPG", "d.Gif", "f.bmp"} << 5000 << 4;
        QTest::newRow("sub-folder after own files")
            << QStringList{"Sub/b.jpg", "a.jpg", "c.gif", "Sub/d.gif"}
            << QStringList{"a.jpg", "Sub/b.jpg", "c.gif", "Sub/d.gif"} << 5000 << 5;
        QTest::newRow("symbolic links")
            << QStringList{"a.jpg", "Sub/b.jpg", "Link>Sub", "Sub/loop>.", "dead.jpg>none", "x.gif>Sub/b.jpg"}
            << QStringList{"a.jpg", "Sub/b.jpg", "x.gif"} << 5000 << 4;
        QStringList many; // one file in each of 1001 sub-folders
        for (int i = 0; i < 1001; ++i)
            many.append(QString::number(i) + "/a.jpg");
        QTest::newRow("at most 1000 sub-folders followed") << many << QStringList() << 0 << 1001;
        QTest::newRow("beyond fileMax")
            << QStringList{"a.jpg", "b.gif", "c.bmp", "d.bmp"} << QStringList{"a.jpg", "b.gif"} << 2 << 5;
    }

    void collectImages()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        QFETCH(int, fileMax);
        QFETCH(int, fileCount);
        make(entries);
        m_state.fileMax = fileMax;
        m_state.fileList = QStringList{"stale"};
        ResetFileWalk(m_state);
        CollectImages(m_state, m_base);
        QCOMPARE(m_state.fileList.replaceInStrings(m_base, QString()), expected);
        QCOMPARE(m_state.fileCount, fileCount);
    }

    void enumerateFolders_data()
    {
        QTest::addColumn<bool>("topOnly");
        QTest::addColumn<int>("dirMax");
        QTest::addColumn<QStringList>("expected"); // sorted
        QTest::addColumn<int>("dirCount");
        QTest::newRow("whole tree") << false << 500
                                    << QStringList{"Alpha", "Alpha/In", "Alpha/In/Deep", "beta", "beta/Y"}
                                    << 6;
        QTest::newRow("top only") << true << 500 << QStringList{"Alpha", "beta"} << 3;
        QTest::newRow("beyond dirMax") << false << 2 << QStringList{"Alpha", "beta"} << 6;
    }

    void enumerateFolders()
    {
        QFETCH(bool, topOnly);
        QFETCH(int, dirMax);
        QFETCH(QStringList, expected);
        QFETCH(int, dirCount);
        make({"f.jpg", "Alpha/In/Deep/x.jpg", "beta/Y/y.jpg", "beta/Y/up>beta", ".hidden/Z/z.jpg"});
        m_state.dirMax = dirMax;
        ResetFolderWalk(m_state);
        EnumerateFolders(m_state, m_base, topOnly);
        QStringList found = m_state.dirList.replaceInStrings(m_base, QString());
        for (const QString& path : std::as_const(found)) // each folder after the folder holding it
            QVERIFY2(found.indexOf(path.section('/', 0, -2)) < found.indexOf(path), qPrintable(path));
        if (topOnly) // the same folders in the same listing order
            QCOMPARE(ListSubfolders(m_base), found);
        found.sort();
        QCOMPARE(found, expected);
        QCOMPARE(m_state.dirCount, dirCount);
    }

    void deleteGuard_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("image set") << "/lib/Vistrelles/Cat/Set/" << true;
        QTest::newRow("the root itself") << "/lib/Vistrelles/" << false;
        QTest::newRow("no trailing slash") << "/lib/Vistrelles/Cat" << false;
        QTest::newRow("relative") << "lib/Vistrelles/Cat/" << false;
        QTest::newRow("climbs out") << "/lib/Vistrelles/../Other/" << false;
        QTest::newRow("beside the root") << "/lib/VistrellesOther/" << false;
        QTest::newRow("holds the home folder") << "/lib/Vistrelles/me/" << false;
    }

    void deleteGuard()
    {
        QFETCH(QString, folder);
        QFETCH(bool, accepted);
        QCOMPARE(FolderMayBeDeleted(folder, "/lib/Vistrelles/", "/lib/Vistrelles/me/home"), accepted);
    }

    void deleteStaysInsideTheLibrary()
    {
        make({"outside/locked.jpg", "Vistrelles/Cat/Set/a/f.jpg", "Vistrelles/Cat/Set/b/f.jpg",
              "Vistrelles/Cat/Set/c/f.jpg", "Vistrelles/Cat/Set/linked folder>outside",
              "Vistrelles/Cat/Set/linked.jpg>outside/locked.jpg", "Vistrelles/Cat/dangling>nowhere",
              "Vistrelles/Linked>outside"});
        QFile::setPermissions(m_base + "outside/locked.jpg", QFile::ReadOwner);
        QFile::setPermissions(m_root + "Cat/Set/b/f.jpg", QFile::ReadOwner);
        m_state.dirMax = 2; // more folders and files than the tables hold
        m_state.fileMax = 2;
        deleteFolder("Cat/");
        deleteFolder("Linked/");
        QVERIFY2(!(QFile::permissions(m_base + "outside/locked.jpg") & QFile::WriteOwner),
                 "a link's target keeps its mode");
        // Another program has meanwhile removed a file or folder, put a file in the place of one,
        // or a file into one.
        QVERIFY(!RemoveFile(m_fakes.boxes, m_root + "gone.jpg"));
        deleteFolder("Gone/");
        make({"Vistrelles/Cat/.hidden", "Vistrelles/Set"});
        RemoveDeletedFolder(m_fakes.boxes, m_root + "Cat/");
        deleteFolder("Set/");
        const QString readOnly =
            "There was a problem removing a directory.  The directory or files contained in "
            "it may be set to READ ONLY mode (i.e. they're on a CD ROM).";
        QCOMPARE(m_fakes.boxes.texts(), (QStringList{readOnly, readOnly}));
        QCOMPARE(tree(), (QStringList{"Vistrelles/Cat/.hidden", "Vistrelles/Set", "outside/locked.jpg"}));
    }

    void movesNeverReplace_data()
    {
        QTest::addColumn<QStringList>("before"); // From/a.jpg is moved to To/
        QTest::addColumn<QString>("notMoved");
        QTest::addColumn<QStringList>("after"); // empty: nothing changed
        const QString there = "a.jpg: a file of that name is already there";
        QTest::newRow("file") << QStringList{"From/a.jpg", "To/a.jpg"} << there << QStringList();
        QTest::newRow("link to nowhere")
            << QStringList{"From/a.jpg", "To/a.jpg>nowhere"} << there << QStringList();
        QTest::newRow("link to a file outside")
            << QStringList{"From/a.jpg", "To/a.jpg>outside/o.jpg"} << there << QStringList();
        QTest::newRow("link to a folder outside")
            << QStringList{"From/a.jpg", "To/a.jpg>outside"} << there << QStringList();
        QTest::newRow("target set gone")
            << QStringList{"From/a.jpg"} << "a.jpg: No such file or directory" << QStringList();
        QTest::newRow("target set is a link")
            << QStringList{"From/a.jpg", "Real/r.jpg", "To>Real"} << QString()
            << QStringList{"From/", "Real/a.jpg=From/a.jpg", "Real/r.jpg", "To>Real", "outside/o.jpg"};
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
        QCOMPARE(MoveFilesInto({m_base + "From/a.jpg"}, m_base + "To/"),
                 notMoved.isEmpty() ? QStringList() : QStringList{notMoved});
        before.sort();
        QCOMPARE(tree(), after.isEmpty() ? before : after);
    }

    void oddNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("linkedRoot"); // the library root is a link to the real folder
        QTest::newRow("spaces") << "  two  spaces " << false;
        QTest::newRow("non-ASCII") << "Überblick ñandú 写真" << false;
        QTest::newRow("quotes") << "it's \"quoted\" `x`" << false;
        QTest::newRow("leading dashes") << "-rf --help" << false;
        QTest::newRow("wildcards") << "*?[a-z]" << false;
        QTest::newRow("255 bytes") << QString(255, 'n') << false;
        QTest::newRow("255 bytes, two a letter") << QString(127, QChar(0xe9)) + "x" << false;
        QTest::newRow("library root through a link") << "Cat" << true;
    }

    // Each name as a Category, an Image Set and a file: captured into, listed, renamed to,
    // moved and deleted; nothing beside the library is touched.
    void oddNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, linkedRoot);
        const QStringList beside =
            linkedRoot ? QStringList{"Vistrelles>real", "beside/c.jpg", "real/"} : QStringList{"Vistrelles/"};
        make(beside);
        const QString set = m_root + name + "/" + name + "/";
        makeFolder(set);
        makeFolder(m_root + name + "/Other");
        m_state.currentCategory = m_state.currentImageSet = name;
        m_fakes.clipboard.setImage(QImage(16, 8, QImage::Format_RGB32));

        QVERIFY(SaveScreenshot(m_state, m_fakes.services));
        QCOMPARE(ListSubfolders(m_root), QStringList{name});
        QCOMPARE(ListSubfolders(m_root + name + "/"), (QStringList{name, "Other"}));
        QCOMPARE(RenameWithoutReplacing(set + "Image_040417_155228.jpg", set + name), RenameResult::Renamed);
        ResetFileWalk(m_state);
        EnumerateFiles(m_state, m_root, QString(), FileMode::Every);
        QCOMPARE(m_state.fileList, QStringList{set + name});
        QCOMPARE(QImage(set + name).size(), QSize(16, 8));
        QCOMPARE(MoveFilesInto({set + name}, m_root + name + "/Other/"), QStringList());
        QCOMPARE(filesIn(m_root), QStringList{name + "/Other/" + name});
        deleteFolder(name + "/");
        QCOMPARE(m_fakes.boxes.texts(), QStringList());
        QCOMPARE(tree(), beside);
    }
};

QTEST_GUILESS_MAIN(tst_LibraryTree)
#include "tst_LibraryTree.moc"
