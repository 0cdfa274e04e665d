#include "core/AppState.h"
#include "library/FileOperations.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace TestLibrary;

class tst_FileOperations : public QObject
{
    Q_OBJECT

private slots:
    void guard_data()
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

    void guard()
    {
        QFETCH(QString, folder);
        QFETCH(bool, accepted);
        QCOMPARE(FolderMayBeDeleted(folder, "/lib/Vistrelles/", "/lib/Vistrelles/me/home"), accepted);
    }

    void treeDeleteStaysInsideTheLibrary()
    {
        QTemporaryDir dir;
        const QString outside = dir.path() + "/outside/";
        const QString root = dir.path() + "/Vistrelles/";
        makeFile(outside + "locked.jpg");
        QFile::setPermissions(outside + "locked.jpg", QFile::ReadOwner);
        for (int n = 0; n < 4; ++n)
            makeFile(root + QString("Cat/Set/sub%1/f.jpg").arg(n));
        QFile::setPermissions(root + "Cat/Set/sub1/f.jpg", QFile::ReadOwner);
        QVERIFY(QFile::link(outside, root + "Cat/Set/linked folder"));
        QVERIFY(QFile::link(outside + "locked.jpg", root + "Cat/Set/linked.jpg"));
        QVERIFY(QFile::link(dir.path() + "/nowhere", root + "Cat/dangling"));
        QVERIFY(QFile::link(outside, root + "Linked"));

        AppState state;
        state.libraryRoot = root;
        state.dirMax = 2; // more folders and files than the tables hold
        state.fileMax = 2;
        FakeMessageBoxes boxes;
        for (const QString& folder : {root + "Cat/", root + "Linked/"}) {
            QVERIFY(DeleteFolderTree(state, boxes, folder));
            RemoveDeletedFolder(boxes, folder);
        }
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(QDir(root).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(QDir(outside).entryList(QDir::Files), QStringList{"locked.jpg"});
        QVERIFY2(!(QFile::permissions(outside + "locked.jpg") & QFile::WriteOwner),
                 "a link's target keeps its mode");

        makeFile(root + "Cat/.hidden");
        RemoveDeletedFolder(boxes, root + "Cat/");
        QCOMPARE(boxes.texts(),
                 QStringList{"There was a problem removing a directory.  The directory or files "
                             "contained in it may be set to READ ONLY mode (i.e. they're on a CD "
                             "ROM)."});
    }
};

QTEST_GUILESS_MAIN(tst_FileOperations)
#include "tst_FileOperations.moc"
