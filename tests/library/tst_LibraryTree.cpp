#include "core/AppState.h"
#include "library/LibraryTree.h"
#include "support/TestLibrary.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Makes each file below \a folder, or for "name>target" a symbolic link to folder + target.
void make(const QString& folder, const QStringList& entries)
{
    for (const QString& entry : entries) {
        const QStringList parts = entry.split(QLatin1Char('>'));
        if (parts.size() == 1)
            TestLibrary::makeFile(folder + entry);
        else
            QVERIFY2(QFile::link(folder + parts.last(), folder + parts.first()), qPrintable(entry));
    }
}

} // namespace

class tst_LibraryTree : public QObject
{
    Q_OBJECT

private slots:
    void collectImages_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>(
            "expected"); // at most one file a folder per kind, so the order is fixed
        QTest::addColumn<int>("fileMax");
        QTest::addColumn<int>("fileCount");

        QTest::newRow("jpg, then gif, then bmp; hidden skipped")
            << QStringList{"f.bmp", "d.Gif",  "Shot1.JPG", "g.jpeg",  "hjpg",
                           "jpg",   ".x.jpg", ".gif",      ".h/a.jpg"}
            << QStringList{"Shot1.JPG", "d.Gif", "f.bmp"} << 5000 << 4;
        QTest::newRow("sub-folder after own files")
            << QStringList{"Sub/b.jpg", "a.jpg", "c.gif", "Sub/d.gif"}
            << QStringList{"a.jpg", "Sub/b.jpg", "c.gif", "Sub/d.gif"} << 5000 << 5;
        QTest::newRow("symbolic links") << QStringList{"a.jpg",
                                                       "Sub/b.jpg",
                                                       "SubLink>Sub",
                                                       "Sub/loop>.",
                                                       "dangling.jpg>none.jpg",
                                                       "x.gif>Sub/b.jpg"}
                                        << QStringList{"a.jpg", "Sub/b.jpg", "x.gif"} << 5000 << 4;
        QTest::newRow("beyond fileMax")
            << QStringList{"a.jpg", "b.gif", "c.bmp", "d.bmp"} << QStringList{"a.jpg", "b.gif"} << 2 << 5;
    }

    void collectImages()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, expected);
        QFETCH(int, fileMax);
        QFETCH(int, fileCount);

        QTemporaryDir dir;
        const QString set = dir.path() + QStringLiteral("/Set/");
        make(set, entries);
        AppState state;
        state.fileMax = fileMax;
        state.fileList = QStringList{"stale"};
        ResetFileWalk(state);
        CollectImages(state, set);
        QCOMPARE(state.fileList.replaceInStrings(set, QString()), expected);
        QCOMPARE(state.fileCount, fileCount);
    }

    void followsAtMostThousandSubfolders()
    {
        QTemporaryDir dir;
        const QString set = dir.path() + QStringLiteral("/Set/");
        for (int i = 0; i < 1001; ++i)
            TestLibrary::makeFile(set + QString::number(i) + QStringLiteral("/a.jpg"));

        AppState state; // fileCount counts every file found, stored or not
        EnumerateFiles(state, set, QStringLiteral("jpg"), FileMode::WithExtension);
        QCOMPARE(state.fileCount, 1000);
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

        QTemporaryDir dir;
        const QString root = dir.path() + QStringLiteral("/Lib/");
        make(root, {"f.jpg", "Alpha/In/Deep/x.jpg", "beta/Y/y.jpg", "beta/Y/up>beta", ".hidden/Z/z.jpg"});
        AppState state;
        state.dirMax = dirMax;
        ResetFolderWalk(state);
        EnumerateFolders(state, root, topOnly);

        QStringList found = state.dirList.replaceInStrings(root, QString());
        for (const QString& path : std::as_const(found)) // each folder after the folder holding it
            QVERIFY2(found.indexOf(path.section(QLatin1Char('/'), 0, -2)) < found.indexOf(path),
                     qPrintable(path));
        if (topOnly) // the same folders in the same listing order
            QCOMPARE(ListSubfolders(root), found);
        found.sort();
        QCOMPARE(found, expected);
        QCOMPARE(state.dirCount, dirCount);
    }
};

QTEST_GUILESS_MAIN(tst_LibraryTree)
#include "tst_LibraryTree.moc"
