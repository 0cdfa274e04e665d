<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BottomUpBgrBuffer</name>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Overflow: the picture is too large</source>
        <translation>Überlauf: Das Bild ist zu groß</translation>
    </message>
</context>
<context>
    <name>CaptureCaption</name>
    <message>
        <source> (time-lapse)</source>
        <translation> (Zeitraffer)</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (angehalten)</translation>
    </message>
</context>
<context>
    <name>CaptureEngine</name>
    <message>
        <source>Please select an image set first.  The picture stays on the clipboard until an image set is shown.</source>
        <translation>Wählen Sie bitte zuerst eine Bildserie aus.  Das Bild bleibt in der Zwischenablage, bis eine Bildserie angezeigt wird.</translation>
    </message>
    <message>
        <source>Please select an image set first.  The picture is kept until an image set is shown.</source>
        <translation>Wählen Sie bitte zuerst eine Bildserie aus.  Das Bild wird aufbewahrt, bis eine Bildserie angezeigt wird.</translation>
    </message>
    <message>
        <source>The picture put back on the clipboard was filed already; it was not filed again.</source>
        <translation>Das in die Zwischenablage zurückgelegte Bild war schon abgelegt; es wurde nicht noch einmal abgelegt.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is %1 of the Image Set already; it was not filed again.</source>
        <translation>Das Bild in der Zwischenablage liegt schon als %1 in der Bildserie; es wurde nicht noch einmal abgelegt.</translation>
    </message>
</context>
<context>
    <name>CaptureNotices</name>
    <message numerus="yes">
        <source>%n more pictures could not be filed</source>
        <translation>
            <numerusform>%n weiteres Bild konnte nicht abgelegt werden</numerusform>
            <numerusform>%n weitere Bilder konnten nicht abgelegt werden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CaptureNotifier</name>
    <message>
        <source>Time-lapse started</source>
        <translation>Zeitraffer gestartet</translation>
    </message>
    <message>
        <source>A shot of the active window every %1 s into %2</source>
        <translation>Alle %1 s ein Bild des aktiven Fensters nach %2</translation>
    </message>
    <message>
        <source>Screenshot filed</source>
        <translation>Bildschirmfoto abgelegt</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Time-lapse stopped</source>
        <translation>Zeitraffer beendet</translation>
    </message>
    <message numerus="yes">
        <source>%n shots filed into %1</source>
        <translation>
            <numerusform>%n Bild nach %1 abgelegt</numerusform>
            <numerusform>%n Bilder nach %1 abgelegt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Vistrelle is not running.</source>
        <translation>Vistrelle läuft nicht.</translation>
    </message>
    <message>
        <source>start in low-resource mode: a small window behind a tray icon</source>
        <translation>im sparsamen Betrieb starten: ein kleines Fenster hinter einem Symbol im Benachrichtigungsfeld</translation>
    </message>
    <message>
        <source>capture the active window in the Vistrelle that is running, then end</source>
        <translation>im laufenden Vistrelle das aktive Fenster aufnehmen und beenden</translation>
    </message>
    <message>
        <source>start or stop time-lapse in the Vistrelle that is running, then end</source>
        <translation>im laufenden Vistrelle den Zeitraffer starten oder anhalten und beenden</translation>
    </message>
    <message>
        <source>WORDS...</source>
        <translation>WÖRTER...</translation>
    </message>
    <message>
        <source>print the library&apos;s pictures that hold all the words, newest first, then end</source>
        <translation>die Bilder der Bibliothek ausgeben, die alle Wörter enthalten, die neuesten zuerst, und beenden</translation>
    </message>
    <message>
        <source>print this help and end</source>
        <translation>diese Hilfe anzeigen und beenden</translation>
    </message>
    <message>
        <source>print the version and end</source>
        <translation>die Version anzeigen und beenden</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>%1 needs a %2</source>
        <translation>%1 erwartet %2</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 erwartet keinen Wert</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be given together</source>
        <translation>%1 und %2 können nicht zusammen angegeben werden</translation>
    </message>
    <message>
        <source>%1 cannot be given with other arguments</source>
        <translation>%1 kann nicht mit anderen Argumenten angegeben werden</translation>
    </message>
    <message>
        <source>Try &apos;vistrelle --help&apos; for more information.</source>
        <translation>„vistrelle --help“ liefert weitere Informationen.</translation>
    </message>
    <message>
        <source>Usage: vistrelle [%1] [DIRECTORY]
       vistrelle [DIRECTORY] %3
       vistrelle %2

Vistrelle files every picture put on the clipboard into a library of folders: DIRECTORY/Vistrelles/
when a DIRECTORY is given, else the default library (see the help page, Vistrelle.htm).
Words after -- name the DIRECTORY even when they begin with -.

</source>
        <translation>Aufruf: vistrelle [%1] [ORDNER]
        vistrelle [ORDNER] %3
        vistrelle %2

Vistrelle legt jedes Bild aus der Zwischenablage in einer Bibliothek aus Ordnern ab: in ORDNER/Vistrelles/,
wenn ein ORDNER angegeben ist, sonst in der vorgegebenen Bibliothek (siehe die Hilfeseite, Vistrelle_de.htm).
Wörter nach -- benennen den ORDNER, auch wenn sie mit - beginnen.

</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Select file(s) to delete first.</source>
        <translation>Wählen Sie zuerst die zu löschenden Dateien aus.</translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you want to delete the %n files selected?</source>
        <translation>
            <numerusform>Möchten Sie die %n ausgewählte Datei wirklich löschen?</numerusform>
            <numerusform>Möchten Sie die %n ausgewählten Dateien wirklich löschen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleting %n files...</source>
        <translation>
            <numerusform>%n Datei wird gelöscht …</numerusform>
            <numerusform>%n Dateien werden gelöscht …</numerusform>
        </translation>
    </message>
    <message>
        <source>These files cannot be moved to the trash (%1):

%2

Delete them for good?</source>
        <translation>Diese Dateien können nicht in den Papierkorb verschoben werden (%1):

%2

Endgültig löschen?</translation>
    </message>
    <message>
        <source>Select file(s) to relocate first.</source>
        <translation>Wählen Sie zuerst die zu verschiebenden Dateien aus.</translation>
    </message>
    <message numerus="yes">
        <source>Where should these (%n) files be moved?</source>
        <translation>
            <numerusform>Wohin soll diese Datei (%n) verschoben werden?</numerusform>
            <numerusform>Wohin sollen diese %n Dateien verschoben werden?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moving %n files...</source>
        <translation>
            <numerusform>%n Datei wird verschoben …</numerusform>
            <numerusform>%n Dateien werden verschoben …</numerusform>
        </translation>
    </message>
    <message>
        <source>These files were not moved and are still where they were:

</source>
        <translation>Diese Dateien wurden nicht verschoben und liegen noch am alten Ort:

</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Erledigt.</translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation>Für diesen Dateityp ist keine Aktion bekannt.  Ordnen Sie ihm in Ihrer Dateiverwaltung ein Programm zu.</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Neuer Name für %1:</translation>
    </message>
</context>
<context>
    <name>FileJob</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>Select file(s) &amp; press Delete key to delete OR Spacebar to relocate.  Double click for more options.</source>
        <translation>Dateien auswählen und Entf drücken zum Löschen ODER Leertaste zum Verschieben.  Doppelklick für weitere Optionen.</translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>There was a problem removing a directory.  The directory or files contained in it may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation>Ein Ordner konnte nicht entfernt werden.  Der Ordner oder die Dateien darin sind vielleicht SCHREIBGESCHÜTZT (z. B. auf einer CD-ROM).</translation>
    </message>
    <message>
        <source>%1 is not in the library; nothing was deleted.</source>
        <translation>%1 liegt nicht in der Bibliothek; es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>%1 is a link (or a file), not a folder of the library: what lies behind it is not the library&apos;s, and nothing was deleted.</source>
        <translation>%1 ist eine Verknüpfung (oder eine Datei), kein Ordner der Bibliothek: Was dahinter liegt, gehört nicht zur Bibliothek, und es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>There was a problem removing file %1 - It may be set to READ-ONLY mode (i.e. it is on a CD) or it may still be in use.  Check the file properties.</source>
        <translation>Die Datei %1 konnte nicht entfernt werden – Sie ist vielleicht SCHREIBGESCHÜTZT (z. B. auf einer CD) oder noch in Gebrauch.  Prüfen Sie die Dateieigenschaften.</translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation>Schwerer Fehler.  Code E.</translation>
    </message>
    <message>
        <source>The selected files are already in that image set.  Choose another image set to move them to.</source>
        <translation>Die ausgewählten Dateien sind bereits in dieser Bildserie.  Wählen Sie eine andere Bildserie als Ziel.</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>a file of that name is already there</source>
        <translation>dort gibt es schon eine Datei dieses Namens</translation>
    </message>
</context>
<context>
    <name>FindCommand</name>
    <message>
        <source>The index cannot be opened: %1</source>
        <translation>Der Index kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>Not read yet: %1 of %2 pictures.</source>
        <translation>Noch nicht gelesen: %1 von %2 Bildern.</translation>
    </message>
    <message>
        <source>Usage: vistrelle [DIRECTORY] --find WORDS</source>
        <translation>Aufruf: vistrelle [ORDNER] --find WÖRTER</translation>
    </message>
</context>
<context>
    <name>FindPanel</name>
    <message>
        <source>Find words in screenshots (Ctrl+F)</source>
        <translation>Wörter in Bildschirmfotos suchen (Strg+F)</translation>
    </message>
    <message>
        <source>Words in the screenshots, or in the title or program of the window they were taken from; each word may be the start of one</source>
        <translation>Wörter in den Bildschirmfotos oder im Titel oder Programm des aufgenommenen Fensters; jedes Wort darf ein Wortanfang sein</translation>
    </message>
    <message>
        <source>Find words</source>
        <translation>Wörter suchen</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Image Set</source>
        <translation>Bildserie</translation>
    </message>
    <message>
        <source>Where to look for the words</source>
        <translation>Wo nach den Wörtern gesucht wird</translation>
    </message>
    <message>
        <source>Loo&amp;k in</source>
        <translation>Su&amp;chen in</translation>
    </message>
    <message>
        <source>Screenshots holding the words, newest first; Esc goes back</source>
        <translation>Bildschirmfotos mit den Wörtern, neueste zuerst; Esc kehrt zurück</translation>
    </message>
    <message>
        <source>Screenshots found</source>
        <translation>Gefundene Bildschirmfotos</translation>
    </message>
    <message>
        <source>The index cannot be opened</source>
        <translation>Der Index kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation>Nichts gefunden</translation>
    </message>
    <message>
        <source>%1 found</source>
        <translation>%1 gefunden</translation>
    </message>
    <message>
        <source>Reading text: %1 of %2</source>
        <translation>Text wird gelesen: %1 von %2</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (angehalten)</translation>
    </message>
</context>
<context>
    <name>ImageInfo</name>
    <message>
        <source>hh:mm:ss AP</source>
        <translation>HH:mm:ss</translation>
    </message>
    <message>
        <source>%1  (%2KB)</source>
        <translation>%1  (%2 KB)</translation>
    </message>
</context>
<context>
    <name>ImageSetCommands</name>
    <message>
        <source>Name of the new Category:</source>
        <translation>Name der neuen Kategorie:</translation>
    </message>
    <message>
        <source>No categories exist.  Please create the category you&apos;d like the image set to belong in.</source>
        <translation>Es gibt noch keine Kategorien.  Legen Sie bitte die Kategorie an, zu der die Bildserie gehören soll.</translation>
    </message>
    <message>
        <source>Name of the new Image Set in %1:</source>
        <translation>Name der neuen Bildserie in %1:</translation>
    </message>
    <message>
        <source>You must select a category first.</source>
        <translation>Wählen Sie zuerst eine Kategorie aus.</translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the category and all image sets contained in it.  Are you sure?</source>
        <translation>ACHTUNG!!!  Damit werden die Kategorie und alle darin enthaltenen Bildserien entfernt.  Sind Sie sicher?</translation>
    </message>
    <message>
        <source>LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  Should I Abort?</source>
        <translation>LETZTE GELEGENHEIT!!!  Mit der Kategorie werden ALLE darin enthaltenen Bildserien entfernt.  Soll ich abbrechen?</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Erledigt.</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Wählen Sie bitte zuerst eine Bildserie aus.</translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the image set and all the images contained in it.  Are you sure?</source>
        <translation>ACHTUNG!!!  Damit werden die Bildserie und alle darin enthaltenen Bilder entfernt.  Sind Sie sicher?</translation>
    </message>
    <message>
        <source>%1 cannot be moved to the trash (%2).  Delete it and everything in it for good?</source>
        <translation>%1 kann nicht in den Papierkorb verschoben werden (%2).  Den Ordner mit allem Inhalt endgültig löschen?</translation>
    </message>
</context>
<context>
    <name>IntroImage</name>
    <message>
        <source>There was a problem renaming image files.  The files may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation>Bilddateien konnten nicht umbenannt werden.  Die Dateien sind vielleicht SCHREIBGESCHÜTZT (z. B. auf einer CD-ROM).</translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>Failed to initialise the JPEG encoder: %1 (%2)</source>
        <translation>Der JPEG-Kodierer konnte nicht gestartet werden: %1 (%2)</translation>
    </message>
    <message>
        <source>Failed to save to JPG %1 (%2)</source>
        <translation>Speichern als JPG fehlgeschlagen %1 (%2)</translation>
    </message>
</context>
<context>
    <name>KWinScreenGrab</name>
    <message>
        <source>KDE Plasma&apos;s compositor did not answer in time.</source>
        <translation>Der Compositor von KDE Plasma hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>KDE Plasma gives the picture of a window only to programs installed with their desktop entry: install Vistrelle (cmake --install) and start the installed program.</source>
        <translation>KDE Plasma gibt das Bild eines Fensters nur an Programme, die mit ihrem Desktop-Eintrag installiert sind: Installieren Sie Vistrelle (cmake --install) und starten Sie das installierte Programm.</translation>
    </message>
    <message>
        <source>KDE Plasma&apos;s compositor sent no whole picture of the window.</source>
        <translation>Der Compositor von KDE Plasma hat kein vollständiges Bild des Fensters geschickt.</translation>
    </message>
</context>
<context>
    <name>LibPng</name>
    <message>
        <source>Failed to initialise the PNG encoder</source>
        <translation>Der PNG-Kodierer konnte nicht gestartet werden</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>Problem creating Category.  It probably already exists.</source>
        <translation>Die Kategorie konnte nicht angelegt werden.  Wahrscheinlich gibt es sie schon.</translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation>Schwerer Fehler.  Code E.</translation>
    </message>
    <message>
        <source>Problem renaming file.  The file name probably already exists.</source>
        <translation>Die Datei konnte nicht umbenannt werden.  Wahrscheinlich gibt es den Dateinamen schon.</translation>
    </message>
</context>
<context>
    <name>MainWindowControls</name>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>New category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Entf.</translation>
    </message>
    <message>
        <source>Delete category</source>
        <translation>Kategorie löschen</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Kategorie löschen</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Thumbnail viewer for image sets in the current category</source>
        <translation>Miniaturansicht der Bildserien in der aktuellen Kategorie</translation>
    </message>
    <message>
        <source>View Category</source>
        <translation>Kategorie ansehen</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>B&amp;ildserie</translation>
    </message>
    <message>
        <source>New image set</source>
        <translation>Neue Bildserie</translation>
    </message>
    <message>
        <source>New Image Set</source>
        <translation>Neue Bildserie</translation>
    </message>
    <message>
        <source>Delete image set</source>
        <translation>Bildserie löschen</translation>
    </message>
    <message>
        <source>Delete Image Set</source>
        <translation>Bildserie löschen</translation>
    </message>
    <message>
        <source>Thumbnail viewer for images in current image set</source>
        <translation>Miniaturansicht der Bilder in der aktuellen Bildserie</translation>
    </message>
    <message>
        <source>View Image Set</source>
        <translation>Bildserie ansehen</translation>
    </message>
    <message>
        <source>Image &amp;Files</source>
        <translation>Bild&amp;dateien</translation>
    </message>
    <message>
        <source>Image Files</source>
        <translation>Bilddateien</translation>
    </message>
    <message>
        <source>Capture Format</source>
        <translation>Aufnahmeformat</translation>
    </message>
    <message>
        <source>Output screenshots in Jpeg format</source>
        <translation>Bildschirmfotos im JPEG-Format speichern</translation>
    </message>
    <message>
        <source>Output screenshots in Bitmap format</source>
        <translation>Bildschirmfotos im Bitmap-Format speichern</translation>
    </message>
    <message>
        <source>Output screenshots in PNG format: exact pixels, small files for text and flat colours</source>
        <translation>Bildschirmfotos im PNG-Format speichern: exakte Pixel, kleine Dateien bei Text und Flächenfarben</translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation>A&amp;ufnahme pausieren</translation>
    </message>
    <message>
        <source>Leave the clipboard and the hotkeys alone until this is unticked</source>
        <translation>Zwischenablage und Tastenkürzel bleiben unbeachtet, bis dieses Häkchen entfernt wird</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>Du&amp;rchsuchen</translation>
    </message>
    <message>
        <source>Explore Vistrelles directory</source>
        <translation>Den Vistrelles-Ordner öffnen</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh category, image set and image files</source>
        <translation>Kategorie, Bildserie und Bilddateien neu einlesen</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>Miscellaneous options for Vistrelle</source>
        <translation>Weitere Einstellungen für Vistrelle</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Intro Set</source>
        <translation>&amp;Startserie</translation>
    </message>
    <message>
        <source>Make the current image set the first shown when Vistrelle starts</source>
        <translation>Die aktuelle Bildserie beim Start von Vistrelle zuerst zeigen</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimieren</translation>
    </message>
    <message>
        <source>Low resource (memory) mode of operation</source>
        <translation>Sparsamer Betrieb (wenig Speicher)</translation>
    </message>
    <message>
        <source>Image Info</source>
        <translation>Bildinformationen</translation>
    </message>
    <message>
        <source>Date modified &amp; file size in kilobytes</source>
        <translation>Änderungsdatum und Dateigröße in Kilobyte</translation>
    </message>
</context>
<context>
    <name>NoImagesPicture</name>
    <message>
        <source>No images</source>
        <translation>Keine Bilder</translation>
    </message>
    <message>
        <source>Screenshots you take appear here.</source>
        <translation>Ihre Bildschirmfotos erscheinen hier.</translation>
    </message>
</context>
<context>
    <name>OkCancelButtons</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>PictureActions</name>
    <message>
        <source>The clipboard could not be had: nothing was copied.</source>
        <translation>Die Zwischenablage war nicht verfügbar: Es wurde nichts kopiert.</translation>
    </message>
    <message>
        <source>The words of this picture have not been read yet.</source>
        <translation>Die Wörter dieses Bildes wurden noch nicht gelesen.</translation>
    </message>
    <message>
        <source>No words were read inside the rectangle.</source>
        <translation>Im Rechteck wurden keine Wörter gelesen.</translation>
    </message>
    <message>
        <source>No words were read in this picture.</source>
        <translation>In diesem Bild wurden keine Wörter gelesen.</translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation>Für diesen Dateityp ist keine Aktion bekannt.  Ordnen Sie ihm in Ihrer Dateiverwaltung ein Programm zu.</translation>
    </message>
    <message>
        <source>%1 could not open %2</source>
        <translation>%1 konnte %2 nicht öffnen</translation>
    </message>
    <message>
        <source>Problem encountered trying to show the file in the file manager.
</source>
        <translation>Die Datei konnte nicht in der Dateiverwaltung gezeigt werden.
</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy &amp;Text</source>
        <translation>&amp;Text kopieren</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Open &amp;With</source>
        <translation>Öffnen &amp;mit</translation>
    </message>
    <message>
        <source>Show in &amp;Folder</source>
        <translation>Im &amp;Ordner zeigen</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Move...</source>
        <translation>&amp;Verschieben …</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
</context>
<context>
    <name>PipeReader</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>Das Programm, das das Bild in der Zwischenablage angeboten hat, hat aufgehört, es zu senden.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation>Das Bild in der Zwischenablage ist größer als %1 MB.</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
    <message>
        <source>Failed to save to PNG (%1)</source>
        <translation>Speichern als PNG fehlgeschlagen (%1)</translation>
    </message>
</context>
<context>
    <name>PortalScreenGrab</name>
    <message>
        <source>The desktop&apos;s screenshot portal did not answer.</source>
        <translation>Das Bildschirmfoto-Portal der Arbeitsumgebung hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>There is no session bus, so no screenshot portal.</source>
        <translation>Es gibt keinen Sitzungsbus und daher kein Bildschirmfoto-Portal.</translation>
    </message>
    <message>
        <source>To capture a Wayland window, Vistrelle asks the desktop for a screenshot.  The desktop asks you once: &quot;%1&quot;  Choose Allow, and later captures ask nothing (the desktop gives Vistrelle the whole screen).</source>
        <translation>Um ein Wayland-Fenster aufzunehmen, bittet Vistrelle die Arbeitsumgebung um ein Bildschirmfoto.  Die Arbeitsumgebung fragt Sie einmal: „%1“  Wählen Sie Erlauben, dann fragen spätere Aufnahmen nicht mehr (die Arbeitsumgebung gibt Vistrelle den ganzen Bildschirm).</translation>
    </message>
    <message>
        <source>No screenshot portal answered (%1): the desktop&apos;s portal service (xdg-desktop-portal with its desktop&apos;s part) must be installed.</source>
        <translation>Kein Bildschirmfoto-Portal hat geantwortet (%1): Der Portaldienst der Arbeitsumgebung (xdg-desktop-portal mit dem Teil für Ihre Arbeitsumgebung) muss installiert sein.</translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no readable picture.</source>
        <translation>Das Bildschirmfoto-Portal der Arbeitsumgebung hat kein lesbares Bild geliefert.</translation>
    </message>
    <message>
        <source>The screenshot was cancelled on the desktop.</source>
        <translation>Das Bildschirmfoto wurde in der Arbeitsumgebung abgebrochen.</translation>
    </message>
    <message>
        <source>The desktop refuses screenshots to applications (the answer to &quot;%1&quot; was Deny). To allow them, run: gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</source>
        <translation>Die Arbeitsumgebung verweigert Anwendungen Bildschirmfotos (die Antwort auf „%1“ war Ablehnen). Um sie zu erlauben, führen Sie aus: gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</translation>
    </message>
    <message>
        <source>The desktop&apos;s question &quot;%1&quot; went unanswered. The next capture asks again: choose Allow.</source>
        <translation>Die Frage „%1“ der Arbeitsumgebung blieb unbeantwortet. Die nächste Aufnahme fragt erneut: Wählen Sie Erlauben.</translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no picture.</source>
        <translation>Das Bildschirmfoto-Portal der Arbeitsumgebung hat kein Bild geliefert.</translation>
    </message>
</context>
<context>
    <name>PortalShortcuts</name>
    <message>
        <source>Capture the active window</source>
        <translation>Aktives Fenster aufnehmen</translation>
    </message>
    <message>
        <source>Start or stop time-lapse</source>
        <translation>Zeitraffer starten oder beenden</translation>
    </message>
    <message>
        <source>The desktop did not give Vistrelle %1: another program may have taken it, or it was refused.</source>
        <translation>Die Arbeitsumgebung hat Vistrelle %1 nicht zugeteilt: Vielleicht hat ein anderes Programm das Kürzel belegt, oder es wurde abgelehnt.</translation>
    </message>
    <message>
        <source>The desktop keeps the keys it has for Vistrelle&apos;s shortcuts (%1).  To change them, open System Settings, Shortcuts, and choose &quot;vistrelle&quot;.</source>
        <translation>Die Arbeitsumgebung behält die Tasten, die sie für die Kürzel von Vistrelle hat (%1).  Um sie zu ändern, öffnen Sie die Systemeinstellungen, Kurzbefehle, und wählen „vistrelle“.</translation>
    </message>
</context>
<context>
    <name>ProcessTextReader</name>
    <message>
        <source>Words in screenshots cannot be read: the reading program %1%2</source>
        <translation>Wörter in Bildschirmfotos können nicht gelesen werden: Das Leseprogramm %1%2</translation>
    </message>
    <message>
        <source> could not be started.</source>
        <translation> konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source> ended with code %1.</source>
        <translation> endete mit Code %1.</translation>
    </message>
</context>
<context>
    <name>QtMessageBoxes</name>
    <message>
        <source>
... and %1 more lines: Show Details lists them all.</source>
        <translation>
… und %1 weitere Zeilen: Details anzeigen listet sie alle auf.</translation>
    </message>
</context>
<context>
    <name>ReaderWorker</name>
    <message>
        <source>The words read from screenshots cannot be saved in %1: the disk is full or cannot be written.  Find goes on with what was saved before.</source>
        <translation>Die aus Bildschirmfotos gelesenen Wörter können nicht in %1 gespeichert werden: Der Datenträger ist voll oder nicht beschreibbar.  Die Suche arbeitet mit dem bisher Gespeicherten weiter.</translation>
    </message>
</context>
<context>
    <name>ScreenshotWriter</name>
    <message>
        <source>The picture on the clipboard is too large to be filed (%1 x %2 pixels).</source>
        <translation>Das Bild in der Zwischenablage ist zu groß zum Ablegen (%1 × %2 Pixel).</translation>
    </message>
    <message>
        <source>The picture on the clipboard cannot be read.</source>
        <translation>Das Bild in der Zwischenablage kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>An error has occurred while creating image file.  Error %1</source>
        <translation>Beim Anlegen der Bilddatei ist ein Fehler aufgetreten.  Fehler %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailPicture</name>
    <message>
        <source>This picture cannot be shown</source>
        <translation>Dieses Bild kann nicht angezeigt werden</translation>
    </message>
</context>
<context>
    <name>VistrelleApp</name>
    <message>
        <source>Vistrelle is already running.  Check the System Tray.</source>
        <translation>Vistrelle läuft bereits.  Sehen Sie im Benachrichtigungsfeld nach.</translation>
    </message>
    <message>
        <source>Done.

%1 will be the first image set you see when you start Vistrelle</source>
        <translation>Erledigt.

%1 ist die erste Bildserie, die Sie beim Start von Vistrelle sehen</translation>
    </message>
    <message>
        <source>Invalid directory specified.  Check the target line for the shortcut.</source>
        <translation>Ungültiger Ordner angegeben.  Prüfen Sie die Befehlszeile der Verknüpfung.</translation>
    </message>
    <message>
        <source>Problem encountered with specified directory (%1).  Check the target line for the shortcut. Error encoutered: %2</source>
        <translation>Problem mit dem angegebenen Ordner (%1).  Prüfen Sie die Befehlszeile der Verknüpfung. Fehler: %2</translation>
    </message>
    <message>
        <source>Could not write %1 file (%2).</source>
        <translation>Die Datei %1 konnte nicht geschrieben werden (%2).</translation>
    </message>
    <message>
        <source>%1 is taken by another program</source>
        <translation>%1 ist bereits von einem anderen Programm belegt</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>Das Programm, das das Bild in der Zwischenablage angeboten hat, hat aufgehört, es zu senden.</translation>
    </message>
</context>
<context>
    <name>WindowCapture</name>
    <message>
        <source>The whole screen was filed, not the active window.  %1</source>
        <translation>Der ganze Bildschirm wurde abgelegt, nicht das aktive Fenster.  %1</translation>
    </message>
    <message>
        <source>The active window was not captured.  %1</source>
        <translation>Das aktive Fenster wurde nicht aufgenommen.  %1</translation>
    </message>
</context>
<context>
    <name>X11Transfer</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>Das Programm, das das Bild in der Zwischenablage angeboten hat, hat aufgehört, es zu senden.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation>Das Bild in der Zwischenablage ist größer als %1 MB.</translation>
    </message>
</context>
<context>
    <name>frmEnterName</name>
    <message>
        <source>Enter a name ...</source>
        <translation>Namen eingeben …</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Bitte geben Sie einen Namen ein.</translation>
    </message>
    <message>
        <source>Invalid character found in name. Cannot use \, /, :, ?, &lt;, &gt;, |, *, or .</source>
        <translation>Ungültiges Zeichen im Namen. Nicht erlaubt sind \, /, :, ?, &lt;, &gt;, |, * und .</translation>
    </message>
</context>
<context>
    <name>frmFileOptions</name>
    <message>
        <source>Vistrelle File Options</source>
        <translation>Vistrelle – Dateioptionen</translation>
    </message>
    <message>
        <source>&amp;O p e n</source>
        <translation>Ö &amp;f f n e n</translation>
    </message>
    <message>
        <source>Open the file with its associated program</source>
        <translation>Die Datei mit dem zugeordneten Programm öffnen</translation>
    </message>
    <message>
        <source>&amp;R e n a m e</source>
        <translation>&amp;U m b e n e n n e n</translation>
    </message>
    <message>
        <source>Rename the file</source>
        <translation>Die Datei umbenennen</translation>
    </message>
    <message>
        <source>&amp;C a n c e l</source>
        <translation>A&amp;b b r e c h e n</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Vistrelle Help</source>
        <translation>Vistrelle-Hilfe</translation>
    </message>
    <message>
        <source>&amp;C o n t e n t s</source>
        <translation>&amp;I n h a l t</translation>
    </message>
    <message>
        <source>C &amp;a n c e l</source>
        <translation>A &amp;b b r e c h e n</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Vistrelle Version %1.%2</source>
        <translation>Vistrelle Version %1.%2</translation>
    </message>
    <message>
        <source>Problem encountered trying to open the help page.
</source>
        <translation>Die Hilfeseite konnte nicht geöffnet werden.
</translation>
    </message>
</context>
<context>
    <name>frmImage</name>
    <message>
        <source>Vistrelle Image Viewer (resize horizontally)</source>
        <translation>Vistrelle-Bildbetrachter (Größe waagerecht ändern)</translation>
    </message>
    <message>
        <source>&amp;Intro Image</source>
        <translation>&amp;Startbild</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>No images currently available for viewing.</source>
        <translation>Zurzeit sind keine Bilder zum Anzeigen vorhanden.</translation>
    </message>
</context>
<context>
    <name>frmLowResource</name>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>B&amp;ildserie</translation>
    </message>
    <message>
        <source>This window waits behind Vistrelle&apos;s icon in the notification area: click the icon to show or hide it.  Restore brings back the main window.</source>
        <translation>Dieses Fenster wartet hinter dem Symbol von Vistrelle im Benachrichtigungsfeld: Klicken Sie auf das Symbol, um es zu zeigen oder zu verbergen.  Wiederherstellen holt das Hauptfenster zurück.</translation>
    </message>
    <message>
        <source>This window waits on the taskbar, minimised: click it there to show it.  Restore brings back the main window.</source>
        <translation>Dieses Fenster wartet minimiert in der Taskleiste: Klicken Sie dort darauf, um es zu zeigen.  Wiederherstellen holt das Hauptfenster zurück.</translation>
    </message>
    <message>
        <source>Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the Category and Image Set above.</source>
        <translation>Vistrelle läuft jetzt im sparsamen Betrieb.  Bildschirmfotos werden in der obigen Kategorie und Bildserie abgelegt.</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;SysTrayMenu</source>
        <translation>&amp;Symbolmenü</translation>
    </message>
    <message>
        <source>Capture &amp;Active Window</source>
        <translation>&amp;Aktives Fenster aufnehmen</translation>
    </message>
    <message>
        <source>Start &amp;Time-Lapse</source>
        <translation>&amp;Zeitraffer starten</translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation>Aufnahme &amp;pausieren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source> (LR mode)</source>
        <translation> (sparsam)</translation>
    </message>
    <message>
        <source>Stop &amp;Time-Lapse</source>
        <translation>&amp;Zeitraffer beenden</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Vistrelle Options</source>
        <translation>Vistrelle – Einstellungen</translation>
    </message>
    <message>
        <source>Take active window hotkey</source>
        <translation>Tastenkürzel: aktives Fenster aufnehmen</translation>
    </message>
    <message>
        <source>Normally the &quot;take active window&quot; key command is ALT+Print Screen but the ALT key can interfere with some applications so you can define a hotkey equivalent here.</source>
        <translation>Normalerweise wird das aktive Fenster mit Alt+Druck aufgenommen, doch die Alt-Taste kann manche Anwendungen stören; hier können Sie ein gleichwertiges Tastenkürzel festlegen.</translation>
    </message>
    <message>
        <source>CTRL</source>
        <translation>STRG</translation>
    </message>
    <message>
        <source>SHIFT</source>
        <translation>UMSCHALT</translation>
    </message>
    <message>
        <source>ALT</source>
        <translation>ALT</translation>
    </message>
    <message>
        <source>Time-lapse start/stop hotkey</source>
        <translation>Tastenkürzel: Zeitraffer starten/beenden</translation>
    </message>
    <message>
        <source>Time-lapse screenshots</source>
        <translation>Zeitraffer-Bildschirmfotos</translation>
    </message>
    <message>
        <source>To take a screenshot of the active window at regular intervals, enter the interval below and use the &quot;Time-lapse start/stop hotkey&quot; above to toggle this option on and off.</source>
        <translation>Um das aktive Fenster in regelmäßigen Abständen aufzunehmen, geben Sie unten den Abstand ein und schalten die Aufnahme mit dem Tastenkürzel „Zeitraffer starten/beenden“ oben ein und aus.</translation>
    </message>
    <message>
        <source>Minute(s)</source>
        <translation>Minute(n)</translation>
    </message>
    <message>
        <source>Second(s)</source>
        <translation>Sekunde(n)</translation>
    </message>
    <message>
        <source>Silent operation</source>
        <translation>Ohne Ton</translation>
    </message>
    <message>
        <source>Don&apos;t play a sound when a screenshot is taken with the time-lapse screenshot option.</source>
        <translation>Keinen Ton abspielen, wenn ein Zeitraffer-Bildschirmfoto aufgenommen wird.</translation>
    </message>
    <message>
        <source>Jpeg quality</source>
        <translation>JPEG-Qualität</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Enter a value between 1 and 100, 100 being the highest quality.  The higher the number, the greater the resulting jpg file size.  Vistrelle defaults to 90 which is a good tradeoff between quality and file size.</source>
        <translation>Geben Sie einen Wert zwischen 1 und 100 ein, 100 ist die höchste Qualität.  Je höher der Wert, desto größer die JPG-Datei.  Vistrelle verwendet standardmäßig 90, einen guten Kompromiss zwischen Qualität und Dateigröße.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Languages of the words in screenshots:</source>
        <translation>Sprachen der Wörter in Bildschirmfotos:</translation>
    </message>
    <message>
        <source>Languages</source>
        <translation>Sprachen</translation>
    </message>
    <message>
        <source>The installed languages the screenshots are read in; a change reads every screenshot again</source>
        <translation>Die installierten Sprachen, in denen Bildschirmfotos gelesen werden; eine Änderung liest alle Bildschirmfotos neu</translation>
    </message>
    <message>
        <source>Read the words in screenshots</source>
        <translation>Wörter in Bildschirmfotos lesen</translation>
    </message>
    <message>
        <source>Without it Find knows the screenshots by their window titles only</source>
        <translation>Ohne diese Option findet die Suche Bildschirmfotos nur über ihre Fenstertitel</translation>
    </message>
    <message>
        <source>Never read the screenshots of these programs (window classes, separated by commas):</source>
        <translation>Bildschirmfotos dieser Programme nie lesen (Fensterklassen, durch Kommas getrennt):</translation>
    </message>
    <message>
        <source>A password manager, a browser kept for banking: the words already read from their screenshots are forgotten</source>
        <translation>Ein Passwortmanager, ein Browser fürs Onlinebanking: Bereits gelesene Wörter aus ihren Bildschirmfotos werden vergessen</translation>
    </message>
    <message>
        <source>Forget the words read</source>
        <translation>Gelesene Wörter vergessen</translation>
    </message>
    <message>
        <source>Empties the index of the words read from every screenshot, at once</source>
        <translation>Leert sofort den Index der aus allen Bildschirmfotos gelesenen Wörter</translation>
    </message>
    <message>
        <source>Write the window title into new screenshots</source>
        <translation>Fenstertitel in neue Bildschirmfotos schreiben</translation>
    </message>
    <message>
        <source>The title goes into the file&apos;s own text (JPEG comment, PNG text), where other programs can read it</source>
        <translation>Der Titel kommt in den Text der Datei selbst (JPEG-Kommentar, PNG-Text), wo andere Programme ihn lesen können</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Mit der Arbeitsumgebung starten</translation>
    </message>
    <message>
        <source>Start Vistrelle in low-resource mode, behind its tray icon, whenever you log in</source>
        <translation>Vistrelle bei jeder Anmeldung im sparsamen Betrieb hinter seinem Symbol im Benachrichtigungsfeld starten</translation>
    </message>
    <message>
        <source>Notify each capture</source>
        <translation>Jede Aufnahme melden</translation>
    </message>
    <message>
        <source>A desktop notification tells each screenshot filed, with Show and Copy; time-lapse when it starts and stops</source>
        <translation>Eine Benachrichtigung meldet jedes abgelegte Bildschirmfoto, mit Anzeigen und Kopieren; den Zeitraffer bei Start und Ende</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Druck</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfg</translation>
    </message>
</context>
<context>
    <name>frmPhotos</name>
    <message>
        <source>Space shows the next picture, Enter chooses this one</source>
        <translation>Leertaste zeigt das nächste Bild, Eingabe wählt dieses</translation>
    </message>
    <message>
        <source>Click image to see next.  Double click image to select. Hover over image to see name.</source>
        <translation>Bild anklicken für das nächste.  Doppelklick wählt das Bild. Zeiger darüber halten zeigt den Namen.</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Vorherige Seite</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>frmRelocate</name>
    <message>
        <source>C&amp;ategory</source>
        <translation>&amp;Kategorie</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>B&amp;ildserie</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Wählen Sie bitte zuerst eine Bildserie aus.</translation>
    </message>
</context>
<context>
    <name>frmVistrelle</name>
    <message>
        <source>This image set holds %1 images; only the first %2 are listed.  Raise FILEMAX= in Vistrelle.ini to list them all.</source>
        <translation>Diese Bildserie enthält %1 Bilder; nur die ersten %2 werden aufgeführt.  Erhöhen Sie FILEMAX= in Vistrelle.ini, um alle aufzuführen.</translation>
    </message>
    <message>
        <source>Problem encountered trying to open the file manager to Vistrelles directory.
</source>
        <translation>Der Ordner Vistrelles konnte nicht in der Dateiverwaltung geöffnet werden.
</translation>
    </message>
    <message>
        <source>The words read from your screenshots are forgotten.

Read the words in your screenshots again?  If not, nothing is read until you tick &quot;Read the words in screenshots&quot; in Options.</source>
        <translation>Die aus Ihren Bildschirmfotos gelesenen Wörter sind vergessen.

Die Wörter in Ihren Bildschirmfotos neu lesen?  Wenn nicht, wird nichts gelesen, bis Sie in den Optionen „Wörter in Bildschirmfotos lesen“ ankreuzen.</translation>
    </message>
    <message>
        <source>Could not change %1 (%2)</source>
        <translation>%1 konnte nicht geändert werden (%2)</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Wählen Sie bitte zuerst eine Bildserie aus.</translation>
    </message>
    <message>
        <source>Done.

This image will now be the first to be displayed for this image set.</source>
        <translation>Erledigt.

Dieses Bild wird nun in dieser Bildserie zuerst angezeigt.</translation>
    </message>
    <message>
        <source>Select file(s) to copy first.</source>
        <translation>Wählen Sie zuerst die zu kopierenden Dateien aus.</translation>
    </message>
    <message>
        <source>There are no images to show.</source>
        <translation>Es gibt keine Bilder zum Anzeigen.</translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Image Set - %1</source>
        <translation>Miniaturansicht – Bildserie – %1</translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Category - %1</source>
        <translation>Miniaturansicht – Kategorie – %1</translation>
    </message>
</context>
</TS>
