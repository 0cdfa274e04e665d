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
        QTest::addColumn<QString>("root");

        QTest::newRow("no argument") << "" << QStringLiteral("/p/Vistrelles/");
        QTest::newRow("folder with slash") << "/d/Shots/" << QStringLiteral("/d/Shots/Vistrelles/");
        QTest::newRow("two characters") << "/d" << QStringLiteral("/d/Vistrelles/");
        QTest::newRow("relative") << "Shots" << QDir::currentPath() + "/Shots/Vistrelles/";
    }

    void libraryRootFor()
    {
        QFETCH(QString, argument);
        QFETCH(QString, root);
        QCOMPARE(LibraryRootFor(QStringLiteral("/p/"), argument).value_or(QString()), root);
    }

    // Beside the program while it takes files there, else in the user's data folder, made for it.
    void programDataFolder()
    {
        QTemporaryDir dir;
        const QString programDir = dir.path() + QLatin1Char('/');
        const QString userData = dir.path() + QStringLiteral("/user/share/Vistrelle");
        QCOMPARE(ProgramDataFolder(programDir, userData), programDir);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList()); // the probe is gone, and no user folder was made
        QCOMPARE(ProgramDataFolder(QStringLiteral("/proc/"), userData), userData + QLatin1Char('/'));
        QVERIFY(QFileInfo(userData).isDir());
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
