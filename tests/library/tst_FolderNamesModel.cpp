#include "library/FolderNamesModel.h"
#include "support/TestLibrary.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestLibrary;

// The Categories or Image Sets a choice offers, without a combo box: listed in display order,
// then following the folder row by row.
class tst_FolderNamesModel : public QObject
{
    Q_OBJECT

    static QList<int> firstRows(const QSignalSpy& spy)
    {
        QList<int> rows;
        for (const QList<QVariant>& call : spy)
            rows.append(call.at(1).toInt());
        return rows;
    }

private slots:
    void follow_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("kept");        // the name chosen
        QTest::addColumn<QList<int>>("removed");  // rows, as each removal came
        QTest::addColumn<QList<int>>("inserted"); // rows, as each insertion came
        QTest::newRow("made between")
            << QStringList{"c", "A"} << QStringList{"A", "b", "c"} << "c" << QList<int>{} << QList<int>{1};
        QTest::newRow("made first and last")
            << QStringList{"b"} << QStringList{"(a)", "b", "z"} << "b" << QList<int>{} << QList<int>{0, 2};
        QTest::newRow("removed") << QStringList{"a", "B", "c"} << QStringList{"a", "c"} << "c"
                                 << QList<int>{1} << QList<int>{};
        QTest::newRow("renamed to the front") << QStringList{"a", "b", "c"} << QStringList{"0b", "a", "c"}
                                              << "a" << QList<int>{1} << QList<int>{0};
        QTest::newRow("the one chosen gone")
            << QStringList{"a", "b"} << QStringList{"b", "c"} << "a" << QList<int>{} << QList<int>{};
    }

    // A listing comes in display order, the row of the name chosen to choose again; what another
    // program made or removed since comes and goes a row at a time, in its place, and the rows
    // kept stay on their names. With the name chosen gone, the rows stay for a new listing.
    void follow()
    {
        QFETCH(QStringList, before);
        QFETCH(QStringList, after);
        QFETCH(QString, kept);
        QFETCH(QList<int>, removed);
        QFETCH(QList<int>, inserted);
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        for (const QString& name : before)
            makeFolder(root + name);
        makeFile(root + "a file");
        FolderNamesModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QStringList listed = before;
        listed.sort(Qt::CaseInsensitive);
        QCOMPARE(model.list(root, kept), listed.indexOf(kept));
        QCOMPARE(model.names(), listed);
        const QPersistentModelIndex chosen = model.index(model.rowOf(kept));

        for (const QString& name : before)
            if (!after.contains(name))
                QVERIFY(QDir(root + name).removeRecursively());
        for (const QString& name : after)
            makeFolder(root + name);
        QSignalSpy removals(&model, &QAbstractItemModel::rowsRemoved);
        QSignalSpy insertions(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QCOMPARE(model.follow(kept), after.contains(kept));
        if (after.contains(kept))
            listed = after;
        listed.sort(Qt::CaseInsensitive);
        QCOMPARE(model.names(), listed);
        QCOMPARE(firstRows(removals), removed);
        QCOMPARE(firstRows(insertions), inserted);
        QCOMPARE(resets.count(), 0);
        QCOMPARE(chosen.data().toString(), kept);

        QCOMPARE(model.list(root, "gone"), 0);
        QCOMPARE(model.list(QString(), kept), -1);
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_FolderNamesModel)
#include "tst_FolderNamesModel.moc"
