#include "core/Startup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void libraryRootFor_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("root"); // empty when refused

        QTest::newRow("no argument") << "" << QStringLiteral("/p/Vistrelles/");
        QTest::newRow("folder") << "/d/Shots" << QStringLiteral("/d/Shots/Vistrelles/");
        QTest::newRow("folder with slash") << "/d/Shots/" << QStringLiteral("/d/Shots/Vistrelles/");
        QTest::newRow("one character") << "/" << QString();
        QTest::newRow("two characters") << "/d" << QStringLiteral("/d/Vistrelles/");
        QTest::newRow("relative") << "Shots" << QDir::currentPath() + "/Shots/Vistrelles/";
    }

    void libraryRootFor()
    {
        QFETCH(QString, argument);
        QFETCH(QString, root);
        QCOMPARE(LibraryRootFor(QStringLiteral("/p/"), argument).value_or(QString()), root);
    }

    void createLibrary()
    {
        QTemporaryDir dir;
        const QDir base(dir.path());
        QVERIFY(!CreateLibraryIfMissing(base.filePath(QStringLiteral("absent/Lib/"))).isEmpty());
        QVERIFY(base.isEmpty()); // a missing parent is not created

        QVERIFY(CreateLibraryIfMissing(base.filePath(QStringLiteral("Lib/"))).isEmpty());
        QVERIFY(base.exists(QStringLiteral("Lib/Default Category/Default Image Set")));

        QVERIFY(base.mkdir(QStringLiteral("Empty")));
        QVERIFY(CreateLibraryIfMissing(base.filePath(QStringLiteral("Empty/"))).isEmpty());
        QVERIFY(QDir(base.filePath(QStringLiteral("Empty"))).isEmpty()); // an existing root is left as it is
    }

    void programDataFolder_data()
    {
        QTest::addColumn<QString>("programDir"); // "TEMP/" stands for a writable folder
        QTest::addColumn<bool>("besideProgram");

        QTest::newRow("writable program folder") << "TEMP/" << true;
        QTest::newRow("program folder gone") << "TEMP/absent/" << false;
        QTest::newRow("folder that takes no files") << "/proc/" << false;
    }

    void programDataFolder()
    {
        QFETCH(QString, programDir);
        QFETCH(bool, besideProgram);
        QTemporaryDir dir;
        programDir.replace(QStringLiteral("TEMP"), dir.path());
        const QString userData = dir.path() + QStringLiteral("/user/share/Vistrelle");

        const QString chosen = ProgramDataFolder(programDir, userData);
        QCOMPARE(chosen, besideProgram ? programDir : userData + QLatin1Char('/'));
        QVERIFY(QFileInfo(chosen).isDir());
        QCOMPARE(QFileInfo::exists(userData), !besideProgram);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList()); // the probe is gone
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
