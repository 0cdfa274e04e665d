#pragma once

#include "app/VistrelleApp.h"
#include "support/FakeCaptureWorker.h"
#include "support/FakeLibraryDialogs.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/frmVistrelle.h"

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

/// The real application object on a program folder of its own, every service faked; the
/// widget tests drive the main window through it as the user would.
class AppUnderTest
{
public:
    explicit AppUnderTest(const QStringList& arguments = {})
        : app(fakes.services, dialogs, worker, dir.path(), arguments)
    {
        // Deleted files go to a trash of the test's own, the autostart entry to its own folder.
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path() + "/data"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + "/config"));
    }

    bool start() { return app.start(); }
    /// Starts on a settings file holding \a settings.
    bool start(const QByteArray& settings)
    {
        return TestLibrary::makeFile(settingsFile(), settings), start();
    }
    AppState& state() { return app.state(); }
    frmVistrelle& main() const { return *app.mainWindow(); }

    QString programDir() const { return dir.path() + "/"; }
    QString root() const { return programDir() + "Vistrelles/"; }
    QString defaultSet() const { return root() + "Default Category/Default Image Set/"; }
    QString trash() const { return dir.path() + "/data/Trash/"; }
    QString settingsFile() const { return dir.filePath("Vistrelle.ini"); }

    template <typename T> T* control(const char* name) const
    {
        return main().findChild<T*>(QLatin1String(name));
    }
    QListWidget* list() const { return control<QListWidget>("lstComponents"); }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    /// Picks \a text in a combo box as the user does.
    void choose(const char* combo, const QString& text);
    QStringList items(const char* combo) const;
    /// The chosen Category and Image Set as "Category/Image Set".
    QString shownSet() const
    {
        return control<QComboBox>("cboImageSetCategory")->currentText() + '/' +
               control<QComboBox>("cboImageSetName")->currentText();
    }
    QStringList listed() const;
    /// The settings file the main window writes as it closes.
    QByteArray settingsAfterClose();
    /// Clicks \a button and runs \a act on the modal dialog it opens, closing the dialog if \a act
    /// left it open. False when no dialog opened.
    bool inDialog(const char* button, const std::function<void(QWidget&)>& act);

    QTemporaryDir dir;
    FakeServices fakes;
    FakeLibraryDialogs dialogs;
    FakeCaptureWorker worker;
    VistrelleApp app;
};
