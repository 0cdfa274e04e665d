#include "library/ImageSetModel.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QtTest>

namespace {

const QString set = "/lib/Cat/Set/";

QStringList inSet(const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names)
        paths.append(set + name);
    return paths;
}

} // namespace

// The Image Set's rows in display order, without a view.
class tst_ImageSetModel : public QObject
{
    Q_OBJECT

private slots:
    void listingAndCapture_data()
    {
        QTest::addColumn<QString>("captured");
        // Into an empty set: the main window's capture test.
        QTest::newRow("first") << "(a).jpg";
        QTest::newRow("between two files, letter case ignored") << "b.jpg";
        QTest::newRow("before a sub-folder") << "Image_1_Time_Lapsed.jpg";
        QTest::newRow("last") << "zz.jpg";
    }

    // The first images as the walk gives them are kept, then put in display order: punctuation,
    // digits, letters; case ignored, shorter first; names that differ only in case still get one
    // fixed order; a sub-folder's files stand together (how they are shown is the main window's
    // file list test). A capture's row goes where the order puts it, as a listing would; the
    // current row stays on its file.
    void listingAndCapture()
    {
        QFETCH(QString, captured);
        QStringList ascending{"(b).jpg",       "_a",        "{",     "~",      "0a",      "1.jpg",
                              "A.jpg",         "a.jpg",     "apple", "Banana", "bANANAS", "Image_1.jpg",
                              "Image_1_2.jpg", "sub/A.jpg", "Zebra"};
        ImageSetModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setImages(set, inSet(QStringList(ascending.crbegin(), ascending.crend()) << "z.bmp"),
                        ascending.size());
        QCOMPARE(model.paths(), inSet(ascending));
        QItemSelectionModel selection(&model);
        selection.setCurrentIndex(model.index(model.rowCount() - 1), QItemSelectionModel::ClearAndSelect);
        model.insertImage(set + captured);
        QCOMPARE(selection.currentIndex().data().toString(), "Zebra");
        ascending.append(captured);
        ImageSetModel listing;
        listing.setImages(set, inSet(ascending), ascending.size());
        QCOMPARE(model.paths(), listing.paths());
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void rename_data()
    {
        QTest::addColumn<QString>("rename"); // the file's name -> its new name
        QTest::newRow("one row on") << "b.jpg -> c2.jpg";
        QTest::newRow("to the end") << "a.jpg -> z.jpg";
        QTest::newRow("one row back") << "d.jpg -> c0.jpg";
        QTest::newRow("to the front") << "e.jpg -> (e).jpg";
        QTest::newRow("in place") << "c.jpg -> C.jpg";
    }

    // A renamed file's row moves where a listing would put it, staying current; every row is
    // found by its path, none by the old one.
    void rename()
    {
        QFETCH(QString, rename);
        const QString from = rename.section(" -> ", 0, 0), to = rename.section(" -> ", 1);
        QStringList names{"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"};
        ImageSetModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setImages(set, inSet(names), names.size());
        QItemSelectionModel selection(&model);
        selection.setCurrentIndex(model.index(model.rowOf(set + from)), QItemSelectionModel::ClearAndSelect);
        model.renameImage(set + from, set + to);
        names[names.indexOf(from)] = to;
        ImageSetModel listing;
        listing.setImages(set, inSet(names), names.size());
        QCOMPARE(model.paths(), listing.paths());
        QCOMPARE(selection.currentIndex().data().toString(), to);
        for (int row = 0; row < model.rowCount(); ++row)
            QCOMPARE(model.rowOf(model.path(row)), row);
        QCOMPARE(model.rowOf(set + from), -1);
    }
};

QTEST_GUILESS_MAIN(tst_ImageSetModel)
#include "tst_ImageSetModel.moc"
