#include "library/ImageSetModel.h"

#include <QItemSelectionModel>
#include <QtTest>

namespace {

const QString set = "/lib/Cat/Set/";

// The model's rows as "name" (display text) where the path is the set's folder and the name, else
// as the path below the folder.
QStringList rows(const ImageSetModel& model)
{
    QStringList lines;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString path = model.index(row).data(ImageSetModel::PathRole).toString();
        const QString name = model.index(row).data().toString();
        QString line = path.mid(set.size());
        if (line != name)
            line += " (" + name + ")";
        lines.append(line);
    }
    return lines;
}

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
    // The first images as the walk gives them are kept, then put in display order; a sub-folder's
    // files stand together, shown by their names.
    void listing()
    {
        ImageSetModel model;
        model.setImages(set, inSet({"c.jpg", "sub/A.jpg", "B.jpg", "(i).jpg", "a.png", "z.bmp"}), 5);
        QCOMPARE(rows(model), (QStringList{"(i).jpg", "a.png", "B.jpg", "c.jpg", "sub/A.jpg (A.jpg)"}));
        QCOMPARE(model.rowOf(set + "z.bmp"), -1);
        model.clear();
        QCOMPARE(model.rowCount(), 0);
    }

    void captureTakesItsPlace_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("captured");
        QTest::addColumn<int>("row");
        const QStringList shots{"Image_040417_101010.jpg", "Image_040417_121212.jpg", "sub/x.jpg"};
        // Between two files, letter case ignored: the thumbnail viewer's capture.
        QTest::newRow("empty") << QStringList() << "Image_040417_111111.jpg" << 0;
        QTest::newRow("first") << shots << "Image_040417_090909.jpg" << 0;
        QTest::newRow("before a sub-folder") << shots << "Image_040417_121212_Time_Lapsed.jpg" << 2;
        QTest::newRow("last") << shots << "z.jpg" << 3;
    }

    // A capture's row goes where the order puts it, as a listing would; the current row stays on
    // its file.
    void captureTakesItsPlace()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, captured);
        QFETCH(int, row);
        ImageSetModel model;
        model.setImages(set, inSet(listed), 10);
        QItemSelectionModel selection(&model);
        selection.setCurrentIndex(model.index(model.rowCount() - 1), QItemSelectionModel::ClearAndSelect);
        const QString current = selection.currentIndex().data().toString();
        QCOMPARE(model.insertImage(set + captured), row);
        QCOMPARE(selection.currentIndex().data().toString(), current);
        ImageSetModel listing;
        listing.setImages(set, inSet(listed << captured), 10);
        QCOMPARE(rows(model), rows(listing));
    }
};

QTEST_GUILESS_MAIN(tst_ImageSetModel)
#include "tst_ImageSetModel.moc"
