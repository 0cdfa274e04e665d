#include "library/ModalLibraryDialogs.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
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

void press(AppUnderTest& t, const QList<int>& rows, int current, Qt::Key key)
{
    t.list()->setCurrentRow(current);
    for (int row = 0; row < t.list()->count(); ++row)
        t.list()->item(row)->setSelected(rows.contains(row));
    QTest::keyClick(t.list(), key);
}

} // namespace

// The library commands through the main window, their dialogs faked; then the dialogs themselves.
class tst_LibraryCommands : public QObject
{
    Q_OBJECT

    // Acts on the modal dialog once it is open; a failed check still closes it.
    void whenModal(const std::function<void(QWidget*)>& act)
    {
        QTimer::singleShot(0, this, [act] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            act(dialog);
            QTimer::singleShot(0, dialog, &QWidget::close);
        });
    }

    AppState m_state;
    FakeMessageBoxes m_boxes;
    ModalLibraryDialogs m_dialogs{m_boxes};

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

    // Delete Category asks twice and goes ahead only on No to the second question.
    void deleteImageSetAndCategories()
    {
        AppUnderTest t;
        startOn(t, {"A/a/one.jpg", "A/b/", "B/Set/"});
        t.choose("cboImageSetName", "b");
        t.fakes.boxes.answers = {BoxAnswer::Yes, BoxAnswer::Ok, BoxAnswer::No, BoxAnswer::Yes,
                                 BoxAnswer::Yes};
        for (const char* command : {"cmdDeleteImageSet", "cmdDeleteCategory", "cmdDeleteCategory"})
            t.click(command);
        QCOMPARE(t.items("cboImageSetCategory") + t.items("cboImageSetName"), (QStringList{"A", "B", "a"}));
        QCOMPARE(t.list()->currentItem()->text(), "one.jpg");
        t.fakes.boxes.answers = {BoxAnswer::Yes, BoxAnswer::No, BoxAnswer::Ok, BoxAnswer::Yes, BoxAnswer::No};
        t.click("cmdDeleteCategory");
        QCOMPARE(t.items("cboImageSetCategory"), QStringList{"B"});
        t.click("cmdDeleteCategory");
        QCOMPARE(t.items("cboImageSetCategory") + t.items("cboImageSetName") + t.listed(), QStringList());
        QCOMPARE(QDir(t.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        const QString sure = "WARNING!!!  This will remove the category and all image sets contained in it.  "
                             "Are you sure?";
        const QString last =
            "LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  "
            "Should I Abort?";
        QCOMPARE(
            t.fakes.boxes.texts(),
            (QStringList{"WARNING!!!  This will remove the image set and all the images contained in it.  "
                         "Are you sure?",
                         "Done.", sure, sure, last, sure, last, "Done.", sure, last, "Done."}));
    }

    void deleteOutsideTheLibraryStopsTheProgram()
    {
        AppUnderTest t;
        startOn(t, {"Cat/Set/shot.jpg"});
        t.state().libraryRoot = "Vistrelles/";
        t.fakes.boxes.answers = {BoxAnswer::Yes};
        t.click("cmdDeleteImageSet");
        QCOMPARE(t.fakes.boxes.texts().last(), "Critical error.  Code E.");
        QCOMPARE(filesIn(t.root() + "Cat/Set"), QStringList{"shot.jpg"});
        QVERIFY(!t.main().isVisible());
    }

    void deleteKeyKeepsThePlace()
    {
        AppUnderTest t;
        startOn(t, {"Cat/Set/f01.jpg", "Cat/Set/f02.jpg", "Cat/Set/f03.jpg", "Cat/Set/f04.jpg",
                    "Cat/Set/f05.jpg", "Cat/Set/f06.jpg", "Cat/Set/f07.jpg", "Cat/Set/f08.jpg",
                    "Cat/Set/f09.jpg", "Cat/Set/f10.jpg"});
        t.fakes.boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
        press(t, {1, 2, 3}, 3, Qt::Key_Delete);
        t.fakes.boxes.whileShown = [&t] {
            makeFile(t.root() + "Cat/Set/f00.jpg");
            t.main().RefreshImageSets();
        };
        press(t, {1, 2, 3}, 3, Qt::Key_Delete);
        t.fakes.boxes.whileShown = nullptr;
        QCOMPARE(filesIn(t.root() + "Cat/Set"), (QStringList{"f00.jpg", "f01.jpg", "f05.jpg", "f06.jpg",
                                                             "f07.jpg", "f08.jpg", "f09.jpg", "f10.jpg"}));
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
        QCOMPARE(filesIn(t.root() + "A/From"), QStringList{"2.jpg"});
        QCOMPARE(filesIn(t.root() + "B/To"), (QStringList{"1.jpg", "2.jpg", "3.jpg"}));
        QCOMPARE(contents(t.root() + "B/To/2.jpg"), "B/To/2.jpg");
        QCOMPARE(t.fakes.boxes.texts(), (QStringList{"These files were not moved and are still where they "
                                                     "were:\n\n2.jpg: a file of that name is already there",
                                                     "Done.", "Done."}));
        QCOMPARE(t.state().lastRelocateCategory + "/" + t.state().lastRelocateImageSet, "A/From");
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
        QCOMPARE(filesIn(t.root() + "Cat/Set"), after);
        QCOMPARE(t.listed().first(), after.first());
        QCOMPARE(t.fakes.boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(t.fakes.dialogs.namesOffered, QStringList(choice - 1, "image_1.jpg"));
        QCOMPARE(t.fakes.shell.opened, QStringList(2 - choice, t.root() + "Cat/Set/image_1.jpg"));
    }

    void nameEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("entered"); // the name afterwards
        const QString empty = "Please enter a name.";
        const QString invalid = "Invalid character found in name. Cannot use \\, /, :, ?, <, >, |, *, or .";
        QTest::newRow("empty") << QString() << empty << "before";
        QTest::newRow("leading space") << " Shots" << empty << "before";
        QTest::newRow("dot dot") << ".." << empty << "before";
        QTest::newRow("slash") << "a/b" << invalid << "before";
        QTest::newRow("hidden") << ".Shots" << invalid << "before";
        QTest::newRow("NUL, never let in") << QString("a") + QChar(u'\0') << QString() << "before";
        QTest::newRow("trailing space") << "Shots " << QString() << "Shots ";
        QTest::newRow("file name") << "Image_1.JPG" << QString() << "Image_1.JPG";
    }

    // Typed over the name offered, then Return; the dialog is closed after a refusal.
    void nameEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, entered);
        m_boxes.shown.clear();
        m_state.enteredName = "before";
        whenModal([&](QWidget* dialog) {
            auto* box = dialog->findChild<QLineEdit*>("txtEnterName");
            QCOMPARE(dialog->focusWidget(), box);
            box->selectAll();
            box->insert(typed);
            QTest::keyClick(box, Qt::Key_Return);
            QCOMPARE(m_boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
            QCOMPARE(box->text().isEmpty(), message.startsWith("Please"));
        });
        m_dialogs.AskForName(m_state);
        QCOMPARE(m_state.enteredName, entered);
    }

    // Offered first: the target chosen last time, else the first Image Set of its Category, else
    // that of the current Category.
    void relocateTarget()
    {
        QTemporaryDir dir;
        m_state.libraryRoot = dir.path() + "/";
        for (const char* folder : {"A/N", "A/M", "B/X", "B/W", "C"})
            TestLibrary::makeFolder(dir.path() + "/" + folder);
        m_state.currentCategory = "A";
        for (const auto& [last, offered] :
             QList<std::pair<QString, QString>>{{"B/X", "B/X"}, {"B/Gone", "B/W"}, {"Gone/X", "A/M"}}) {
            m_state.lastRelocateCategory = last.section('/', 0, 0);
            m_state.lastRelocateImageSet = last.section('/', 1);
            whenModal([&](QWidget* dialog) {
                QCOMPARE(dialog->findChild<QComboBox*>("cboImageSetCategory")->currentText() + "/" +
                             dialog->findChild<QComboBox*>("cboImageSetName")->currentText(),
                         offered);
            });
            m_dialogs.AskForRelocation(m_state, "caption", {"A", "B", "C"});
            QCOMPARE(m_state.relocateCategory + m_state.relocateImageSet, QString());
        }
        m_state.lastRelocateCategory = "B";
        whenModal([&](QWidget* dialog) {
            auto* categories = dialog->findChild<QComboBox*>("cboImageSetCategory");
            categories->setCurrentIndex(2);
            emit categories->activated(2);
            QTest::keyClick(dialog, Qt::Key_Return);
            QCOMPARE(m_boxes.texts().last(), "Please select an image set first.");
            categories->setCurrentIndex(0);
            emit categories->activated(0);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        m_dialogs.AskForRelocation(m_state, "caption", {"A", "B", "C"});
        QCOMPARE(m_state.relocateCategory + "/" + m_state.relocateImageSet, "A/M");
        QCOMPARE(m_state.lastRelocateCategory + m_state.lastRelocateImageSet, QString());
    }
};

QTEST_MAIN(tst_LibraryCommands)
#include "tst_LibraryCommands.moc"
