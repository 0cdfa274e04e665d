#include "capture/ScreenshotWriter.h"
#include "core/AppState.h"
#include "library/FileOperations.h"
#include "library/LibraryTree.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace TestLibrary;

// The library's routines on names and trees that other programs make: odd names, a root
// reached through a symbolic link, links inside the tree.
class tst_LibraryFaults : public QObject
{
    Q_OBJECT

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }
    static QByteArray contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    static AppState library(const QString& root)
    {
        AppState state;
        state.libraryRoot = root;
        state.dirMax = 500;
        state.fileMax = 5000;
        state.captureExtension = ".jpg";
        state.jpegQuality = 90;
        return state;
    }
    static QStringList relative(QStringList paths, const QString& root)
    {
        paths.replaceInStrings(root, QString());
        return paths;
    }

private slots:
    void oddNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("spaces") << "  two  spaces ";
        QTest::newRow("non-ASCII") << "Überblick ñandú 写真";
        QTest::newRow("quotes") << "it's \"quoted\" `x`";
        QTest::newRow("leading dashes") << "-rf --help";
        QTest::newRow("wildcards") << "*?[a-z]";
        QTest::newRow("255 bytes") << QString(255, 'n');
        QTest::newRow("255 bytes, two a letter") << QString(127, QChar(0xe9)) + "x";
    }

    // Each name as a Category, an Image Set and a file: captured into, listed, renamed to,
    // moved and deleted.
    void oddNames()
    {
        QFETCH(QString, name);
        QCOMPARE(QFile::encodeName(name).size() <= 255, true);
        QTemporaryDir dir;
        const QString root = dir.path() + "/Vistrelles/";
        const QString set = root + name + "/" + name + "/";
        const QString other = root + name + "/Other/";
        makeFolder(set);
        makeFolder(other);
        AppState state = library(root);
        state.currentCategory = name;
        state.currentImageSet = name;
        FakeServices fakes;
        QImage picture(16, 8, QImage::Format_RGB32);
        picture.fill(Qt::green);
        fakes.clipboard.setImage(picture);

        QVERIFY(SaveScreenshot(state, fakes.services));
        QCOMPARE(fakes.boxes.texts(), QStringList());
        QCOMPARE(ListSubfolders(root), QStringList{name});
        QCOMPARE(ListSubfolders(root + name + "/"), (QStringList{name, "Other"}));
        QCOMPARE(RenameWithoutReplacing(set + "Image_040417_155228.jpg", set + name), RenameResult::Renamed);
        ResetFileWalk(state);
        EnumerateFiles(state, root, QString(), FileMode::Every);
        QCOMPARE(relative(state.fileList, root), QStringList{name + "/" + name + "/" + name});
        QCOMPARE(QImage(set + name).size(), QSize(16, 8));

        makeFile(other + name, "already there");
        QCOMPARE(MoveFilesInto({set + name}, other),
                 QStringList{name + ": a file of that name is already there"});
        QVERIFY(QFile::remove(other + name));
        QCOMPARE(MoveFilesInto({set + name}, other), QStringList());
        QCOMPARE(entries(other), QStringList{name});
        QCOMPARE(entries(set), QStringList());

        QVERIFY(DeleteFolderTree(state, fakes.boxes, root + name + "/"));
        RemoveDeletedFolder(fakes.boxes, root + name + "/");
        QCOMPARE(fakes.boxes.texts(), QStringList());
        QCOMPARE(entries(root), QStringList());
    }

    // The library root is a link to the real folder; a folder beside it must survive.
    void libraryRootThroughALink()
    {
        QTemporaryDir dir;
        const QString real = dir.path() + "/real/";
        makeImage(real + "Cat/Set/a.jpg");
        makeImage(real + "Cat/Keep/b.jpg");
        makeFile(dir.path() + "/beside/c.jpg", "beside");
        QVERIFY(QFile::link(real, dir.path() + "/Vistrelles"));
        const QString root = dir.path() + "/Vistrelles/";
        AppState state = library(root);
        state.currentCategory = "Cat";
        state.currentImageSet = "Set";
        FakeServices fakes;
        fakes.clipboard.setImage(QImage(4, 4, QImage::Format_RGB32));

        QVERIFY(SaveScreenshot(state, fakes.services));
        ResetFileWalk(state);
        CollectImages(state, root);
        QCOMPARE(relative(state.fileList, root),
                 (QStringList{"Cat/Keep/b.jpg", "Cat/Set/a.jpg", "Cat/Set/Image_040417_155228.jpg"}));
        QCOMPARE(MoveFilesInto({root + "Cat/Set/a.jpg"}, root + "Cat/Keep/"), QStringList());
        QVERIFY(DeleteFolderTree(state, fakes.boxes, root + "Cat/Set/"));
        RemoveDeletedFolder(fakes.boxes, root + "Cat/Set/");
        QCOMPARE(fakes.boxes.texts(), QStringList());
        QCOMPARE(entries(real + "Cat"), QStringList{"Keep"});
        QCOMPARE(entries(real + "Cat/Keep"), (QStringList{"a.jpg", "b.jpg"}));
        QCOMPARE(contents(dir.path() + "/beside/c.jpg"), "beside");
        QVERIFY(QFileInfo(dir.path() + "/Vistrelles").isSymLink());
    }

    void movesNeverReplace_data()
    {
        QTest::addColumn<QString>("inTarget"); // what the target Image Set holds under the name
        QTest::addColumn<QString>("notMoved"); // empty: moved
        QTest::newRow("file") << "file"
                              << "a.jpg: a file of that name is already there";
        QTest::newRow("link to nowhere") << "dangling"
                                         << "a.jpg: a file of that name is already there";
        QTest::newRow("link to a file outside") << "link"
                                                << "a.jpg: a file of that name is already there";
        QTest::newRow("link to a folder outside") << "folder link"
                                                  << "a.jpg: a file of that name is already there";
        QTest::newRow("target set is a link") << "set link"
                                              << "";
        QTest::newRow("moved file is a link into the target") << "moved link"
                                                              << "";
    }

    void movesNeverReplace()
    {
        QFETCH(QString, inTarget);
        QFETCH(QString, notMoved);
        QTemporaryDir dir;
        const QString root = dir.path() + "/Vistrelles/";
        const QString outside = dir.path() + "/outside/";
        const QString from = root + "Cat/From/";
        QString to = root + "Cat/To/";
        makeFile(outside + "o.jpg", "outside");
        makeFile(root + "Cat/Real/r.jpg", "real");
        makeFolder(to);
        if (inTarget == "moved link") {
            makeFile(to + "t.jpg", "target");
            makeFolder(from);
            QVERIFY(QFile::link(to + "t.jpg", from + "a.jpg"));
        } else {
            makeFile(from + "a.jpg", "moved");
        }
        if (inTarget == "file")
            makeFile(to + "a.jpg", "kept");
        else if (inTarget == "dangling")
            QVERIFY(QFile::link(dir.path() + "/nowhere", to + "a.jpg"));
        else if (inTarget == "link")
            QVERIFY(QFile::link(outside + "o.jpg", to + "a.jpg"));
        else if (inTarget == "folder link")
            QVERIFY(QFile::link(outside, to + "a.jpg"));
        else if (inTarget == "set link") {
            QVERIFY(QFile::link(root + "Cat/Real", root + "Cat/Linked"));
            to = root + "Cat/Linked/";
        }

        QCOMPARE(MoveFilesInto({from + "a.jpg"}, to),
                 notMoved.isEmpty() ? QStringList() : QStringList{notMoved});
        QCOMPARE(contents(outside + "o.jpg"), "outside");
        QCOMPARE(entries(outside), QStringList{"o.jpg"});
        QCOMPARE(contents(root + "Cat/Real/r.jpg"), "real");
        if (!notMoved.isEmpty()) {
            QCOMPARE(contents(from + "a.jpg"), "moved");
            if (inTarget == "file")
                QCOMPARE(contents(to + "a.jpg"), "kept");
            else
                QVERIFY(QFileInfo(to + "a.jpg").isSymLink());
            return;
        }
        QCOMPARE(entries(from), QStringList());
        if (inTarget == "moved link") {
            QVERIFY(QFileInfo(to + "a.jpg").isSymLink());
            QCOMPARE(contents(to + "t.jpg"), "target");
        } else {
            QCOMPARE(contents(root + "Cat/Real/a.jpg"), "moved");
        }
    }
};

QTEST_GUILESS_MAIN(tst_LibraryFaults)
#include "tst_LibraryFaults.moc"
