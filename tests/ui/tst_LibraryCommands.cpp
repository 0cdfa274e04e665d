#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTest>

using namespace TestLibrary;

namespace {

// Makes each entry below the library root (a file holding its own path, or a folder for "x/"),
// then starts the program.
void startOn(AppUnderTest& t, const QStringList& entries)
{
    for (const QString& entry : entries)
        entry.endsWith('/') ? makeFolder(t.root() + entry) : makeFile(t.root() + entry, entry.toUtf8());
    QVERIFY(t.start());
}

void press(AppUnderTest& t, const QList<int>& rows, int current, Qt::Key key)
{
    t.list()->setCurrentRow(current);
    for (int row = 0; row < t.list()->count(); ++row)
        t.list()->item(row)->setSelected(rows.contains(row));
    QTest::keyClick(t.list(), key);
}

QStringList files(AppUnderTest& t, const QString& folder)
{
    return QDir(t.root() + folder).entryList(QDir::Files);
}

} // namespace

class tst_LibraryCommands : public QObject
{
    Q_OBJECT

private slots:
    void newCategoryAndImageSet()
    {
        AppUnderTest t;
        startOn(t, {"b/Set/", "d/Set/"});
        t.choose("cboImageSetCategory", "d");
        t.fakes.dialogs.names = {"C", std::nullopt, "b", "New Set"};
        for (const char* command : {"cmdNewCategory", "cmdNewCategory", "cmdNewCategory", "cmdNewImageSet"})
            t.click(command);
        QCOMPARE(t.items("cboImageSetCategory"), (QStringList{"b", "C", "d"}));
        QCOMPARE(t.control<QComboBox>("cboImageSetCategory")->currentText(), "d");
        QCOMPARE(t.items("cboImageSetName"), (QStringList{"New Set", "Set"}));
        QCOMPARE(t.control<QComboBox>("cboImageSetName")->currentText(), "Set");
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"Problem creating Category.  It probably already exists."});
    }

    void deleteCategoryAsksTwice_data()
    {
        QTest::addColumn<QList<BoxAnswer>>("answers");
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("No") << QList{BoxAnswer::No} << QStringList{"A", "B"};
        QTest::newRow("Yes, then Yes") << QList{BoxAnswer::Yes, BoxAnswer::Yes} << QStringList{"A", "B"};
        QTest::newRow("Yes, then No") << QList{BoxAnswer::Yes, BoxAnswer::No} << QStringList{"B"};
    }
    void deleteCategoryAsksTwice()
    {
        QFETCH(QList<BoxAnswer>, answers);
        QFETCH(QStringList, categories);
        AppUnderTest t;
        startOn(t, {"A/Set/shot.jpg", "B/Set/", "../outside/keep.jpg"});
        QFile::setPermissions(t.root() + "A/Set/shot.jpg", QFile::ReadOwner);
        QVERIFY(QFile::link(t.dir.path() + "/outside", t.root() + "A/Set/elsewhere"));
        t.fakes.boxes.answers = answers;
        t.click("cmdDeleteCategory");
        QCOMPARE(t.items("cboImageSetCategory"), categories);
        QCOMPARE(QDir(t.root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), categories);
        QCOMPARE(files(t, "../outside"), QStringList{"keep.jpg"});
        const QStringList asked{
            "WARNING!!!  This will remove the category and all image sets contained in it.  "
            "Are you sure?",
            "LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  "
            "Should I Abort?",
            "Done."};
        QCOMPARE(t.fakes.boxes.texts(), asked.mid(0, answers.size() + (categories.size() == 1)));
    }

    void deleteImageSetThenTheLastCategory()
    {
        AppUnderTest t;
        startOn(t, {"Cat/a/one.jpg", "Cat/b/", "Cat/c/"});
        t.choose("cboImageSetName", "b");
        t.fakes.boxes.answers = {BoxAnswer::Yes, BoxAnswer::Ok, BoxAnswer::Yes, BoxAnswer::No};
        t.click("cmdDeleteImageSet");
        QCOMPARE(t.items("cboImageSetName"), (QStringList{"a", "c"}));
        QCOMPARE(t.list()->currentItem()->text(), "one.jpg");
        t.click("cmdDeleteCategory");
        QCOMPARE(t.items("cboImageSetCategory") + t.items("cboImageSetName") + t.listed(), QStringList());
    }

    void deleteOutsideTheLibraryStopsTheProgram()
    {
        AppUnderTest t;
        startOn(t, {"Cat/Set/shot.jpg"});
        t.state().libraryRoot = "Vistrelles/";
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        t.click("cmdDeleteImageSet");
        QCOMPARE(t.fakes.boxes.texts().last(), "Critical error.  Code E.");
        QCOMPARE(files(t, "Cat/Set"), QStringList{"shot.jpg"});
        QVERIFY(!t.main().isVisible());
    }

    void deleteKeyKeepsThePlace()
    {
        AppUnderTest t;
        QStringList shots;
        for (int n = 1; n <= 10; ++n)
            shots.append(QString("Cat/Set/f%1.jpg").arg(n, 2, 10, QChar('0')));
        startOn(t, shots);
        t.fakes.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
        press(t, {1, 2, 3}, 3, Qt::Key_Delete);
        t.fakes.boxes.whileShown = [&t] {
            makeFile(t.root() + "Cat/Set/f00.jpg");
            t.main().RefreshImageSets();
        };
        press(t, {1, 2, 3}, 3, Qt::Key_Delete);
        t.fakes.boxes.whileShown = nullptr;
        QCOMPARE(files(t, "Cat/Set"), (QStringList{"f00.jpg", "f01.jpg", "f05.jpg", "f06.jpg", "f07.jpg",
                                                   "f08.jpg", "f09.jpg", "f10.jpg"}));
        QCOMPARE(t.list()->currentItem()->text(), "f07.jpg");
        press(t, {}, 0, Qt::Key_Delete);
        press(t, {}, 0, Qt::Key_Space);
        QCOMPARE(t.fakes.boxes.texts(),
                 (QStringList{"Are you sure you want to delete the 3 files selected?",
                              "Are you sure you want to delete the 3 files selected?",
                              "Select file(s) to delete first.", "Select file(s) to relocate first."}));
    }

    void spaceMovesWithoutReplacing()
    {
        AppUnderTest t;
        startOn(t, {"A/From/1.jpg", "A/From/2.jpg", "A/From/3.jpg", "B/To/2.jpg"});
        t.fakes.dialogs.targets = {{"B", "To"}, {"A", "From"}};
        press(t, {0, 1, 2}, 0, Qt::Key_Space);
        press(t, {0}, 0, Qt::Key_Space);
        QCOMPARE(t.fakes.dialogs.captions, (QStringList{"Where should these (3) files be moved?",
                                                        "Where should these (1) files be moved?"}));
        QCOMPARE(files(t, "A/From"), QStringList{"2.jpg"});
        QCOMPARE(files(t, "B/To"), (QStringList{"1.jpg", "2.jpg", "3.jpg"}));
        QCOMPARE(contents(t.root() + "B/To/2.jpg"), "B/To/2.jpg");
        QCOMPARE(t.fakes.boxes.texts(), (QStringList{"These files were not moved and are still where they "
                                                     "were:\n\n2.jpg: a file of that name is already there",
                                                     "Done.", "Done."}));
        QCOMPARE(t.state().lastRelocateCategory + "/" + t.state().lastRelocateImageSet, "A/From");
    }

    void libraryChangedBehindTheWindowsBack_data()
    {
        QTest::addColumn<QString>("change"); // done by another program while the window shows A/Set
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("sets"); // the Image Sets offered afterwards
        const QString warning =
            "WARNING!!!  This will remove the image set and all the images contained in it.  "
            "Are you sure?";
        const QString notMoved = "These files were not moved and are still where they were:\n\n"
                                 "1.jpg: No such file or directory";
        QTest::newRow("set renamed, refresh") << "rename set"
                                              << "refresh" << QStringList() << QStringList{"Dest", "Renamed"};
        QTest::newRow("set renamed, delete a file")
            << "rename set"
            << "delete file" << QStringList{"Are you sure you want to delete the 1 files selected?"}
            << QStringList{"Dest", "Renamed"};
        QTest::newRow("set renamed, move a file")
            << "rename set"
            << "move file" << QStringList{notMoved, "Done."} << QStringList{"Dest", "Renamed"};
        QTest::newRow("set deleted, delete the set")
            << "delete set"
            << "delete set" << QStringList{warning, "Done."} << QStringList{"Dest"};
        QTest::newRow("set replaced by a file, delete the set")
            << "set is a file"
            << "delete set"
            << QStringList{warning,
                           "There was a problem removing a directory.  The directory or files contained in "
                           "it may be set to READ ONLY mode (i.e. they're on a CD ROM).",
                           "Done."}
            << QStringList{"Dest"};
        QTest::newRow("category replaced by a file, refresh")
            << "category is a file"
            << "refresh" << QStringList() << QStringList{"Other"};
        QTest::newRow("target set deleted, move a file")
            << "delete target"
            << "move file" << QStringList{notMoved, "Done."} << QStringList{"Dest", "Set"};
    }

    void libraryChangedBehindTheWindowsBack()
    {
        QFETCH(QString, change);
        QFETCH(QString, command);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, sets);
        AppUnderTest t;
        startOn(t, {"A/Set/1.jpg", "A/Set/2.jpg", "A/Dest/d.jpg", "B/Other/o.jpg"});
        t.choose("cboImageSetName", "Set");
        QDir library(t.root());
        const QString away = t.dir.path() + "/away";
        if (change == "rename set") {
            QVERIFY(library.rename("A/Set", "A/Renamed"));
        } else if (change == "delete set") {
            QVERIFY(QDir(t.root() + "A/Set").removeRecursively());
        } else if (change == "delete target") {
            QVERIFY(library.rename("B/Other", away));
        } else {
            const QString replaced = change == "set is a file" ? "A/Set" : "A";
            QVERIFY(library.rename(replaced, away));
            makeFile(t.root() + replaced, "not a folder");
        }
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        t.fakes.dialogs.targets = {{"B", "Other"}};
        if (command == "refresh")
            t.click("cmdRefresh");
        else if (command == "delete set")
            t.click("cmdDeleteImageSet");
        else
            press(t, {0}, 0, command == "delete file" ? Qt::Key_Delete : Qt::Key_Space);

        QCOMPARE(t.fakes.boxes.texts(), messages);
        QCOMPARE(t.items("cboImageSetName"), sets);
        QVERIFY(t.list()->count() > 0);
        // Every picture is still somewhere, and what replaced a folder is untouched.
        const QStringList pictures = change == "delete set" ? QStringList() : QStringList{"1.jpg", "2.jpg"};
        const QString setNow = change == "rename set"           ? "A/Renamed"
                               : change == "set is a file"      ? "../away"
                               : change == "category is a file" ? "../away/Set"
                                                                : "A/Set";
        QCOMPARE(files(t, setNow), pictures);
        QCOMPARE(files(t, change == "delete target" ? "../away" : "B/Other"), QStringList{"o.jpg"});
        if (change.endsWith("is a file")) {
            QFile kept(t.root() + (change == "set is a file" ? "A/Set" : "A"));
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), "not a folder");
        }
    }

    void fileOptions_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("message");
        const QStringList untouched{"image_1.jpg", "other.jpg"};
        QTest::newRow("open") << 1 << std::optional<QString>() << untouched
                              << "I don't know what action to take with the selected file type.  Try "
                                 "associating it with a program in Windows Explorer.";
        QTest::newRow("rename") << 2 << std::optional<QString>("new.jpg")
                                << QStringList{"new.jpg", "other.jpg"} << "";
        QTest::newRow("letter case") << 2 << std::optional<QString>("Image_1.jpg")
                                     << QStringList{"Image_1.jpg", "other.jpg"} << "";
        QTest::newRow("name cancelled") << 2 << std::optional<QString>() << untouched << "";
        QTest::newRow("name taken") << 2 << std::optional<QString>("other.jpg") << untouched
                                    << "Problem renaming file.  The file name probably already exists.";
    }
    void fileOptions()
    {
        QFETCH(int, choice);
        QFETCH(std::optional<QString>, typed);
        QFETCH(QStringList, after);
        QFETCH(QString, message);
        AppUnderTest t;
        startOn(t, {"Cat/Set/image_1.jpg", "Cat/Set/other.jpg"});
        t.fakes.dialogs.fileOptions = {choice};
        t.fakes.dialogs.names = {typed};
        t.fakes.shell.succeeds = false;
        const QPoint onFirst = t.list()->visualItemRect(t.list()->item(0)).center();
        QTest::mouseClick(t.list()->viewport(), Qt::LeftButton, {}, onFirst);
        QTest::mouseDClick(t.list()->viewport(), Qt::LeftButton, {}, onFirst);
        QCOMPARE(files(t, "Cat/Set"), after);
        QCOMPARE(t.listed().first(), after.first());
        QCOMPARE(t.fakes.boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(t.fakes.dialogs.namesOffered, QStringList(choice - 1, "image_1.jpg"));
        QCOMPARE(t.fakes.shell.opened, QStringList(2 - choice, t.root() + "Cat/Set/image_1.jpg"));
    }
};

QTEST_MAIN(tst_LibraryCommands)
#include "tst_LibraryCommands.moc"
