#include "core/Startup.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void libraryRootFor_data();
    void libraryRootFor();
    void createLibrary();
};

void tst_Startup::libraryRootFor_data()
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

void tst_Startup::libraryRootFor()
{
    QFETCH(QString, argument);
    QFETCH(QString, root);
    QCOMPARE(LibraryRootFor(QStringLiteral("/p/"), argument).value_or(QString()), root);
}

void tst_Startup::createLibrary()
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

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
