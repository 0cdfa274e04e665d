#include "core/SettingsFile.h"
#include "library/LibraryTree.h"
#include "support/AppUnderTest.h"
#include "ui/Translations.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmImage.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QRegularExpression>

// The help page names everything the program offers, so it stays true as the program grows:
// every capture format and picture type, every control of the main window, the viewer and
// Options by the words the windows show in the page's language, and every key of the settings
// file. (Every switch of the command line, which the manual page names too: the install test.)
class tst_HelpPage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { InstallTranslations(QLocale::c()); }

    void namesEverything_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("file");
        QTest::newRow("English") << "C"
                                 << "Vistrelle.htm";
        QTest::newRow("German") << "de_DE"
                                << "Vistrelle_de.htm";
        QTest::newRow("French") << "fr_FR"
                                << "Vistrelle_fr.htm";
        QTest::newRow("Spanish") << "es_ES"
                                 << "Vistrelle_es.htm";
    }

    void namesEverything()
    {
        QFETCH(QString, locale);
        QFETCH(QString, file);
        InstallTranslations(QLocale(locale));
        // The words a reader sees: tags gone, entities as they show, white space as single spaces.
        QString page = QString::fromUtf8(TestLibrary::contents(QStringLiteral(ASSETS_DIR "/") + file));
        QVERIFY2(!page.isEmpty(), qPrintable(file));
        page = page.remove(QRegularExpression("<[^>]*>"))
                   .replace("&lt;", "<")
                   .replace("&gt;", ">")
                   .replace("&quot;", "\"")
                   .replace("&amp;", "&")
                   .simplified();
        QStringList missing;
        const auto need = [&missing](const QString& text, const QString& words, const char* where) {
            if (!text.contains(words))
                missing.append(QLatin1String(where) + ": " + words);
        };

        for (const char* extension : ImageExtensions)
            need(page, QStringLiteral(".") + QLatin1String(extension), "help page");

        // Every key the file holds; a new one fails the count until it is set here and named.
        Settings changed;
        changed.imageViewerWidth = 3000;
        changed.introCategory = changed.introImageSet = "x";
        changed.captureExtension = ".png";
        changed.jpegQuality = changed.activeWindowHotkey = changed.activeWindowModifiers = 1;
        changed.timeLapseHotkey = changed.timeLapseModifiers = changed.timeLapseSeconds = 1;
        changed.timeLapseSilent = true;
        changed.dirMax = changed.fileMax = 99999;
        changed.findLanguages = "deu";
        changed.readWords = false;
        changed.unreadPrograms = {"x"};
        changed.writeWindowTitle = true;
        changed.notifyCaptures = false;
        const QStringList lines =
            QString::fromUtf8(SettingsText(changed, QPoint(1, 1), {1, 1, 3000})).split("\r\n");
        QCOMPARE(lines.size(), 23);
        for (const QString& line : lines)
            if (!line.isEmpty())
                need(page, line.left(line.indexOf('=') + 1), "help page");

        AppUnderTest t;
        QVERIFY(t.start());
        for (const QAbstractButton* button : t.main().findChildren<QAbstractButton*>())
            need(page, QString(button->text()).remove('&'), "main window");
        for (const QAction* action : t.app.imageViewer().findChildren<QAction*>())
            if (!action->text().isEmpty())
                need(page, QString(action->text()).remove('&'), "image viewer");
        frmOptions options(t.state().settings);
        need(page, options.windowTitle(), "options");
        for (const QGroupBox* box : options.findChildren<QGroupBox*>())
            need(page, box->title(), "options");
        for (const QCheckBox* box : options.findChildren<QCheckBox*>())
            need(page, box->text(), "options");
        QVERIFY2(missing.isEmpty(), qPrintable(file + " lacks " + missing.join(" | ")));
    }
};

QTEST_MAIN(tst_HelpPage)
#include "tst_HelpPage.moc"
