#include "app/CommandLine.h"

#include <QTest>

// The command line: the commands that run without a window, the switches of the start, the
// words that name the library's folder, and what is refused with exit status 2.
class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("read"); // command, "low-resource", the folder's words, or "error: ..."
        QTest::newRow("nothing") << QStringList() << "";
        QTest::newRow("a folder in two words") << QStringList{"My", "Shots"} << "My|Shots";
        QTest::newRow("a folder after --") << QStringList{"--", "-shots", "--help"} << "-shots|--help";
        QTest::newRow("a lone dash is a folder") << QStringList{"-"} << "-";
        QTest::newRow("low-resource with a folder")
            << QStringList{"/home/me", "--low-resource"} << "low-resource /home/me";
        QTest::newRow("help") << QStringList{"--help"} << "--help";
        QTest::newRow("help, short") << QStringList{"-h"} << "--help";
        QTest::newRow("version") << QStringList{"--version"} << "--version";
        QTest::newRow("capture the window") << QStringList{"--capture-window"} << "--capture-window";
        QTest::newRow("time-lapse") << QStringList{"--time-lapse"} << "--time-lapse";
        QTest::newRow("unknown") << QStringList{"--bogus"} << "error: unknown option '--bogus'";
        QTest::newRow("unknown short") << QStringList{"-x", "dir"} << "error: unknown option '-x'";
        QTest::newRow("a command with a folder")
            << QStringList{"--time-lapse", "x"}
            << "error: '--time-lapse' cannot be given with other arguments";
        QTest::newRow("two commands") << QStringList{"--help", "--version"}
                                      << "error: '--version' and '--help' cannot be given together";
        QTest::newRow("a value where none is taken")
            << QStringList{"--version=2"} << "error: '--version' takes no value";
    }

    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, read);
        const CommandLine line = ParseCommandLine(arguments);
        QString got = line.directory.join('|');
        if (line.lowResource)
            got = "low-resource " + got;
        if (line.command)
            got = line.command->name;
        if (!line.error.isEmpty())
            got = "error: " + line.error;
        QCOMPARE(got, read);
    }

    // --help names every switch, and every switch is found by the names it shows.
    void helpNamesEverySwitch()
    {
        const QString usage = UsageText();
        for (const CommandSwitch& entry : CommandSwitches()) {
            QVERIFY2(usage.contains(QLatin1String(entry.name) + ' '), entry.name);
            QVERIFY2(usage.contains(QLatin1String(entry.summary)), entry.name);
            const QStringList alone =
                entry.value ? QStringList{entry.name, "x"} : QStringList{QLatin1String(entry.name)};
            QVERIFY(ParseCommandLine(alone).error.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
