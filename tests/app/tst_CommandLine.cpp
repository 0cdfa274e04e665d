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
        // What is read: the command and its words, "low-resource", the folder's words, or "error: ...".
        QTest::addColumn<QString>("read");
        // --help, -h, --bogus, -x, --version=2 and --help with a folder: the end-to-end command-line test.
        QTest::newRow("nothing") << QStringList() << "";
        QTest::newRow("a folder in two words") << QStringList{"My", "Shots"} << "My|Shots";
        QTest::newRow("-, and words after --") << QStringList{"-", "--", "-s", "--help"} << "-|-s|--help";
        QTest::newRow("low-resource with a folder")
            << QStringList{"/home/me", "--low-resource"} << "low-resource /home/me";
        QTest::newRow("find takes the rest") << QStringList{"--find", "-x", "two"} << "--find -x two";
        QTest::newRow("find, first word after =") << QStringList{"--find=one", "two"} << "--find one two";
        QTest::newRow("two commands") << QStringList{"--help", "--version"}
                                      << "error: '--version' and '--help' cannot be given together";
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
            got = (QStringList{line.command->name} + line.values).join(' ');
        if (!line.error.isEmpty())
            got = "error: " + line.error;
        QCOMPARE(got, read);
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
