<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>BottomUpBgrBuffer</name>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Overflow: the picture is too large</source>
        <translation>Dépassement : l&apos;image est trop grande</translation>
    </message>
</context>
<context>
    <name>CaptureCaption</name>
    <message>
        <source> (time-lapse)</source>
        <translation> (intervalle)</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (en pause)</translation>
    </message>
</context>
<context>
    <name>CaptureEngine</name>
    <message>
        <source>Please select an image set first.  The picture stays on the clipboard until an image set is shown.</source>
        <translation>Sélectionnez d&apos;abord une série d&apos;images.  L&apos;image reste dans le presse-papiers jusqu&apos;à ce qu&apos;une série soit affichée.</translation>
    </message>
    <message>
        <source>Please select an image set first.  The picture is kept until an image set is shown.</source>
        <translation>Sélectionnez d&apos;abord une série d&apos;images.  L&apos;image est conservée jusqu&apos;à ce qu&apos;une série soit affichée.</translation>
    </message>
    <message>
        <source>The picture put back on the clipboard was filed already; it was not filed again.</source>
        <translation>L&apos;image remise dans le presse-papiers était déjà classée ; elle n&apos;a pas été classée une seconde fois.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is %1 of the Image Set already; it was not filed again.</source>
        <translation>L&apos;image du presse-papiers est déjà %1 dans la série d&apos;images ; elle n&apos;a pas été classée une seconde fois.</translation>
    </message>
</context>
<context>
    <name>CaptureNotices</name>
    <message numerus="yes">
        <source>%n more pictures could not be filed</source>
        <translation>
            <numerusform>%n autre image n&apos;a pas pu être classée</numerusform>
            <numerusform>%n autres images n&apos;ont pas pu être classées</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CaptureNotifier</name>
    <message>
        <source>Time-lapse started</source>
        <translation>Captures à intervalle démarrées</translation>
    </message>
    <message>
        <source>A shot of the active window every %1 s into %2</source>
        <translation>Une capture de la fenêtre active toutes les %1 s dans %2</translation>
    </message>
    <message>
        <source>Screenshot filed</source>
        <translation>Capture d&apos;écran classée</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 dans %2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copier</translation>
    </message>
    <message>
        <source>Time-lapse stopped</source>
        <translation>Captures à intervalle arrêtées</translation>
    </message>
    <message numerus="yes">
        <source>%n shots filed into %1</source>
        <translation>
            <numerusform>%n capture classée dans %1</numerusform>
            <numerusform>%n captures classées dans %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Vistrelle is not running.</source>
        <translation>Vistrelle n&apos;est pas lancé.</translation>
    </message>
    <message>
        <source>start in low-resource mode: a small window behind a tray icon</source>
        <translation>démarrer en mode économe : une petite fenêtre derrière une icône de notification</translation>
    </message>
    <message>
        <source>capture the active window in the Vistrelle that is running, then end</source>
        <translation>capturer la fenêtre active dans le Vistrelle lancé, puis quitter</translation>
    </message>
    <message>
        <source>start or stop time-lapse in the Vistrelle that is running, then end</source>
        <translation>démarrer ou arrêter les captures à intervalle dans le Vistrelle lancé, puis quitter</translation>
    </message>
    <message>
        <source>WORDS...</source>
        <translation>MOTS...</translation>
    </message>
    <message>
        <source>print the library&apos;s pictures that hold all the words, newest first, then end</source>
        <translation>afficher les images de la bibliothèque qui contiennent tous les mots, les plus récentes d&apos;abord, puis quitter</translation>
    </message>
    <message>
        <source>print this help and end</source>
        <translation>afficher cette aide et quitter</translation>
    </message>
    <message>
        <source>print the version and end</source>
        <translation>afficher la version et quitter</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>option inconnue %1</translation>
    </message>
    <message>
        <source>%1 needs a %2</source>
        <translation>%1 attend %2</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 n&apos;accepte pas de valeur</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be given together</source>
        <translation>%1 et %2 ne peuvent pas être donnés ensemble</translation>
    </message>
    <message>
        <source>%1 cannot be given with other arguments</source>
        <translation>%1 ne peut pas être donné avec d&apos;autres arguments</translation>
    </message>
    <message>
        <source>Try &apos;vistrelle --help&apos; for more information.</source>
        <translation>Saisissez « vistrelle --help » pour plus d&apos;informations.</translation>
    </message>
    <message>
        <source>Usage: vistrelle [%1] [DIRECTORY]
       vistrelle [DIRECTORY] %3
       vistrelle %2

Vistrelle files every picture put on the clipboard into a library of folders: DIRECTORY/Vistrelles/
when a DIRECTORY is given, else the default library (see the help page, Vistrelle.htm).
Words after -- name the DIRECTORY even when they begin with -.

</source>
        <translation>Utilisation : vistrelle [%1] [DOSSIER]
              vistrelle [DOSSIER] %3
              vistrelle %2

Vistrelle classe chaque image placée dans le presse-papiers dans une bibliothèque de dossiers :
DOSSIER/Vistrelles/ si un DOSSIER est donné, sinon la bibliothèque par défaut (voir la page d&apos;aide,
Vistrelle_fr.htm). Les mots après -- désignent le DOSSIER même s&apos;ils commencent par -.

</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Select file(s) to delete first.</source>
        <translation>Sélectionnez d&apos;abord le ou les fichiers à supprimer.</translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you want to delete the %n files selected?</source>
        <translation>
            <numerusform>Voulez-vous vraiment supprimer le fichier sélectionné (%n) ?</numerusform>
            <numerusform>Voulez-vous vraiment supprimer les %n fichiers sélectionnés ?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleting %n files...</source>
        <translation>
            <numerusform>Suppression de %n fichier…</numerusform>
            <numerusform>Suppression de %n fichiers…</numerusform>
        </translation>
    </message>
    <message>
        <source>These files cannot be moved to the trash (%1):

%2

Delete them for good?</source>
        <translation>Ces fichiers ne peuvent pas être mis à la corbeille (%1) :

%2

Les supprimer définitivement ?</translation>
    </message>
    <message>
        <source>Select file(s) to relocate first.</source>
        <translation>Sélectionnez d&apos;abord le ou les fichiers à déplacer.</translation>
    </message>
    <message numerus="yes">
        <source>Where should these (%n) files be moved?</source>
        <translation>
            <numerusform>Où déplacer ce fichier (%n) ?</numerusform>
            <numerusform>Où déplacer ces %n fichiers ?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moving %n files...</source>
        <translation>
            <numerusform>Déplacement de %n fichier…</numerusform>
            <numerusform>Déplacement de %n fichiers…</numerusform>
        </translation>
    </message>
    <message>
        <source>These files were not moved and are still where they were:

</source>
        <translation>Ces fichiers n&apos;ont pas été déplacés et sont toujours à leur place :

</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminé.</translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation>Aucune action n&apos;est connue pour ce type de fichier.  Associez-lui un programme dans votre gestionnaire de fichiers.</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Nouveau nom pour %1 :</translation>
    </message>
</context>
<context>
    <name>FileJob</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>Select file(s) &amp; press Delete key to delete OR Spacebar to relocate.  Double click for more options.</source>
        <translation>Sélectionnez des fichiers puis appuyez sur Suppr pour les supprimer OU sur Espace pour les déplacer.  Double-clic pour plus d&apos;options.</translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>There was a problem removing a directory.  The directory or files contained in it may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation>Impossible de supprimer un dossier.  Le dossier ou les fichiers qu&apos;il contient sont peut-être en LECTURE SEULE (par exemple sur un CD-ROM).</translation>
    </message>
    <message>
        <source>%1 is not in the library; nothing was deleted.</source>
        <translation>%1 n&apos;est pas dans la bibliothèque ; rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>%1 is a link (or a file), not a folder of the library: what lies behind it is not the library&apos;s, and nothing was deleted.</source>
        <translation>%1 est un lien (ou un fichier), pas un dossier de la bibliothèque : ce qui se trouve derrière n&apos;appartient pas à la bibliothèque, et rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>There was a problem removing file %1 - It may be set to READ-ONLY mode (i.e. it is on a CD) or it may still be in use.  Check the file properties.</source>
        <translation>Impossible de supprimer le fichier %1 – Il est peut-être en LECTURE SEULE (par exemple sur un CD) ou encore utilisé.  Vérifiez les propriétés du fichier.</translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation>Erreur critique.  Code E.</translation>
    </message>
    <message>
        <source>The selected files are already in that image set.  Choose another image set to move them to.</source>
        <translation>Les fichiers sélectionnés sont déjà dans cette série d&apos;images.  Choisissez une autre série où les déplacer.</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>a file of that name is already there</source>
        <translation>un fichier de ce nom s&apos;y trouve déjà</translation>
    </message>
</context>
<context>
    <name>FindCommand</name>
    <message>
        <source>The index cannot be opened: %1</source>
        <translation>Impossible d&apos;ouvrir l&apos;index : %1</translation>
    </message>
    <message>
        <source>Not read yet: %1 of %2 pictures.</source>
        <translation>Pas encore lues : %1 images sur %2.</translation>
    </message>
    <message>
        <source>Usage: vistrelle [DIRECTORY] --find WORDS</source>
        <translation>Utilisation : vistrelle [DOSSIER] --find MOTS</translation>
    </message>
</context>
<context>
    <name>FindPanel</name>
    <message>
        <source>Find words in screenshots (Ctrl+F)</source>
        <translation>Rechercher des mots dans les captures (Ctrl+F)</translation>
    </message>
    <message>
        <source>Words in the screenshots, or in the title or program of the window they were taken from; each word may be the start of one</source>
        <translation>Mots des captures, ou du titre ou du programme de la fenêtre capturée ; chaque mot peut être le début d&apos;un mot</translation>
    </message>
    <message>
        <source>Find words</source>
        <translation>Rechercher des mots</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Image Set</source>
        <translation>Série d&apos;images</translation>
    </message>
    <message>
        <source>Where to look for the words</source>
        <translation>Où chercher les mots</translation>
    </message>
    <message>
        <source>Loo&amp;k in</source>
        <translation>Da&amp;ns</translation>
    </message>
    <message>
        <source>Screenshots holding the words, newest first; Esc goes back</source>
        <translation>Captures contenant les mots, les plus récentes d&apos;abord ; Échap pour revenir</translation>
    </message>
    <message>
        <source>Screenshots found</source>
        <translation>Captures trouvées</translation>
    </message>
    <message>
        <source>The index cannot be opened</source>
        <translation>Impossible d&apos;ouvrir l&apos;index</translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>%1 found</source>
        <translation>%1 trouvé(s)</translation>
    </message>
    <message>
        <source>Reading text: %1 of %2</source>
        <translation>Lecture du texte : %1 sur %2</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (en pause)</translation>
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
        <translation>%1  (%2 Ko)</translation>
    </message>
</context>
<context>
    <name>ImageSetCommands</name>
    <message>
        <source>Name of the new Category:</source>
        <translation>Nom de la nouvelle catégorie :</translation>
    </message>
    <message>
        <source>No categories exist.  Please create the category you&apos;d like the image set to belong in.</source>
        <translation>Aucune catégorie n&apos;existe.  Créez d&apos;abord la catégorie à laquelle la série d&apos;images doit appartenir.</translation>
    </message>
    <message>
        <source>Name of the new Image Set in %1:</source>
        <translation>Nom de la nouvelle série d&apos;images dans %1 :</translation>
    </message>
    <message>
        <source>You must select a category first.</source>
        <translation>Vous devez d&apos;abord sélectionner une catégorie.</translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the category and all image sets contained in it.  Are you sure?</source>
        <translation>ATTENTION !!!  Cela supprimera la catégorie et toutes les séries d&apos;images qu&apos;elle contient.  Êtes-vous sûr ?</translation>
    </message>
    <message>
        <source>LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  Should I Abort?</source>
        <translation>DERNIÈRE CHANCE !!!  Supprimer une catégorie supprime TOUTES les séries d&apos;images qu&apos;elle contient.  Faut-il abandonner ?</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Terminé.</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Sélectionnez d&apos;abord une série d&apos;images.</translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the image set and all the images contained in it.  Are you sure?</source>
        <translation>ATTENTION !!!  Cela supprimera la série d&apos;images et toutes les images qu&apos;elle contient.  Êtes-vous sûr ?</translation>
    </message>
    <message>
        <source>%1 cannot be moved to the trash (%2).  Delete it and everything in it for good?</source>
        <translation>%1 ne peut pas être mis à la corbeille (%2).  Le supprimer définitivement avec tout son contenu ?</translation>
    </message>
</context>
<context>
    <name>IntroImage</name>
    <message>
        <source>There was a problem renaming image files.  The files may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation>Impossible de renommer les fichiers image.  Ils sont peut-être en LECTURE SEULE (par exemple sur un CD-ROM).</translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>Failed to initialise the JPEG encoder: %1 (%2)</source>
        <translation>Impossible d&apos;initialiser l&apos;encodeur JPEG : %1 (%2)</translation>
    </message>
    <message>
        <source>Failed to save to JPG %1 (%2)</source>
        <translation>Échec de l&apos;enregistrement en JPG %1 (%2)</translation>
    </message>
</context>
<context>
    <name>KWinScreenGrab</name>
    <message>
        <source>KDE Plasma&apos;s compositor did not answer in time.</source>
        <translation>Le compositeur de KDE Plasma n&apos;a pas répondu à temps.</translation>
    </message>
    <message>
        <source>KDE Plasma gives the picture of a window only to programs installed with their desktop entry: install Vistrelle (cmake --install) and start the installed program.</source>
        <translation>KDE Plasma ne donne l&apos;image d&apos;une fenêtre qu&apos;aux programmes installés avec leur entrée de bureau : installez Vistrelle (cmake --install) et lancez le programme installé.</translation>
    </message>
    <message>
        <source>KDE Plasma&apos;s compositor sent no whole picture of the window.</source>
        <translation>Le compositeur de KDE Plasma n&apos;a pas envoyé d&apos;image complète de la fenêtre.</translation>
    </message>
</context>
<context>
    <name>LibPng</name>
    <message>
        <source>Failed to initialise the PNG encoder</source>
        <translation>Impossible d&apos;initialiser l&apos;encodeur PNG</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>Problem creating Category.  It probably already exists.</source>
        <translation>Impossible de créer la catégorie.  Elle existe probablement déjà.</translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation>Erreur critique.  Code E.</translation>
    </message>
    <message>
        <source>Problem renaming file.  The file name probably already exists.</source>
        <translation>Impossible de renommer le fichier.  Ce nom de fichier existe probablement déjà.</translation>
    </message>
</context>
<context>
    <name>MainWindowControls</name>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Catégorie</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouv.</translation>
    </message>
    <message>
        <source>New category</source>
        <translation>Nouvelle catégorie</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Nouvelle catégorie</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Suppr.</translation>
    </message>
    <message>
        <source>Delete category</source>
        <translation>Supprimer la catégorie</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Supprimer la catégorie</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Voir</translation>
    </message>
    <message>
        <source>Thumbnail viewer for image sets in the current category</source>
        <translation>Vignettes des séries d&apos;images de la catégorie actuelle</translation>
    </message>
    <message>
        <source>View Category</source>
        <translation>Voir la catégorie</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>&amp;Série d&apos;images</translation>
    </message>
    <message>
        <source>New image set</source>
        <translation>Nouvelle série d&apos;images</translation>
    </message>
    <message>
        <source>New Image Set</source>
        <translation>Nouvelle série d&apos;images</translation>
    </message>
    <message>
        <source>Delete image set</source>
        <translation>Supprimer la série d&apos;images</translation>
    </message>
    <message>
        <source>Delete Image Set</source>
        <translation>Supprimer la série d&apos;images</translation>
    </message>
    <message>
        <source>Thumbnail viewer for images in current image set</source>
        <translation>Vignettes des images de la série actuelle</translation>
    </message>
    <message>
        <source>View Image Set</source>
        <translation>Voir la série d&apos;images</translation>
    </message>
    <message>
        <source>Image &amp;Files</source>
        <translation>&amp;Fichiers image</translation>
    </message>
    <message>
        <source>Image Files</source>
        <translation>Fichiers image</translation>
    </message>
    <message>
        <source>Capture Format</source>
        <translation>Format de capture</translation>
    </message>
    <message>
        <source>Output screenshots in Jpeg format</source>
        <translation>Enregistrer les captures au format JPEG</translation>
    </message>
    <message>
        <source>Output screenshots in Bitmap format</source>
        <translation>Enregistrer les captures au format bitmap</translation>
    </message>
    <message>
        <source>Output screenshots in PNG format: exact pixels, small files for text and flat colours</source>
        <translation>Enregistrer les captures au format PNG : pixels exacts, petits fichiers pour le texte et les aplats</translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation>&amp;Mettre en pause</translation>
    </message>
    <message>
        <source>Leave the clipboard and the hotkeys alone until this is unticked</source>
        <translation>Ignorer le presse-papiers et les raccourcis tant que cette case est cochée</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>&amp;Explorer</translation>
    </message>
    <message>
        <source>Explore Vistrelles directory</source>
        <translation>Ouvrir le dossier Vistrelles</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>&amp;Actualiser</translation>
    </message>
    <message>
        <source>Refresh category, image set and image files</source>
        <translation>Actualiser la catégorie, la série d&apos;images et les fichiers image</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Miscellaneous options for Vistrelle</source>
        <translation>Options diverses de Vistrelle</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;Intro Set</source>
        <translation>Série d&apos;acc&amp;ueil</translation>
    </message>
    <message>
        <source>Make the current image set the first shown when Vistrelle starts</source>
        <translation>Afficher la série d&apos;images actuelle en premier au démarrage de Vistrelle</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Réduire</translation>
    </message>
    <message>
        <source>Low resource (memory) mode of operation</source>
        <translation>Mode économe (mémoire)</translation>
    </message>
    <message>
        <source>Image Info</source>
        <translation>Informations sur l&apos;image</translation>
    </message>
    <message>
        <source>Date modified &amp; file size in kilobytes</source>
        <translation>Date de modification et taille du fichier en kilo-octets</translation>
    </message>
</context>
<context>
    <name>NoImagesPicture</name>
    <message>
        <source>No images</source>
        <translation>Aucune image</translation>
    </message>
    <message>
        <source>Screenshots you take appear here.</source>
        <translation>Vos captures d&apos;écran apparaissent ici.</translation>
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
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>PictureActions</name>
    <message>
        <source>The clipboard could not be had: nothing was copied.</source>
        <translation>Le presse-papiers n&apos;était pas disponible : rien n&apos;a été copié.</translation>
    </message>
    <message>
        <source>The words of this picture have not been read yet.</source>
        <translation>Les mots de cette image n&apos;ont pas encore été lus.</translation>
    </message>
    <message>
        <source>No words were read inside the rectangle.</source>
        <translation>Aucun mot n&apos;a été lu dans le rectangle.</translation>
    </message>
    <message>
        <source>No words were read in this picture.</source>
        <translation>Aucun mot n&apos;a été lu dans cette image.</translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation>Aucune action n&apos;est connue pour ce type de fichier.  Associez-lui un programme dans votre gestionnaire de fichiers.</translation>
    </message>
    <message>
        <source>%1 could not open %2</source>
        <translation>%1 n&apos;a pas pu ouvrir %2</translation>
    </message>
    <message>
        <source>Problem encountered trying to show the file in the file manager.
</source>
        <translation>Impossible d&apos;afficher le fichier dans le gestionnaire de fichiers.
</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>Copy &amp;Text</source>
        <translation>Copier le &amp;texte</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Open &amp;With</source>
        <translation>Ouvrir a&amp;vec</translation>
    </message>
    <message>
        <source>Show in &amp;Folder</source>
        <translation>Afficher dans le &amp;dossier</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Renommer</translation>
    </message>
    <message>
        <source>&amp;Move...</source>
        <translation>Dé&amp;placer…</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
</context>
<context>
    <name>PipeReader</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>Le programme qui proposait l&apos;image du presse-papiers a cessé de l&apos;envoyer.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation>L&apos;image du presse-papiers dépasse %1 Mo.</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Failed to save to PNG (%1)</source>
        <translation>Échec de l&apos;enregistrement en PNG (%1)</translation>
    </message>
</context>
<context>
    <name>PortalScreenGrab</name>
    <message>
        <source>The desktop&apos;s screenshot portal did not answer.</source>
        <translation>Le portail de capture d&apos;écran du bureau n&apos;a pas répondu.</translation>
    </message>
    <message>
        <source>There is no session bus, so no screenshot portal.</source>
        <translation>Il n&apos;y a pas de bus de session, donc pas de portail de capture d&apos;écran.</translation>
    </message>
    <message>
        <source>To capture a Wayland window, Vistrelle asks the desktop for a screenshot.  The desktop asks you once: &quot;%1&quot;  Choose Allow, and later captures ask nothing (the desktop gives Vistrelle the whole screen).</source>
        <translation>Pour capturer une fenêtre Wayland, Vistrelle demande une capture d&apos;écran au bureau.  Le bureau vous demande une fois : « %1 »  Choisissez Autoriser, et les captures suivantes ne demanderont plus rien (le bureau donne à Vistrelle l&apos;écran entier).</translation>
    </message>
    <message>
        <source>No screenshot portal answered (%1): the desktop&apos;s portal service (xdg-desktop-portal with its desktop&apos;s part) must be installed.</source>
        <translation>Aucun portail de capture d&apos;écran n&apos;a répondu (%1) : le service de portails du bureau (xdg-desktop-portal avec la partie propre à votre bureau) doit être installé.</translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no readable picture.</source>
        <translation>Le portail de capture d&apos;écran du bureau n&apos;a fourni aucune image lisible.</translation>
    </message>
    <message>
        <source>The screenshot was cancelled on the desktop.</source>
        <translation>La capture d&apos;écran a été annulée sur le bureau.</translation>
    </message>
    <message>
        <source>The desktop refuses screenshots to applications (the answer to &quot;%1&quot; was Deny). To allow them, run: gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</source>
        <translation>Le bureau refuse les captures d&apos;écran aux applications (la réponse à « %1 » était Refuser). Pour les autoriser, exécutez : gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</translation>
    </message>
    <message>
        <source>The desktop&apos;s question &quot;%1&quot; went unanswered. The next capture asks again: choose Allow.</source>
        <translation>La question « %1 » du bureau est restée sans réponse. La prochaine capture la reposera : choisissez Autoriser.</translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no picture.</source>
        <translation>Le portail de capture d&apos;écran du bureau n&apos;a fourni aucune image.</translation>
    </message>
</context>
<context>
    <name>PortalShortcuts</name>
    <message>
        <source>Capture the active window</source>
        <translation>Capturer la fenêtre active</translation>
    </message>
    <message>
        <source>Start or stop time-lapse</source>
        <translation>Démarrer ou arrêter les captures à intervalle</translation>
    </message>
    <message>
        <source>The desktop did not give Vistrelle %1: another program may have taken it, or it was refused.</source>
        <translation>Le bureau n&apos;a pas attribué %1 à Vistrelle : un autre programme l&apos;a peut-être pris, ou il a été refusé.</translation>
    </message>
    <message>
        <source>The desktop keeps the keys it has for Vistrelle&apos;s shortcuts (%1).  To change them, open System Settings, Shortcuts, and choose &quot;vistrelle&quot;.</source>
        <translation>Le bureau conserve les touches qu&apos;il a pour les raccourcis de Vistrelle (%1).  Pour les changer, ouvrez la Configuration du système, Raccourcis, et choisissez « vistrelle ».</translation>
    </message>
</context>
<context>
    <name>ProcessTextReader</name>
    <message>
        <source>Words in screenshots cannot be read: the reading program %1%2</source>
        <translation>Les mots des captures ne peuvent pas être lus : le programme de lecture %1%2</translation>
    </message>
    <message>
        <source> could not be started.</source>
        <translation> n&apos;a pas pu être lancé.</translation>
    </message>
    <message>
        <source> ended with code %1.</source>
        <translation> s&apos;est terminé avec le code %1.</translation>
    </message>
</context>
<context>
    <name>QtMessageBoxes</name>
    <message>
        <source>
... and %1 more lines: Show Details lists them all.</source>
        <translation>
… et %1 lignes de plus : Afficher les détails les liste toutes.</translation>
    </message>
</context>
<context>
    <name>ReaderWorker</name>
    <message>
        <source>The words read from screenshots cannot be saved in %1: the disk is full or cannot be written.  Find goes on with what was saved before.</source>
        <translation>Les mots lus dans les captures ne peuvent pas être enregistrés dans %1 : le disque est plein ou n&apos;est pas accessible en écriture.  La recherche continue avec ce qui a été enregistré avant.</translation>
    </message>
</context>
<context>
    <name>ScreenshotWriter</name>
    <message>
        <source>The picture on the clipboard is too large to be filed (%1 x %2 pixels).</source>
        <translation>L&apos;image du presse-papiers est trop grande pour être classée (%1 × %2 pixels).</translation>
    </message>
    <message>
        <source>The picture on the clipboard cannot be read.</source>
        <translation>L&apos;image du presse-papiers ne peut pas être lue.</translation>
    </message>
    <message>
        <source>An error has occurred while creating image file.  Error %1</source>
        <translation>Une erreur s&apos;est produite lors de la création du fichier image.  Erreur %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailPicture</name>
    <message>
        <source>This picture cannot be shown</source>
        <translation>Cette image ne peut pas être affichée</translation>
    </message>
</context>
<context>
    <name>VistrelleApp</name>
    <message>
        <source>Vistrelle is already running.  Check the System Tray.</source>
        <translation>Vistrelle est déjà lancé.  Regardez dans la zone de notification.</translation>
    </message>
    <message>
        <source>Done.

%1 will be the first image set you see when you start Vistrelle</source>
        <translation>Terminé.

%1 sera la première série d&apos;images affichée au démarrage de Vistrelle</translation>
    </message>
    <message>
        <source>Invalid directory specified.  Check the target line for the shortcut.</source>
        <translation>Dossier indiqué non valide.  Vérifiez la ligne de commande du raccourci.</translation>
    </message>
    <message>
        <source>Problem encountered with specified directory (%1).  Check the target line for the shortcut. Error encoutered: %2</source>
        <translation>Problème avec le dossier indiqué (%1).  Vérifiez la ligne de commande du raccourci. Erreur : %2</translation>
    </message>
    <message>
        <source>Could not write %1 file (%2).</source>
        <translation>Impossible d&apos;écrire le fichier %1 (%2).</translation>
    </message>
    <message>
        <source>%1 is taken by another program</source>
        <translation>%1 est déjà pris par un autre programme</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>Le programme qui proposait l&apos;image du presse-papiers a cessé de l&apos;envoyer.</translation>
    </message>
</context>
<context>
    <name>WindowCapture</name>
    <message>
        <source>The whole screen was filed, not the active window.  %1</source>
        <translation>L&apos;écran entier a été classé, pas la fenêtre active.  %1</translation>
    </message>
    <message>
        <source>The active window was not captured.  %1</source>
        <translation>La fenêtre active n&apos;a pas été capturée.  %1</translation>
    </message>
</context>
<context>
    <name>X11Transfer</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>Le programme qui proposait l&apos;image du presse-papiers a cessé de l&apos;envoyer.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation>L&apos;image du presse-papiers dépasse %1 Mo.</translation>
    </message>
</context>
<context>
    <name>frmEnterName</name>
    <message>
        <source>Enter a name ...</source>
        <translation>Saisir un nom…</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Veuillez saisir un nom.</translation>
    </message>
    <message>
        <source>Invalid character found in name. Cannot use \, /, :, ?, &lt;, &gt;, |, *, or .</source>
        <translation>Caractère non valide dans le nom. Impossible d&apos;utiliser \, /, :, ?, &lt;, &gt;, |, * ou .</translation>
    </message>
</context>
<context>
    <name>frmFileOptions</name>
    <message>
        <source>Vistrelle File Options</source>
        <translation>Vistrelle – Options du fichier</translation>
    </message>
    <message>
        <source>&amp;O p e n</source>
        <translation>&amp;O u v r i r</translation>
    </message>
    <message>
        <source>Open the file with its associated program</source>
        <translation>Ouvrir le fichier avec le programme associé</translation>
    </message>
    <message>
        <source>&amp;R e n a m e</source>
        <translation>&amp;R e n o m m e r</translation>
    </message>
    <message>
        <source>Rename the file</source>
        <translation>Renommer le fichier</translation>
    </message>
    <message>
        <source>&amp;C a n c e l</source>
        <translation>A&amp;n n u l e r</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renommer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Vistrelle Help</source>
        <translation>Aide de Vistrelle</translation>
    </message>
    <message>
        <source>&amp;C o n t e n t s</source>
        <translation>&amp;S o m m a i r e</translation>
    </message>
    <message>
        <source>C &amp;a n c e l</source>
        <translation>A n &amp;n u l e r</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Sommaire</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Vistrelle Version %1.%2</source>
        <translation>Vistrelle version %1.%2</translation>
    </message>
    <message>
        <source>Problem encountered trying to open the help page.
</source>
        <translation>Impossible d&apos;ouvrir la page d&apos;aide.
</translation>
    </message>
</context>
<context>
    <name>frmImage</name>
    <message>
        <source>Vistrelle Image Viewer (resize horizontally)</source>
        <translation>Visionneuse d&apos;images Vistrelle (redimensionner horizontalement)</translation>
    </message>
    <message>
        <source>&amp;Intro Image</source>
        <translation>Image d&apos;&amp;accueil</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>No images currently available for viewing.</source>
        <translation>Aucune image à afficher pour le moment.</translation>
    </message>
</context>
<context>
    <name>frmLowResource</name>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Catégorie</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>&amp;Série d&apos;images</translation>
    </message>
    <message>
        <source>This window waits behind Vistrelle&apos;s icon in the notification area: click the icon to show or hide it.  Restore brings back the main window.</source>
        <translation>Cette fenêtre attend derrière l&apos;icône de Vistrelle dans la zone de notification : cliquez sur l&apos;icône pour l&apos;afficher ou la masquer.  Restaurer rouvre la fenêtre principale.</translation>
    </message>
    <message>
        <source>This window waits on the taskbar, minimised: click it there to show it.  Restore brings back the main window.</source>
        <translation>Cette fenêtre attend, réduite, dans la barre des tâches : cliquez dessus pour l&apos;afficher.  Restaurer rouvre la fenêtre principale.</translation>
    </message>
    <message>
        <source>Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the Category and Image Set above.</source>
        <translation>Vistrelle fonctionne maintenant en mode économe.  Les captures seront classées dans la catégorie et la série d&apos;images ci-dessus.</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurer</translation>
    </message>
    <message>
        <source>&amp;SysTrayMenu</source>
        <translation>&amp;Menu de l&apos;icône</translation>
    </message>
    <message>
        <source>Capture &amp;Active Window</source>
        <translation>Capturer la fenêtre &amp;active</translation>
    </message>
    <message>
        <source>Start &amp;Time-Lapse</source>
        <translation>Démarrer les captures à &amp;intervalle</translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation>Mettre en &amp;pause</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source> (LR mode)</source>
        <translation> (mode éco)</translation>
    </message>
    <message>
        <source>Stop &amp;Time-Lapse</source>
        <translation>Arrêter les captures à &amp;intervalle</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Vistrelle Options</source>
        <translation>Options de Vistrelle</translation>
    </message>
    <message>
        <source>Take active window hotkey</source>
        <translation>Raccourci : capturer la fenêtre active</translation>
    </message>
    <message>
        <source>Normally the &quot;take active window&quot; key command is ALT+Print Screen but the ALT key can interfere with some applications so you can define a hotkey equivalent here.</source>
        <translation>Normalement, la capture de la fenêtre active se fait avec Alt+Impr. écran, mais la touche Alt peut gêner certaines applications : vous pouvez définir ici un raccourci équivalent.</translation>
    </message>
    <message>
        <source>CTRL</source>
        <translation>CTRL</translation>
    </message>
    <message>
        <source>SHIFT</source>
        <translation>MAJ</translation>
    </message>
    <message>
        <source>ALT</source>
        <translation>ALT</translation>
    </message>
    <message>
        <source>Time-lapse start/stop hotkey</source>
        <translation>Raccourci : démarrer/arrêter les captures à intervalle</translation>
    </message>
    <message>
        <source>Time-lapse screenshots</source>
        <translation>Captures à intervalle régulier</translation>
    </message>
    <message>
        <source>To take a screenshot of the active window at regular intervals, enter the interval below and use the &quot;Time-lapse start/stop hotkey&quot; above to toggle this option on and off.</source>
        <translation>Pour capturer la fenêtre active à intervalle régulier, saisissez l&apos;intervalle ci-dessous et utilisez le « Raccourci : démarrer/arrêter les captures à intervalle » ci-dessus pour activer ou désactiver cette option.</translation>
    </message>
    <message>
        <source>Minute(s)</source>
        <translation>Minute(s)</translation>
    </message>
    <message>
        <source>Second(s)</source>
        <translation>Seconde(s)</translation>
    </message>
    <message>
        <source>Silent operation</source>
        <translation>Mode silencieux</translation>
    </message>
    <message>
        <source>Don&apos;t play a sound when a screenshot is taken with the time-lapse screenshot option.</source>
        <translation>Ne pas jouer de son lors d&apos;une capture à intervalle régulier.</translation>
    </message>
    <message>
        <source>Jpeg quality</source>
        <translation>Qualité JPEG</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>Enter a value between 1 and 100, 100 being the highest quality.  The higher the number, the greater the resulting jpg file size.  Vistrelle defaults to 90 which is a good tradeoff between quality and file size.</source>
        <translation>Saisissez une valeur entre 1 et 100, 100 étant la meilleure qualité.  Plus la valeur est élevée, plus le fichier JPG est gros.  Vistrelle utilise 90 par défaut, un bon compromis entre qualité et taille de fichier.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Recherche</translation>
    </message>
    <message>
        <source>Languages of the words in screenshots:</source>
        <translation>Langues des mots dans les captures :</translation>
    </message>
    <message>
        <source>Languages</source>
        <translation>Langues</translation>
    </message>
    <message>
        <source>The installed languages the screenshots are read in; a change reads every screenshot again</source>
        <translation>Les langues installées dans lesquelles les captures sont lues ; un changement relit toutes les captures</translation>
    </message>
    <message>
        <source>Read the words in screenshots</source>
        <translation>Lire les mots des captures</translation>
    </message>
    <message>
        <source>Without it Find knows the screenshots by their window titles only</source>
        <translation>Sans cette option, la recherche ne connaît les captures que par le titre de leur fenêtre</translation>
    </message>
    <message>
        <source>Never read the screenshots of these programs (window classes, separated by commas):</source>
        <translation>Ne jamais lire les captures de ces programmes (classes de fenêtre, séparées par des virgules) :</translation>
    </message>
    <message>
        <source>A password manager, a browser kept for banking: the words already read from their screenshots are forgotten</source>
        <translation>Un gestionnaire de mots de passe, un navigateur réservé à la banque : les mots déjà lus dans leurs captures sont oubliés</translation>
    </message>
    <message>
        <source>Forget the words read</source>
        <translation>Oublier les mots lus</translation>
    </message>
    <message>
        <source>Empties the index of the words read from every screenshot, at once</source>
        <translation>Vide immédiatement l&apos;index des mots lus dans toutes les captures</translation>
    </message>
    <message>
        <source>Write the window title into new screenshots</source>
        <translation>Écrire le titre de la fenêtre dans les nouvelles captures</translation>
    </message>
    <message>
        <source>The title goes into the file&apos;s own text (JPEG comment, PNG text), where other programs can read it</source>
        <translation>Le titre est écrit dans le texte du fichier (commentaire JPEG, texte PNG), où d&apos;autres programmes peuvent le lire</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Démarrer avec le bureau</translation>
    </message>
    <message>
        <source>Start Vistrelle in low-resource mode, behind its tray icon, whenever you log in</source>
        <translation>Démarrer Vistrelle en mode économe, derrière son icône de notification, à chaque ouverture de session</translation>
    </message>
    <message>
        <source>Notify each capture</source>
        <translation>Notifier chaque capture</translation>
    </message>
    <message>
        <source>A desktop notification tells each screenshot filed, with Show and Copy; time-lapse when it starts and stops</source>
        <translation>Une notification signale chaque capture classée, avec Afficher et Copier ; les captures à intervalle à leur début et à leur fin</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Impr. écran</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Inser</translation>
    </message>
</context>
<context>
    <name>frmPhotos</name>
    <message>
        <source>Space shows the next picture, Enter chooses this one</source>
        <translation>Espace affiche l&apos;image suivante, Entrée choisit celle-ci</translation>
    </message>
    <message>
        <source>Click image to see next.  Double click image to select. Hover over image to see name.</source>
        <translation>Cliquez sur l&apos;image pour voir la suivante.  Double-cliquez pour la choisir. Survolez-la pour voir son nom.</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Page précédente</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>frmRelocate</name>
    <message>
        <source>C&amp;ategory</source>
        <translation>&amp;Catégorie</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>&amp;Série d&apos;images</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Sélectionnez d&apos;abord une série d&apos;images.</translation>
    </message>
</context>
<context>
    <name>frmVistrelle</name>
    <message>
        <source>This image set holds %1 images; only the first %2 are listed.  Raise FILEMAX= in Vistrelle.ini to list them all.</source>
        <translation>Cette série contient %1 images ; seules les %2 premières sont listées.  Augmentez FILEMAX= dans Vistrelle.ini pour toutes les lister.</translation>
    </message>
    <message>
        <source>Problem encountered trying to open the file manager to Vistrelles directory.
</source>
        <translation>Impossible d&apos;ouvrir le dossier Vistrelles dans le gestionnaire de fichiers.
</translation>
    </message>
    <message>
        <source>The words read from your screenshots are forgotten.

Read the words in your screenshots again?  If not, nothing is read until you tick &quot;Read the words in screenshots&quot; in Options.</source>
        <translation>Les mots lus dans vos captures sont oubliés.

Relire les mots de vos captures ?  Sinon, rien n&apos;est lu tant que vous ne cochez pas « Lire les mots des captures » dans les options.</translation>
    </message>
    <message>
        <source>Could not change %1 (%2)</source>
        <translation>Impossible de modifier %1 (%2)</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Sélectionnez d&apos;abord une série d&apos;images.</translation>
    </message>
    <message>
        <source>Done.

This image will now be the first to be displayed for this image set.</source>
        <translation>Terminé.

Cette image sera désormais la première affichée pour cette série.</translation>
    </message>
    <message>
        <source>Select file(s) to copy first.</source>
        <translation>Sélectionnez d&apos;abord le ou les fichiers à copier.</translation>
    </message>
    <message>
        <source>There are no images to show.</source>
        <translation>Il n&apos;y a aucune image à afficher.</translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Image Set - %1</source>
        <translation>Vignettes – Série d&apos;images – %1</translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Category - %1</source>
        <translation>Vignettes – Catégorie – %1</translation>
    </message>
</context>
</TS>
