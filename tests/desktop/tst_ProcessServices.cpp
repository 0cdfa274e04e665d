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

// The process's own services: the locks that keep one program to a library, and the signals
// that end a session.
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
};

QTEST_GUILESS_MAIN(tst_ProcessServices)
#include "tst_ProcessServices.moc"
