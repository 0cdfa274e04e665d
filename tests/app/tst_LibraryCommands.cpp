#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/dialogs/frmEnterName.h"
#include "ui/dialogs/frmRelocate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>

using namespace TestLibrary;

namespace {

// Fills the library ("x/" a folder, else a file holding its own path) and starts the program.
void startOn(AppUnderTest& t, const QStringList& entries)
{
    for (const QString& entry : entries)
        entry.endsWith('/') ? makeFolder(t.root() + entry) : makeFile(t.root() + entry, entry.toUtf8());
    QVERIFY(t.start());
}

// Selects the lines at \a rows of the file list, \a current the current one, and presses \a key.
void press(AppUnderTest& t, const QList<int>& rows, int current, Qt::Key key)
{
    QItemSelectionModel& selection = *t.list()->selectionModel();
    selection.setCurrentIndex(t.list()->model()->index(current, 0), QItemSelectionModel::ClearAndSelect);
    selection.clearSelection();
    for (const int row : rows)
        selection.select(t.list()->model()->index(row, 0), QItemSelectionModel::Select);
    QTest::keyClick(t.list(), key);
}

} // namespace

// The library commands through the main window, their dialogs faked; then the dialogs themselves.
class tst_LibraryCommands : public QObject
{
    Q_OBJECT

private slots:
    // What the user just made is shown, so the next picture goes there; one that exists is refused.
    void newCategoryAndImageSet()
    {
        AppUnderTest t;
        startOn(t, {"b/Set/", "d/Set/"});
        t.choose("cboImageSetCategory", "d");
        t.dialogs.names = {"C", "b", "New Set", "Other"};
        for (const char* command : {"cmdNewCategory", "cmdNewCategory", "cmdNewImageSet"})
            t.click(command);
        QCOMPARE(t.items("cboImageSetCategory"), (QStringList{"b", "C", "d"}));
        QCOMPARE(t.shownSet(), "C/New Set");
        t.choose("cboImageSetCategory", "d");
        t.click("cmdNewImageSet");
        QCOMPARE(t.shownSet(), "d/Other");
        QCOMPARE(t.items("cboImageSetName"), (QStringList{"Other", "Set"}));
        QCOMPARE(t.fakes.boxes.texts(),
                 QStringList{"Problem creating Category.  It probably already exists."});
        QCOMPARE(t.dialogs.namesOffered,
                 (QStringList{"Name of the new Category:|", "Name of the new Category:|",
                              "Name of the new Image Set in C:|", "Name of the new Image Set in d:|"}));
    }

    void deletesGoToTheTrash_data()
    {
        QTest::addColumn<QString>("command"); // a button, or "Delete" pressed on both files of the set
        QTest::addColumn<bool>("trash");      // else the trash cannot be made
        QTest::addColumn<QList<BoxAnswer>>("answers");
        QTest::addColumn<QStringList>("told"); // "ROOT" stands for the library's folder
        QTest::addColumn<QStringList>("left"); // the files left in the library, then those in the trash
        const QString set = "WARNING!!!  This will remove the image set and all the images contained in it.  "
                            "Are you sure?";
        const QString sure = "WARNING!!!  This will remove the category and all image sets contained in it.  "
                             "Are you sure?";
        const QString last =
            "LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  "
            "Should I Abort?";
        const QString files = "Are you sure you want to delete the 2 files selected?";
        const QString noTrash =
            " cannot be moved to the trash (Not a directory).  Delete it and everything in "
            "it for good?";
        const QString noTrashFiles = "These files cannot be moved to the trash (Not a "
                                     "directory):\n\na.jpg\nb.jpg\n\nDelete them for good?";
        const QStringList all{"Cat/Keep/c.jpg", "Cat/Set/a.jpg", "Cat/Set/b.jpg"};
        const auto Yes = BoxAnswer::Yes, No = BoxAnswer::No;
        QTest::newRow("Image Set") << "cmdDeleteImageSet" << true << QList{Yes} << QStringList{set, "Done."}
                                   << QStringList{"Cat/Keep/c.jpg", "trash: Set/a.jpg", "trash: Set/b.jpg"};
        // Delete Category asks twice and goes ahead only on No to the second question.
        QTest::newRow("Category, No") << "cmdDeleteCategory" << true << QList{No} << QStringList{sure} << all;
        QTest::newRow("Category, abort")
            << "cmdDeleteCategory" << true << QList{Yes, Yes} << QStringList{sure, last} << all;
        QTest::newRow("Category") << "cmdDeleteCategory" << true << QList{Yes, No}
                                  << QStringList{sure, last, "Done."}
                                  << QStringList{"trash: Cat/Keep/c.jpg", "trash: Cat/Set/a.jpg",
                                                 "trash: Cat/Set/b.jpg"};
        QTest::newRow("Image Set, no trash, kept") << "cmdDeleteImageSet" << false << QList{Yes, No}
                                                   << QStringList{set, "ROOTCat/Set" + noTrash} << all;
        QTest::newRow("Image Set, no trash, for good")
            << "cmdDeleteImageSet" << false << QList{Yes, Yes}
            << QStringList{set, "ROOTCat/Set" + noTrash, "Done."} << QStringList{"Cat/Keep/c.jpg"};
        QTest::newRow("files, no trash, for good")
            << "Delete" << false << QList{Yes, Yes} << QStringList{files, noTrashFiles}
            << QStringList{"Cat/Keep/c.jpg"};
    }

    void deletesGoToTheTrash()
    {
        QFETCH(QString, command);
        QFETCH(bool, trash);
        QFETCH(QList<BoxAnswer>, answers);
        QFETCH(QStringList, told);
        QFETCH(QStringList, left);
        AppUnderTest t;
        startOn(t, {"Cat/Keep/c.jpg", "Cat/Set/a.jpg", "Cat/Set/b.jpg"});
        t.choose("cboImageSetName", "Set");
        if (!trash) {
            makeFile(t.dir.filePath("blocked"));
            qputenv("XDG_DATA_HOME", QFile::encodeName(t.dir.filePath("blocked/data")));
        }
        t.fakes.boxes.answers = answers;
        if (command == "Delete")
            press(t, {0, 1}, 0, Qt::Key_Delete);
        else
            t.click(qPrintable(command));
        QCOMPARE(t.fakes.boxes.texts(), told.replaceInStrings("ROOT", t.root()));
        QStringList found = filesIn(t.root());
        for (const QString& file : filesIn(t.trash() + "files"))
            found.append("trash: " + file);
        QCOMPARE(found, left);
    }

    // A delete through a link is refused and said so, nothing deleted (the fault this guards
    // deleted the linked folder's files and then said "Done."); one outside the library stops
    // the program.
    void deletesRefused()
    {
        AppUnderTest t;
        makeFile(t.dir.filePath("outside/Set/canary.jpg"), "canary");
        startOn(t, {"Cat/Set/a.jpg"});
        QVERIFY(QFile::link(t.dir.filePath("outside"), t.root() + "Linked"));
        t.click("cmdRefresh");
        t.choose("cboImageSetCategory", "Linked");
        QCOMPARE(t.shownSet(), "Linked/Set");
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        t.click("cmdDeleteImageSet");
        QCOMPARE(t.fakes.boxes.texts().last(),
                 t.root() +
                     "Linked is a link (or a file), not a folder of the library: what lies behind it is "
                     "not the library's, and nothing was deleted.");
        QCOMPARE(t.fakes.boxes.shown.last().look, BoxLook::Exclamation);
        QVERIFY(t.main().isVisible());

        t.choose("cboImageSetCategory", "Cat");
        t.state().libraryRoot = "Vistrelles/";
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        t.click("cmdDeleteImageSet");
        QCOMPARE(t.fakes.boxes.texts().last(), "Critical error.  Code E.");
        QCOMPARE(filesIn(t.root() + "Cat/Set"), QStringList{"a.jpg"});
        QVERIFY(!t.main().isVisible());
    }

    // The current line keeps its place (a refill while the question is open keeps it on its
    // file), or takes the last line where the place is past the end; the place serves one refill.
    void deleteKeyKeepsThePlace()
    {
        AppUnderTest t;
        for (int n = 1; n <= 10; ++n)
            makeFile(t.root() + QString("Cat/Set/f%1.jpg").arg(n, 2, 10, QChar('0')));
        startOn(t, {});
        t.fakes.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes, BoxAnswer::Yes};
        press(t, {1, 2, 3}, 3, Qt::Key_Delete);
        t.fakes.boxes.whileShown = [&t] {
            makeFile(t.root() + "Cat/Set/f00.jpg");
            t.main().RefreshImageSets();
        };
        press(t, {1, 2, 3}, 3, Qt::Key_Delete);
        t.fakes.boxes.whileShown = nullptr;
        QCOMPARE(t.currentLine(), "f07.jpg");
        press(t, {6, 7}, 7, Qt::Key_Delete);
        QCOMPARE(filesIn(t.root() + "Cat/Set"),
                 (QStringList{"f00.jpg", "f01.jpg", "f05.jpg", "f06.jpg", "f07.jpg", "f08.jpg"}));
        QCOMPARE(t.currentLine(), "f08.jpg");
        press(t, {}, 0, Qt::Key_Delete);
        press(t, {}, 0, Qt::Key_Space);
        t.click("cmdRefresh");
        QCOMPARE(t.currentLine(), "f00.jpg");
        QCOMPARE(t.fakes.boxes.texts(),
                 (QStringList{"Are you sure you want to delete the 3 files selected?",
                              "Are you sure you want to delete the 3 files selected?",
                              "Are you sure you want to delete the 2 files selected?",
                              "Select file(s) to delete first.", "Select file(s) to relocate first."}));
    }

    void manyFilesAsAJob_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("atProgress"); // what the user does at the first progress shown
        QTest::newRow("delete") << int(Qt::Key_Delete) << QString();
        QTest::newRow("move, cancelled") << int(Qt::Key_Space) << "cancel";
        // As when the session ends: the window goes with the job under way.
        QTest::newRow("delete, window closed") << int(Qt::Key_Delete) << "close";
    }

    // More than a few hundred files go behind a progress dialog, away from the window's thread;
    // Cancel, or the window's end, stops after the batch under way, what was done stays done, and
    // the list shows it.
    void manyFilesAsAJob()
    {
        QFETCH(int, key);
        QFETCH(QString, atProgress);
        AppUnderTest t;
        QStringList entries{"B/To/"};
        for (int n = 0; n < 400; ++n)
            entries.append(QString("A/From/f%1.jpg").arg(n, 3, 10, QChar('0')));
        startOn(t, entries);
        t.dialogs.targets = {{"B", "To"}};
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        bool shown = false;
        QPointer<QProgressDialog> progress;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            shown = shown || (progress && progress->isVisible());
            if (!progress || progress->value() == 0)
                return;
            if (atProgress == "cancel")
                progress->cancel();
            else if (atProgress == "close")
                progress->parentWidget()->window()->close();
        });
        watch.start(1);
        t.list()->selectAll();
        QTest::keyClick(t.list(), Qt::Key(key));
        // The key returns at once, nothing waiting for the job; it ends with its progress dialog.
        progress = t.main().findChild<QProgressDialog*>();
        QVERIFY(progress);
        QTRY_VERIFY(shown && !progress);
        watch.stop();
        const QStringList left = filesIn(t.root() + "A/From");
        if (atProgress != "close")
            QCOMPARE(t.listed(), left);
        // No batch goes on once the job has ended.
        QTest::qWait(100);
        QCOMPARE(filesIn(t.root() + "A/From"), left);
        const QStringList gone = filesIn(key == Qt::Key_Space ? t.root() + "B/To" : t.trash() + "files");
        QCOMPARE(gone.size() + left.size(), 400);
        QVERIFY2(atProgress.isEmpty() ? left.isEmpty() : left.size() > 200,
                 qPrintable(QString::number(left.size())));
        QCOMPARE(t.fakes.boxes.texts(),
                 key == Qt::Key_Space
                     ? QStringList()
                     : QStringList{"Are you sure you want to delete the 400 files selected?"});
    }

    void spaceMovesWithoutReplacing()
    {
        AppUnderTest t;
        startOn(t, {"A/From/1.jpg", "A/From/2.jpg", "A/From/3.png", "B/To/2.jpg"});
        t.dialogs.targets = {{"B", "To"}, {"A", "From"}};
        press(t, {0, 1, 2}, 0, Qt::Key_Space);
        press(t, {0}, 0, Qt::Key_Space);
        QCOMPARE(t.dialogs.captions.first(), "Where should these (3) files be moved?");
        QCOMPARE(filesIn(t.root() + "A/From"), QStringList{"2.jpg"});
        QCOMPARE(filesIn(t.root() + "B/To"), (QStringList{"1.jpg", "2.jpg", "3.png"}));
        QCOMPARE(t.fakes.boxes.texts(), (QStringList{"These files were not moved and are still where they "
                                                     "were:\n\n2.jpg: a file of that name is already there",
                                                     "The selected files are already in that image set.  "
                                                     "Choose another image set to move them to."}));
    }

    // What the desktop cannot open says so, naming it: the file (Open), the library (Explore) and
    // the help page (Contents). A rename is cancelled, then refused for a name taken, then only
    // the letter case changes.
    void fileOptions()
    {
        AppUnderTest t;
        startOn(t, {"Cat/Set/image_1.jpg", "Cat/Set/other.jpg"});
        t.dialogs.fileOptions = {FileOption::Open, FileOption::Rename, FileOption::Rename,
                                 FileOption::Rename};
        t.dialogs.names = {std::nullopt, "other.jpg", "Image_1.jpg"};
        t.fakes.shell.succeeds = false;
        for (int i = 0; i < 4; ++i) {
            const QPoint onFirst = t.list()->visualRect(t.list()->model()->index(0, 0)).center();
            QTest::mouseClick(t.list()->viewport(), Qt::LeftButton, {}, onFirst);
            QTest::mouseDClick(t.list()->viewport(), Qt::LeftButton, {}, onFirst);
        }
        t.click("cmdExplore");
        QVERIFY(t.inDialog("cmdHelp", [](QWidget& help) {
            QTest::mouseClick(help.findChild<QPushButton*>("cmdContents"), Qt::LeftButton);
        }));
        QCOMPARE(filesIn(t.root() + "Cat/Set"), (QStringList{"Image_1.jpg", "other.jpg"}));
        QCOMPARE(t.listed().first(), "Image_1.jpg");
        QCOMPARE(t.fakes.shell.explored, QStringList{t.root()});
        QCOMPARE(t.fakes.shell.opened,
                 (QStringList{t.root() + "Cat/Set/image_1.jpg", t.programDir() + "Vistrelle.htm"}));
        QCOMPARE(t.dialogs.namesOffered, QStringList(3, "New name for image_1.jpg:|image_1.jpg"));
        QCOMPARE(
            t.fakes.boxes.texts(),
            (QStringList{
                "I don't know what action to take with the selected file type.  Try "
                "associating it with a program in your file manager.",
                "Problem renaming file.  The file name probably already exists.",
                "Problem encountered trying to open the file manager to Vistrelles directory.\n" + t.root(),
                "Problem encountered trying to open the help page.\n" + t.programDir() + "Vistrelle.htm"}));
    }

    // The relocation dialog offers the target chosen last time, else the first Image Set of its
    // Category, else that of the current Category; OK needs an Image Set.
    void relocationTarget()
    {
        QTemporaryDir dir;
        const QString root = dir.path() + "/";
        for (const char* folder : {"A/N", "A/M", "B/X", "B/W", "C"})
            makeFolder(root + folder);
        FakeMessageBoxes boxes;
        QStringList offered;
        for (const QString last : {"B/X", "B/Gone", "Gone/X"}) {
            frmRelocate dialog({"caption", {"A", "B", "C"}, root, "A"},
                               ImageSetChoice{last.section('/', 0, 0), last.section('/', 1)}, boxes);
            // The question in the window as well as in its title bar.
            QCOMPARE(dialog.findChild<QLabel*>("lblQuestion")->text(), "caption");
            auto* categories = dialog.findChild<QComboBox*>("cboImageSetCategory");
            offered << categories->currentText() + "/" +
                           dialog.findChild<QComboBox*>("cboImageSetName")->currentText();
            if (last != "Gone/X")
                continue;
            for (const int category : {2, 0}) { // C holds no Image Set
                categories->setCurrentIndex(category);
                emit categories->activated(category);
                dialog.cmdOK_Click();
            }
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.choice().category + "/" + dialog.choice().imageSet, "A/M");
        }
        QCOMPARE(offered, (QStringList{"B/X", "B/W", "A/M"}));
        QCOMPARE(boxes.texts(), QStringList{"Please select an image set first."});
    }

    // Typed over the name the dialog offers, then OK: a file's name keeps its extension, and a
    // name that cannot be one is refused with a message.
    void nameEntry_data()
    {
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("entered"); // the name afterwards
        const QString empty = "Please enter a name.";
        const QString invalid = "Invalid character found in name. Cannot use \\, /, :, ?, <, >, |, *, or .";
        const QString before = "before";
        QTest::newRow("picture") << "Image_1.jpg"
                                 << "Login screen" << QString() << "Login screen.jpg";
        QTest::newRow("without extension") << "Login screen"
                                           << "Desk" << QString() << "Desk";
        QTest::newRow("empty") << before << QString() << empty << before;
        QTest::newRow("dot dot") << before << ".." << empty << before;
        QTest::newRow("slash") << before << "a/b" << invalid << before;
        QTest::newRow("hidden") << before << ".Shots" << invalid << before;
        QTest::newRow("NUL, never let in") << before << QString("a") + QChar(u'\0') << QString() << before;
        QTest::newRow("dot inside, trailing space")
            << before << "Image_1.JPG " << QString() << "Image_1.JPG ";
    }
    void nameEntry()
    {
        QFETCH(QString, offered);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, entered);
        FakeMessageBoxes boxes;
        frmEnterName dialog("New name for it:", offered, boxes);
        QCOMPARE(dialog.findChild<QLabel*>("lblWhat")->text(), "New name for it:");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.findChild<QLineEdit*>("txtEnterName")->insert(typed);
        dialog.cmdOK_Click();
        QCOMPARE(boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(dialog.result() == QDialog::Accepted ? dialog.enteredName() : offered, entered);
    }
};

QTEST_MAIN(tst_LibraryCommands)
#include "tst_LibraryCommands.moc"
