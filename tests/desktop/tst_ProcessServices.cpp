#include "desktop/qt/DesktopShell.h"
#include "desktop/qt/LockFileInstance.h"
#include "desktop/qt/TerminationSignals.h"
#include "support/TestLibrary.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

using namespace TestLibrary;

// The process's own services: the locks that keep one program to a library, the signals that
// end a session, and the desktop's opener.
class tst_ProcessServices : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_base = m_dir.path() + '/';

private slots:
    // A second program on the same library is refused, whatever its runtime folder; another
    // library is no obstacle.
    void oneProgramPerLibrary()
    {
        const QString library = m_base + "lib/";
        makeFolder(library);
        makeFolder(m_base + "other/");
        LockFileInstance first;
        LockFileInstance second;
        LockFileInstance third;
        for (auto [instance, runtime] : {std::pair{&first, "run1"}, {&second, "run2"}, {&third, "run3"}}) {
            QVERIFY(::mkdir(QFile::encodeName(m_base + runtime).constData(), 0700) == 0);
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_base + runtime));
            QVERIFY(instance->acquire());
        }
        QVERIFY(first.acquireLibrary(library));
        QVERIFY(!second.acquireLibrary(library));
        QVERIFY(third.acquireLibrary(m_base + "other/"));
        QCOMPARE(QDir(library).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }

    void terminationSignals()
    {
        TerminationSignals ending;
        QSignalSpy spy(&ending, &TerminationSignals::received);
        for (const int number : {SIGTERM, SIGHUP, SIGINT})
            QVERIFY(::raise(number) == 0);
        QTRY_COMPARE(spy.size(), 3);
        QCOMPARE(spy.at(0).at(0).toInt(), SIGTERM);
        QCOMPARE(spy.at(1).at(0).toInt(), SIGHUP);
        QCOMPARE(spy.at(2).at(0).toInt(), SIGINT);
    }

    // A failure is told whenever the opener fails, also after it started; a success never.
    void openerFailures_data()
    {
        QTest::addColumn<QString>("opener"); // the xdg-open script, or "" for none on the PATH
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("told");
        QTest::newRow("opened") << "exit 0"
                                << "folder" << false;
        QTest::newRow("no program for it") << "exit 3"
                                           << "folder" << true;
        QTest::newRow("opener killed") << "kill -9 $$"
                                       << "folder" << true;
        QTest::newRow("no opener") << ""
                                   << "folder" << true;
        QTest::newRow("file opened") << "exit 0"
                                     << "file.jpg" << false;
        QTest::newRow("file missing") << "exit 0"
                                      << "gone.jpg" << true;
    }
    void openerFailures()
    {
        QFETCH(QString, opener);
        QFETCH(QString, path);
        QFETCH(bool, told);
        QTemporaryDir bin;
        if (!opener.isEmpty()) {
            makeFile(bin.filePath("xdg-open"),
                     "#!/bin/sh\necho \"$1\" >\"$0.asked\"\n" + opener.toUtf8() + "\n");
            QFile::setPermissions(bin.filePath("xdg-open"), QFile::ReadOwner | QFile::ExeOwner);
        }
        makeFolder(m_base + "folder");
        makeFile(m_base + "file.jpg");
        const QByteArray path0 = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        int failures = 0;
        DesktopShell shell;
        const auto failed = [&failures] { ++failures; };
        path.endsWith(".jpg") ? shell.open(m_base + path, failed) : shell.explore(m_base + path, failed);
        qputenv("PATH", path0);
        if (told) {
            QTRY_COMPARE(failures, 1);
        } else {
            QTRY_COMPARE(contents(bin.filePath("xdg-open.asked")), (m_base + path + '\n').toUtf8());
            QTest::qWait(300);
            QCOMPARE(failures, 0);
        }
    }
};

QTEST_GUILESS_MAIN(tst_ProcessServices)
#include "tst_ProcessServices.moc"
