#include "core/Autostart.h"
#include "core/Startup.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    // A folder given from the current folder is the library's in full: the deletes refuse a
    // root that is not. (The folders given otherwise: the end-to-end start-up test.)
    void relativeFolder()
    {
        QCOMPARE(LibraryRootFor("/p/", "Shots").value_or(QString()),
                 QDir::currentPath() + "/Shots/Vistrelles/");
    }

    // A program that is not installed, in a folder it cannot write to, keeps the settings and the
    // library in the user's folders, made for it. (Installed, from its build folder, and with a
    // former library: the end-to-end installed test.)
    void readOnlyProgramFolder()
    {
        QTemporaryDir dir;
        const QString base = dir.path() + QLatin1Char('/');
        const DataFolders folders = DataFoldersFor(
            QStringLiteral("/proc/"), {base + QStringLiteral("pictures"), base + QStringLiteral("config"),
                                       base + QStringLiteral("former")});
        QCOMPARE(folders.settings + QLatin1Char(' ') + folders.libraryParent,
                 base + QStringLiteral("config/ ") + base + QStringLiteral("pictures/"));
        QVERIFY(QFileInfo(folders.settings).isDir() && QFileInfo(folders.libraryParent).isDir());
    }

    // The autostart entry's command as the desktop reads it back: quoted, escaped twice over.
    void autostartEntry_data()
    {
        QTest::addColumn<QString>("row"); // the program | the library | the Exec line, or none for no entry
        QTest::newRow("default library")
            << "/opt/my apps/vistrelle |  | Exec=\"/opt/my apps/vistrelle\" --low-resource";
        QTest::newRow("characters the desktop would read otherwise")
            << "/x/$y\"w\\%v` | /shots | Exec=\"/x/\\\\$y\\\\\"w\\\\\\\\%%v\\\\`\" --low-resource -- "
               "\"/shots\"";
        QTest::newRow("a line break") << "/a\nb/vistrelle |  | ";
    }
    void autostartEntry()
    {
        QFETCH(QString, row);
        const QStringList lines =
            QString::fromUtf8(AutostartEntry(row.section(" | ", 0, 0), row.section(" | ", 1, 1))).split('\n');
        QCOMPARE(lines.filter(QRegularExpression("^Exec=")).value(0), row.section(" | ", 2));
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_Startup.moc"
