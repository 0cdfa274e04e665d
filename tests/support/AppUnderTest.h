#pragma once

#include "app/VistrelleApp.h"
#include "library/ImageSetModel.h"
#include "support/FakeCaptureWorker.h"
#include "support/FakeLibraryDialogs.h"
#include "support/FakeServices.h"
#include "support/TestLibrary.h"
#include "ui/main/FileList.h"
#include "ui/main/frmVistrelle.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

/// The real application object on a program folder of its own, every service faked (but the
/// boxes and dialogs when real ones are given); the widget tests drive the main window through
/// it as the user would.
class AppUnderTest
{
public:
    explicit AppUnderTest(const QStringList& arguments = {}, MessageBoxes* shownBoxes = nullptr,
                          LibraryDialogs* shownDialogs = nullptr)
        : services(withBoxes(fakes.services, shownBoxes ? *shownBoxes : fakes.boxes))
        , app(services, shownDialogs ? *shownDialogs : dialogs, worker, dir.path(), arguments)
    {
        // The trash, the autostart entry and the text index go to folders of the test's own.
        for (const QString kind : {"data", "config", "cache"})
            qputenv(qPrintable("XDG_" + kind.toUpper() + "_HOME"),
                    QFile::encodeName(dir.path() + '/' + kind));
    }

    bool start() { return app.start(); }
    /// Starts on a settings file holding \a settings.
    bool start(const QByteArray& settings)
    {
        TestLibrary::makeFile(settingsFile(), settings);
        return start();
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
    FileList* list() const { return control<FileList>("lstComponents"); }
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
    /// The lines of the file list.
    QStringList listed() const;
    /// The text of the file list's current line.
    QString currentLine() const { return list()->currentIndex().data().toString(); }
    /// The rows of the file list's selected lines, in order.
    QList<int> selectedRows() const;
    /// Makes line \a row of the file list the current one, selected alone, as a click does.
    void setCurrentLine(int row) { list()->setCurrentIndex(list()->model()->index(row, 0)); }
    /// Puts a picture of one colour on the clipboard, as another program copying one does.
    void copy(const QColor& colour = Qt::red, QSize size = QSize(8, 8));
    /// The settings file the main window writes as it closes.
    QByteArray settingsAfterClose();
    /// Runs \a open and \a act on the modal dialog it opens, closing the dialog if \a act left it
    /// open. False when no dialog opened.
    static bool inModal(const std::function<void()>& open, const std::function<void(QWidget&)>& act);
    /// Clicks \a button and runs \a act on the modal dialog it opens, as inModal().
    bool inDialog(const char* button, const std::function<void(QWidget&)>& act)
    {
        return inModal([&] { click(button); }, act);
    }

    QTemporaryDir dir;
    FakeServices fakes;
    FakeLibraryDialogs dialogs;
    FakeCaptureWorker worker;
    Services services;
    VistrelleApp app;

private:
    static Services withBoxes(const Services& s, MessageBoxes& boxes)
    {
        return {boxes,          s.clipboard, s.shell,           s.instance,      s.clock,
                s.keys,         s.grab,      s.sound,           s.tray,          s.shortcuts,
                s.windowSource, s.reader,    s.clipboardWriter, s.notifications, s.watcher};
    }
};
