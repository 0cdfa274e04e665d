#include "core/AppState.h"
#include "library/ModalLibraryDialogs.h"
#include "library/frmEnterName.h"
#include "library/frmRelocate.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class tst_LibraryDialogs : public QObject
{
    Q_OBJECT

private:
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
    void nameEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        const QString empty = "Please enter a name.";
        const QString invalid = "Invalid character found in name. Cannot use \\, /, :, ?, <, >, |, *, or .";
        const QString accepted;
        QTest::newRow("empty") << QString() << empty;
        QTest::newRow("leading space") << " Shots" << empty;
        QTest::newRow("dot dot") << ".." << empty;
        QTest::newRow("slash") << "a/b" << invalid;
        QTest::newRow("hidden") << ".Shots" << invalid;
        QTest::newRow("trailing space") << "Shots " << accepted;
        QTest::newRow("file name") << "Image_1.JPG" << accepted;
    }

    void nameEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        m_boxes.shown.clear();
        m_state.enteredName = "before";
        frmEnterName dialog(m_state, m_boxes);
        auto* box = dialog.findChild<QLineEdit*>("txtEnterName");
        box->setText(typed);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QCOMPARE(m_boxes.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(m_state.enteredName, message.isEmpty() ? typed : "before");
        QCOMPARE(box->text(), message.startsWith("Please") ? QString() : typed);
    }

    void nameEntryKeys()
    {
        m_state.enteredName = "shot.jpg";
        whenModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), "Enter a name ...");
            auto* box = dialog->findChild<QLineEdit*>("txtEnterName");
            QCOMPARE(dialog->focusWidget(), box);
            box->insert(QString("a") + QChar(u'\0'));
            QCOMPARE(box->text(), "shot.jpg");
            QTest::keyClick(box, Qt::Key_Escape);
        });
        m_dialogs.AskForName(m_state);
        QCOMPARE(m_state.enteredName, "shot.jpg");
        whenModal([](QWidget* dialog) {
            dialog->findChild<QLineEdit*>()->setText("other.jpg");
            QTest::keyClick(dialog->findChild<QLineEdit*>(), Qt::Key_Return);
        });
        m_dialogs.AskForName(m_state);
        QCOMPARE(m_state.enteredName, "other.jpg");
    }

    void relocateTarget_data()
    {
        QTest::addColumn<QString>("last"); // Category/Image Set chosen last time
        QTest::addColumn<QString>("offered");
        QTest::newRow("remembered") << "B/X"
                                    << "B/X";
        QTest::newRow("set gone") << "B/Gone"
                                  << "B/W";
        QTest::newRow("category gone") << "Gone/X"
                                       << "A/M";
    }

    void relocateTarget()
    {
        QFETCH(QString, last);
        QFETCH(QString, offered);
        QTemporaryDir dir;
        m_state.libraryRoot = dir.path() + "/";
        for (const char* folder : {"A/N", "A/M", "B/X", "B/W", "C"})
            TestLibrary::makeFolder(dir.path() + "/" + folder);
        m_state.currentCategory = "A";
        m_state.lastRelocateCategory = last.section('/', 0, 0);
        m_state.lastRelocateImageSet = last.section('/', 1);
        whenModal([&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), "Where should these (3) files be moved?");
            auto* categories = dialog->findChild<QComboBox*>("cboImageSetCategory");
            QCOMPARE(categories->currentText() + "/" +
                         dialog->findChild<QComboBox*>("cboImageSetName")->currentText(),
                     offered);
            categories->setCurrentIndex(2);
            emit categories->activated(2);
            QTest::keyClick(dialog, Qt::Key_Return);
            QCOMPARE(m_boxes.texts().last(), "Please select an image set first.");
            categories->setCurrentIndex(0);
            emit categories->activated(0);
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        m_dialogs.AskForRelocation(m_state, "Where should these (3) files be moved?", {"A", "B", "C"});
        QCOMPARE(m_state.relocateCategory + "/" + m_state.relocateImageSet, "A/M");
        QCOMPARE(m_state.lastRelocateCategory + m_state.lastRelocateImageSet, QString());
        whenModal([](QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); });
        m_dialogs.AskForRelocation(m_state, "caption", {"A"});
        QCOMPARE(m_state.relocateCategory + m_state.relocateImageSet, QString());
    }
};

QTEST_MAIN(tst_LibraryDialogs)
#include "tst_LibraryDialogs.moc"
