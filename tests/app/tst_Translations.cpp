#include "app/CommandLine.h"
#include "library/LibraryCommands.h"
#include "support/AppUnderTest.h"
#include "support/TestLibrary.h"
#include "ui/Translations.h"
#include "ui/dialogs/ModalLibraryDialogs.h"
#include "ui/main/ImageInfo.h"
#include "ui/modes/frmHelp.h"
#include "ui/modes/frmLowResource.h"
#include "ui/modes/frmOptions.h"
#include "ui/viewers/frmImage.h"
#include "ui/viewers/frmPhotos.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QStringListModel>

using namespace TestLibrary;

namespace {

// What the walk saw: the texts, and the keys that clash.
struct Shown
{
    QStringList texts;
    QStringList clashingKeys;
};

// The keys of \a window's labels and buttons that Alt with the same letter would press twice.
QStringList clashingKeys(QWidget& window)
{
    QHash<QChar, QString> keys;
    QStringList clashes;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(widget);
        auto* button = qobject_cast<QAbstractButton*>(widget);
        if ((!label || !label->buddy()) && !button)
            continue;
        const QString text = label ? label->text() : button->text();
        const qsizetype at = text.indexOf(QRegularExpression("&[^&]"));
        if (at < 0)
            continue;
        const QChar key = text.at(at + 1).toLower();
        if (keys.contains(key))
            clashes.append(window.objectName() + ": " + keys.value(key) + " / " + text);
        keys.insert(key, text);
    }
    return clashes;
}

// Every text a window shows or lends to a screen reader: captions, labels, buttons, group
// titles, list items, tooltips, menus. What the user typed or the library holds (line edits'
// words, file lists) is data, not the program's text.
void addShownTexts(QWidget& window, Shown& shown)
{
    shown.clashingKeys += clashingKeys(window);
    QStringList& texts = shown.texts;
    const QList<QWidget*> widgets = window.findChildren<QWidget*>() << &window;
    for (QWidget* widget : widgets) {
        texts << widget->windowTitle() << widget->toolTip() << widget->accessibleName()
              << widget->accessibleDescription();
        if (auto* label = qobject_cast<QLabel*>(widget))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            texts << button->text();
        else if (auto* box = qobject_cast<QGroupBox*>(widget))
            texts << box->title();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            texts << edit->placeholderText();
        else if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable())
            for (int item = 0; item < combo->count(); ++item)
                texts << combo->itemText(item);
        if (auto* menu = qobject_cast<QMenu*>(widget))
            texts << menu->title();
    }
    for (QAction* action : window.findChildren<QAction*>())
        texts << action->text() << (action->menu() ? action->menu()->title() : QString());
}

// The texts of every window, dialog, menu and message of the program in the language of
// \a locale, each once, and the keys that clash in its windows and dialogs. The library's default names are
// the user's folders, not texts.
Shown everyText(const QLocale& locale)
{
    InstallTranslations(locale);
    QLocale::setDefault(locale);
    FakeMessageBoxes boxes;
    ModalLibraryDialogs dialogs(boxes);
    AppUnderTest t({}, &boxes, &dialogs);
    for (const char* name : {"Image_261206_154039.jpg", "Image_261206_154040.png"})
        makeImage(t.defaultSet() + name, QSize(300, 200));
    t.start();
    t.setCurrentLine(0);

    Shown texts;
    frmLowResource small(t.state(), t.fakes.services, t.app.engine());
    frmHelp help(t.fakes.shell, t.fakes.boxes, t.programDir());
    frmOptions options(t.state().settings);
    QStringListModel cells(QStringList(3, "Image_261206_154039.jpg"));
    frmPhotos photos(cells, 3, nullptr);
    for (QWidget* window : QList<QWidget*>{&t.main(), &small, &help, &options, &photos, &t.app.imageViewer()})
        addShownTexts(*window, texts);

    emit t.list()->menuRequested(QPoint());
    if (auto* menu = t.main().findChild<QMenu*>("mnuPicture")) {
        addShownTexts(*menu, texts);
        menu->close();
    }
    const auto walk = [&texts](QWidget& dialog) { addShownTexts(dialog, texts); };
    t.inDialog("cmdNewCategory", walk);
    t.inDialog("cmdNewImageSet", walk);
    AppUnderTest::inModal([&t] { emit t.list()->spaceKeyPressed(); }, walk);
    AppUnderTest::inModal([&t] { emit t.list()->fileOptionsRequested(); }, walk);

    // A capture's notification; its body names the file.
    t.copy();
    if (QTest::qWaitFor([&t] { return !t.fakes.notifications.told.isEmpty(); }))
        texts.texts += t.fakes.notifications.told;

    // The messages, each answered No so that nothing is removed.
    t.click("cmdDeleteImageSet");
    t.click("cmdDeleteCategory");
    emit t.list()->deleteKeyPressed();
    t.list()->clearSelection();
    emit t.list()->deleteKeyPressed();
    texts.texts += boxes.texts();
    texts.texts.removeIf([](const QString& text) { return !text.contains(QRegularExpression("[A-Za-z]")); });
    texts.texts.removeDuplicates();
    return texts;
}

// A text as the allow-list knows it: without the key's "&", numbers as "#".
QString plain(QString text)
{
    return text.remove('&').replace(QRegularExpression("\\d+"), "#");
}

} // namespace

// The program speaks the language of the desktop: German, French or Spanish where the desktop
// does, English elsewhere, its plurals right in each.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        InstallTranslations(QLocale::c());
        QLocale::setDefault(QLocale::c());
    }

    // The program's own texts, those of the library's messages, the command line's and Qt's
    // standard buttons come in the locale's language; a language without a translation keeps the
    // English texts. Help opens the page in that language, the English one where that page is not
    // there (the Spanish page is left out here). "The 1 files" reads wrong in every language,
    // English too. The line under the list tells the date, the time and the size as the locale
    // writes them.
    void language_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("filesLabel");
        QTest::addColumn<QString>("categoryTaken");
        QTest::addColumn<QString>("qtCancel");
        QTest::addColumn<QStringList>("usage");
        QTest::addColumn<QString>("unknownSwitch");
        QTest::addColumn<QString>("helpPage");
        QTest::addColumn<QStringList>("deleteQuestions"); // for one file, then two
        QTest::addColumn<QString>("infoLine");
        QTest::newRow("German")
            << "de_DE"
            << "Bild&dateien"
            << "Die Kategorie konnte nicht angelegt werden.  Wahrscheinlich gibt es sie schon."
            << "Abbrechen"
            << QStringList{"Aufruf: vistrelle [--low-resource] [ORDNER]", "  --find WÖRTER...",
                           "diese Hilfe anzeigen und beenden"}
            << "unbekannte Option '--bogus'"
            << "Vistrelle_de.htm"
            << QStringList{"Möchten Sie die 1 ausgewählte Datei wirklich löschen?",
                           "Möchten Sie die 2 ausgewählten Dateien wirklich löschen?"}
            << "Mittwoch, 30. September 2026, 15:04:05  (1.300 KB)";
        QTest::newRow("French of Canada")
            << "fr_CA"
            << "&Fichiers image"
            << "Impossible de créer la catégorie.  Elle existe probablement déjà."
            << "Annuler"
            << QStringList{"Utilisation : vistrelle [--low-resource] [DOSSIER]", "  --find MOTS...",
                           "afficher cette aide et quitter"}
            << "option inconnue '--bogus'"
            << "Vistrelle_fr.htm"
            << QStringList{"Voulez-vous vraiment supprimer le fichier sélectionné (1) ?",
                           "Voulez-vous vraiment supprimer les 2 fichiers sélectionnés ?"}
            << "mercredi 30 septembre 2026, 15:04:05  (1\u00a0300 Ko)";
        QTest::newRow("Spanish of Mexico")
            << "es_MX"
            << "&Archivos de imagen"
            << "No se pudo crear la categoría.  Probablemente ya existe."
            << "Cancelar"
            << QStringList{"Uso: vistrelle [--low-resource] [CARPETA]", "  --find PALABRAS...",
                           "mostrar esta ayuda y terminar"}
            << "opción desconocida '--bogus'"
            << "Vistrelle.htm"
            << QStringList{"¿Seguro que desea eliminar el archivo seleccionado (1)?",
                           "¿Seguro que desea eliminar los 2 archivos seleccionados?"}
            << "miércoles, 30 de septiembre de 2026, 15:04:05  (1,300 KB)";
        // (An English locale speaking English: the plurals.)
        QTest::newRow("no translation")
            << "C"
            << "Image &Files"
            << "Problem creating Category.  It probably already exists."
            << "Cancel"
            << QStringList{"Usage: vistrelle [--low-resource] [DIRECTORY]", "  --find WORDS...",
                           "print this help and end"}
            << "unknown option '--bogus'"
            << "Vistrelle.htm"
            << QStringList{"Are you sure you want to delete the 1 file selected?",
                           "Are you sure you want to delete the 2 files selected?"}
            << "Wednesday, 30 September 2026, 03:04:05 PM  (1300KB)";
    }

    void language()
    {
        QFETCH(QString, locale);
        QFETCH(QString, filesLabel);
        QFETCH(QString, categoryTaken);
        QFETCH(QString, qtCancel);
        QFETCH(QStringList, usage);
        QFETCH(QString, unknownSwitch);
        QFETCH(QString, helpPage);
        QFETCH(QStringList, deleteQuestions);
        QFETCH(QString, infoLine);
        InstallTranslations(QLocale(locale));
        QLocale::setDefault(QLocale(locale));
        AppUnderTest t;
        const QString picture = t.defaultSet() + "Image_260930_150405.jpg";
        makeFile(picture, QByteArray(1300 * 1024 + 10, 'x'));
        setModified(picture, QDateTime::fromString("2026-09-30T15:04:05", Qt::ISODate));
        makeFile(t.defaultSet() + "Image_260930_150406.jpg");
        QVERIFY(t.start());
        QCOMPARE(t.control<QLabel>("Label1")->text(), filesLabel);
        QCOMPARE(CreateCategory(t.root(), "Default Category").text, categoryTaken);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
        // vistrelle --help: its first line, a switch's value and a switch's line.
        const QString help = UsageText();
        QVERIFY2(help.startsWith(usage[0] + '\n'), qPrintable(help));
        QVERIFY2(help.contains('\n' + usage[1] + ' '), qPrintable(help));
        QVERIFY2(help.contains(
                     QRegularExpression("\n  -h, --help +" + QRegularExpression::escape(usage[2]) + "\n")),
                 qPrintable(help));
        QCOMPARE(ParseCommandLine({"--bogus"}).error, unknownSwitch);
        for (const char* page : {"Vistrelle.htm", "Vistrelle_de.htm", "Vistrelle_fr.htm"})
            makeFile(t.programDir() + page);
        frmHelp helpWindow(t.fakes.shell, t.fakes.boxes, t.programDir());
        helpWindow.cmdContents_Click();
        QCOMPARE(t.fakes.shell.opened, QStringList{t.programDir() + helpPage});
        QCOMPARE(ImageInfoLine(picture), infoLine);
        t.setCurrentLine(0);
        emit t.list()->deleteKeyPressed();
        t.list()->selectAll();
        emit t.list()->deleteKeyPressed();
        QCOMPARE(t.fakes.boxes.texts(), deleteQuestions);
        QCOMPARE(filesIn(t.defaultSet()).size(), 2);
    }

    // The desktop's locale chooses the language. CTest runs this with LANGUAGE, LC_MESSAGES or
    // neither set, and names in VISTRELLE_SPEAKS the language the windows must then speak.
    void desktopLocale()
    {
        InstallTranslations(QLocale::system());
        const QHash<QString, QString> filesLabel{{"de", "Bild&dateien"},
                                                 {"fr", "&Fichiers image"},
                                                 {"es", "&Archivos de imagen"},
                                                 {"en", "Image &Files"}};
        AppUnderTest t;
        QVERIFY(t.start());
        QCOMPARE(t.control<QLabel>("Label1")->text(),
                 filesLabel.value(qEnvironmentVariable("VISTRELLE_SPEAKS", "en")));
    }

    // Walks every window in English and in each language: a text shown the same in both is
    // one left untranslated, but for the few that each language writes as English does. No
    // two labels or buttons of a window answer to the same Alt key, in any language.
    void everyTextTranslated_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("sameAsEnglish");
        QTest::newRow("German") << "de_DE"
                                << QStringList{"Vistrelle Version #.#", "Version", "ALT", "OK", "Pause"};
        QTest::newRow("French") << "fr_FR" << QStringList{"Options", "Version", "Minute(s)", "CTRL",
                                                          "ALT",     "OK",      "Pause"};
        QTest::newRow("Spanish") << "es_ES" << QStringList{"CTRL", "ALT", "Insert"};
    }

    void everyTextTranslated()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, sameAsEnglish);
        if (m_english.texts.isEmpty()) {
            m_english = everyText(QLocale::c());
            QVERIFY2(m_english.clashingKeys.isEmpty(), qPrintable(m_english.clashingKeys.join(" | ")));
        }
        // The walk reached the menus, the dialogs, the notifications and the messages.
        for (const char* text :
             {"&Copy", "Name of the new Category:", "Name of the new Image Set in Default Category:",
              "Where should this (1) file be moved?", "Vistrelle File Options", "Screenshot filed",
              "Select file(s) to delete first.",
              "WARNING!!!  This will remove the category and all image sets contained in it.  "
              "Are you sure?"})
            QVERIFY2(m_english.texts.contains(text), text);
        const Shown translated = everyText(QLocale(locale));
        QVERIFY2(translated.clashingKeys.isEmpty(), qPrintable(translated.clashingKeys.join(" | ")));
        // Key caps, file names and the names the program and the library give themselves.
        const QRegularExpression names(
            "^(F?#|[A-Z]|Image_#_#\\.(jpg|png)|JPG|BMP|PNG|Vistrelle( \\((JPG|BMP|PNG)\\))?|"
            "Default (Category|Image Set))$");
        QStringList left;
        for (const QString& text : translated.texts) {
            const QString key = plain(text);
            if (m_english.texts.contains(text) && !sameAsEnglish.contains(key) &&
                !names.match(key).hasMatch())
                left.append(text);
        }
        left.sort();
        QVERIFY2(left.isEmpty(), qPrintable("Left in English: " + left.join(" | ")));
    }

private:
    Shown m_english;
};

QTEST_MAIN(tst_Translations)
#include "tst_Translations.moc"
