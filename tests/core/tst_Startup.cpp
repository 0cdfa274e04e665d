#include "core/Autostart.h"
#include "core/Startup.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
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

    void dataFolders_data()
    {
        QTest::addColumn<QStringList>("present"); // made before: the install marker, a former library
        QTest::addColumn<bool>("readOnly");       // the program's folder takes no file
        QTest::addColumn<QString>("found");       // the settings folder, then the default library's parent
        // The plain build folder and installed program, with or without a library: end-to-end tests.
        QTest::newRow("read-only, not installed") << QStringList() << true << "config pictures";
        QTest::newRow("installed, a library in the former data folder")
            << QStringList{"marker", "former/Vistrelles/"} << false << "former former";
        QTest::newRow("build folder beside a former library")
            << QStringList{"former/Vistrelles/"} << false << "program program";
    }

    // Beside a program run from its build folder; for an installed one, where the user's pictures
    // and settings belong, unless a library is already kept elsewhere.
    void dataFolders()
    {
        QFETCH(QStringList, present);
        QFETCH(bool, readOnly);
        QFETCH(QString, found);
        QTemporaryDir dir;
        const QString base = dir.path() + QLatin1Char('/');
        QDir().mkpath(base + QStringLiteral("program"));
        for (const QString& entry : present) {
            if (entry == QLatin1String("marker"))
                QFile(base + QStringLiteral("program/Vistrelle.installed")).open(QIODevice::WriteOnly);
            else
                QDir().mkpath(base + entry);
        }
        const QString program = readOnly ? QStringLiteral("/proc/") : base + QStringLiteral("program/");
        const UserFolders user{base + QStringLiteral("pictures"), base + QStringLiteral("config"),
                               base + QStringLiteral("former")};
        const DataFolders folders = DataFoldersFor(program, user);
        const auto named = [&](const QString& folder) {
            return folder == program ? QStringLiteral("program") : folder.mid(base.size()).chopped(1);
        };
        QCOMPARE(named(folders.settings) + ' ' + named(folders.libraryParent), found);
        QVERIFY(QFileInfo(folders.settings).isDir() && QFileInfo(folders.libraryParent).isDir());
        QCOMPARE(QDir(program).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".vistrelle-")),
                 QStringList()); // the probe is gone
    }

    // The autostart entry's command as the desktop reads it back: quoted, escaped twice over.
    void autostartEntry_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("library");
        QTest::addColumn<QString>("exec"); // the Exec line, or "" for no entry
        QTest::newRow("default library") << "/opt/my apps/vistrelle"
                                         << ""
                                         << "Exec=\"/opt/my apps/vistrelle\" --low-resource";
        QTest::newRow("characters the desktop would read otherwise")
            << "/x/$y\"w\\%v`"
            << "/shots"
            << "Exec=\"/x/\\\\$y\\\\\"w\\\\\\\\%%v\\\\`\" --low-resource -- \"/shots\"";
        QTest::newRow("a line break") << "/a\nb/vistrelle"
                                      << ""
                                      << "";
    }
    void autostartEntry()
    {
        QFETCH(QString, program);
        QFETCH(QString, library);
        QFETCH(QString, exec);
        const QStringList lines = QString::fromUtf8(AutostartEntry(program, library)).split('\n');
        QCOMPARE(lines.filter(QRegularExpression("^Exec=")).value(0), exec);
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
