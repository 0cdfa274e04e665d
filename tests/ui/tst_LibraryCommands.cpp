#include "core/VistrelleApp.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace TestLibrary;

class tst_LibraryCommands : public QObject
{
    Q_OBJECT

private:
    void start(const QStringList& files)
    {
        for (const QString& file : files)
            file.endsWith('/') ? makeFolder(root() + file) : makeFile(root() + file, file.toUtf8());
        m_app = std::make_unique<VistrelleApp>(m_fakes->services, m_dir->path(), QStringList());
        QVERIFY(m_app->start());
    }
    template <typename T> T* control(const char* name) const
    {
        return m_app->mainWindow()->findChild<T*>(QLatin1String(name));
    }
    void click(const char* name) { control<QPushButton>(name)->click(); }
    void choose(const char* combo, const QString& text)
    {
        const int row = control<QComboBox>(combo)->findText(text);
        control<QComboBox>(combo)->setCurrentIndex(row);
        emit control<QComboBox>(combo)->activated(row);
    }
    QStringList items(const char* combo) const
    {
        QStringList texts;
        for (int row = 0; row < control<QComboBox>(combo)->count(); ++row)
            texts.append(control<QComboBox>(combo)->itemText(row));
        return texts;
    }
    QListWidget* list() const { return control<QListWidget>("lstComponents"); }
    void press(const QList<int>& rows, int current, Qt::Key key)
    {
        list()->setCurrentRow(current);
        for (int row = 0; row < list()->count(); ++row)
            list()->item(row)->setSelected(rows.contains(row));
        QTest::keyClick(list(), key);
    }
    QStringList files(const QString& folder) const { return QDir(root() + folder).entryList(QDir::Files); }
    QString root() const { return m_dir->path() + "/Vistrelles/"; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeServices> m_fakes;
    std::unique_ptr<VistrelleApp> m_app;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_fakes = std::make_unique<FakeServices>();
    }

    void cleanup() { m_app.reset(); }

    void newCategoryAndImageSet()
    {
        start({"b/Set/", "d/Set/"});
        choose("cboImageSetCategory", "d");
        m_fakes->dialogs.names = {"C", std::nullopt, "b", "New Set"};
        for (const char* command : {"cmdNewCategory", "cmdNewCategory", "cmdNewCategory", "cmdNewImageSet"})
            click(command);
        QCOMPARE(items("cboImageSetCategory"), (QStringList{"b", "C", "d"}));
        QCOMPARE(control<QComboBox>("cboImageSetCategory")->currentText(), "d");
        QCOMPARE(items("cboImageSetName"), (QStringList{"New Set", "Set"}));
        QCOMPARE(control<QComboBox>("cboImageSetName")->currentText(), "Set");
        QCOMPARE(m_fakes->boxes.texts(),
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
        start({"A/Set/shot.jpg", "B/Set/", "../outside/keep.jpg"});
        QFile::setPermissions(root() + "A/Set/shot.jpg", QFile::ReadOwner);
        QVERIFY(QFile::link(m_dir->path() + "/outside", root() + "A/Set/elsewhere"));
        m_fakes->boxes.answers = answers;
        click("cmdDeleteCategory");
        QCOMPARE(items("cboImageSetCategory"), categories);
        QCOMPARE(QDir(root()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), categories);
        QCOMPARE(files("../outside"), QStringList{"keep.jpg"});
        const QStringList asked{
            "WARNING!!!  This will remove the category and all image sets contained in it.  "
            "Are you sure?",
            "LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  "
            "Should I Abort?",
            "Done."};
        QCOMPARE(m_fakes->boxes.texts(), asked.mid(0, answers.size() + (categories.size() == 1)));
    }

    void deleteImageSetThenTheLastCategory()
    {
        start({"Cat/a/one.jpg", "Cat/b/", "Cat/c/"});
        choose("cboImageSetName", "b");
        m_fakes->boxes.answers = {BoxAnswer::Yes, BoxAnswer::Ok, BoxAnswer::Yes, BoxAnswer::No};
        click("cmdDeleteImageSet");
        QCOMPARE(items("cboImageSetName"), (QStringList{"a", "c"}));
        QCOMPARE(list()->currentItem()->text(), "one.jpg");
        click("cmdDeleteCategory");
        QCOMPARE(items("cboImageSetCategory") + items("cboImageSetName"), QStringList());
        QCOMPARE(list()->count(), 0);
    }

    void deleteOutsideTheLibraryStopsTheProgram()
    {
        start({"Cat/Set/shot.jpg"});
        m_app->state().libraryRoot = "Vistrelles/";
        m_fakes->boxes.answers = {BoxAnswer::Yes};
        click("cmdDeleteImageSet");
        QCOMPARE(m_fakes->boxes.texts().last(), "Critical error.  Code E.");
        QCOMPARE(files("Cat/Set"), QStringList{"shot.jpg"});
        QVERIFY(!m_app->mainWindow()->isVisible());
    }

    void deleteKeyKeepsThePlace()
    {
        QStringList shots;
        for (int n = 1; n <= 10; ++n)
            shots.append(QString("Cat/Set/f%1.jpg").arg(n, 2, 10, QChar('0')));
        start(shots);
        m_fakes->boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
        press({1, 2, 3}, 3, Qt::Key_Delete);
        m_fakes->boxes.whileShown = [this] {
            makeFile(root() + "Cat/Set/f00.jpg");
            m_app->mainWindow()->RefreshImageSets();
        };
        press({1, 2, 3}, 3, Qt::Key_Delete);
        m_fakes->boxes.whileShown = nullptr;
        QCOMPARE(files("Cat/Set"), (QStringList{"f00.jpg", "f01.jpg", "f05.jpg", "f06.jpg", "f07.jpg",
                                                "f08.jpg", "f09.jpg", "f10.jpg"}));
        QCOMPARE(list()->currentItem()->text(), "f07.jpg");
        press({}, 0, Qt::Key_Delete);
        press({}, 0, Qt::Key_Space);
        QCOMPARE(m_fakes->boxes.texts(),
                 (QStringList{"Are you sure you want to delete the 3 files selected?",
                              "Are you sure you want to delete the 3 files selected?",
                              "Select file(s) to delete first.", "Select file(s) to relocate first."}));
    }

    void spaceMovesWithoutReplacing()
    {
        start({"A/From/1.jpg", "A/From/2.jpg", "A/From/3.jpg", "B/To/2.jpg"});
        m_fakes->dialogs.targets = {{"B", "To"}, {"A", "From"}};
        press({0, 1, 2}, 0, Qt::Key_Space);
        press({0}, 0, Qt::Key_Space);
        QCOMPARE(m_fakes->dialogs.captions, (QStringList{"Where should these (3) files be moved?",
                                                         "Where should these (1) files be moved?"}));
        QCOMPARE(files("A/From"), QStringList{"2.jpg"});
        QCOMPARE(files("B/To"), (QStringList{"1.jpg", "2.jpg", "3.jpg"}));
        QFile kept(root() + "B/To/2.jpg");
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), "B/To/2.jpg");
        QCOMPARE(m_fakes->boxes.texts(), (QStringList{"These files were not moved and are still where they "
                                                      "were:\n\n2.jpg: a file of that name is already there",
                                                      "Done.", "Done."}));
        QCOMPARE(m_app->state().lastRelocateCategory + "/" + m_app->state().lastRelocateImageSet, "A/From");
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
        start({"A/Set/1.jpg", "A/Set/2.jpg", "A/Dest/d.jpg", "B/Other/o.jpg"});
        choose("cboImageSetName", "Set");
        QDir library(root());
        const QString away = m_dir->path() + "/away";
        if (change == "rename set") {
            QVERIFY(library.rename("A/Set", "A/Renamed"));
        } else if (change == "delete set") {
            QVERIFY(QDir(root() + "A/Set").removeRecursively());
        } else if (change == "delete target") {
            QVERIFY(library.rename("B/Other", away));
        } else {
            const QString replaced = change == "set is a file" ? "A/Set" : "A";
            QVERIFY(library.rename(replaced, away));
            makeFile(root() + replaced, "not a folder");
        }
        m_fakes->boxes.answers = {BoxAnswer::Yes};
        m_fakes->dialogs.targets = {{"B", "Other"}};
        if (command == "refresh")
            click("cmdRefresh");
        else if (command == "delete set")
            click("cmdDeleteImageSet");
        else
            press({0}, 0, command == "delete file" ? Qt::Key_Delete : Qt::Key_Space);

        QCOMPARE(m_fakes->boxes.texts(), messages);
        QCOMPARE(items("cboImageSetName"), sets);
        QCOMPARE(list()->count() > 0, true);
        // Every picture is still somewhere, and what replaced a folder is untouched.
        const QStringList pictures = change == "delete set" ? QStringList() : QStringList{"1.jpg", "2.jpg"};
        const QString setNow = change == "rename set"           ? "A/Renamed"
                               : change == "set is a file"      ? "../away"
                               : change == "category is a file" ? "../away/Set"
                                                                : "A/Set";
        QCOMPARE(files(setNow), pictures);
        QCOMPARE(files(change == "delete target" ? "../away" : "B/Other"), QStringList{"o.jpg"});
        if (change.endsWith("is a file")) {
            QFile kept(root() + (change == "set is a file" ? "A/Set" : "A"));
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
        QTest::newRow("open")
            << 1 << std::optional<QString>() << untouched
            << "I don't know what action to take with the selected file type.  Try associating "
               "it with a program in Windows Explorer.";
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
        start({"Cat/Set/image_1.jpg", "Cat/Set/other.jpg"});
        m_fakes->dialogs.fileOptions = {choice};
        m_fakes->dialogs.names = {typed};
        m_fakes->shell.succeeds = false;
        const QPoint onFirst = list()->visualItemRect(list()->item(0)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, onFirst);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, onFirst);
        QCOMPARE(files("Cat/Set"), after);
        QCOMPARE(list()->item(0)->text(), after.first());
        QCOMPARE(m_fakes->boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m_fakes->dialogs.namesOffered, QStringList(choice - 1, "image_1.jpg"));
        QCOMPARE(m_fakes->shell.opened, QStringList(2 - choice, root() + "Cat/Set/image_1.jpg"));
    }
};

QTEST_MAIN(tst_LibraryCommands)
#include "tst_LibraryCommands.moc"
