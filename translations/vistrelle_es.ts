<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>BottomUpBgrBuffer</name>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Overflow: the picture is too large</source>
        <translation>Desbordamiento: la imagen es demasiado grande</translation>
    </message>
</context>
<context>
    <name>CaptureCaption</name>
    <message>
        <source> (time-lapse)</source>
        <translation> (intervalos)</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (en pausa)</translation>
    </message>
</context>
<context>
    <name>CaptureEngine</name>
    <message>
        <source>Please select an image set first.  The picture stays on the clipboard until an image set is shown.</source>
        <translation>Seleccione primero una serie de imágenes.  La imagen permanece en el portapapeles hasta que se muestre una serie.</translation>
    </message>
    <message>
        <source>Please select an image set first.  The picture is kept until an image set is shown.</source>
        <translation>Seleccione primero una serie de imágenes.  La imagen se guarda hasta que se muestre una serie.</translation>
    </message>
    <message>
        <source>The picture put back on the clipboard was filed already; it was not filed again.</source>
        <translation>La imagen devuelta al portapapeles ya estaba archivada; no se archivó de nuevo.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is %1 of the Image Set already; it was not filed again.</source>
        <translation>La imagen del portapapeles ya es %1 de la serie de imágenes; no se archivó de nuevo.</translation>
    </message>
</context>
<context>
    <name>CaptureNotices</name>
    <message numerus="yes">
        <source>%n more pictures could not be filed</source>
        <translation>
            <numerusform>No se pudo archivar %n imagen más</numerusform>
            <numerusform>No se pudieron archivar %n imágenes más</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CaptureNotifier</name>
    <message>
        <source>Time-lapse started</source>
        <translation>Capturas a intervalos iniciadas</translation>
    </message>
    <message>
        <source>A shot of the active window every %1 s into %2</source>
        <translation>Una captura de la ventana activa cada %1 s en %2</translation>
    </message>
    <message>
        <source>Screenshot filed</source>
        <translation>Captura de pantalla archivada</translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation>%1 en %2</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copiar</translation>
    </message>
    <message>
        <source>Time-lapse stopped</source>
        <translation>Capturas a intervalos detenidas</translation>
    </message>
    <message numerus="yes">
        <source>%n shots filed into %1</source>
        <translation>
            <numerusform>%n captura archivada en %1</numerusform>
            <numerusform>%n capturas archivadas en %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Vistrelle is not running.</source>
        <translation>Vistrelle no se está ejecutando.</translation>
    </message>
    <message>
        <source>start in low-resource mode: a small window behind a tray icon</source>
        <translation>iniciar en modo de pocos recursos: una ventana pequeña tras un icono de notificación</translation>
    </message>
    <message>
        <source>capture the active window in the Vistrelle that is running, then end</source>
        <translation>capturar la ventana activa en el Vistrelle en ejecución y terminar</translation>
    </message>
    <message>
        <source>start or stop time-lapse in the Vistrelle that is running, then end</source>
        <translation>iniciar o detener las capturas a intervalos en el Vistrelle en ejecución y terminar</translation>
    </message>
    <message>
        <source>WORDS...</source>
        <translation>PALABRAS...</translation>
    </message>
    <message>
        <source>print the library&apos;s pictures that hold all the words, newest first, then end</source>
        <translation>mostrar las imágenes de la biblioteca que contienen todas las palabras, las más recientes primero, y terminar</translation>
    </message>
    <message>
        <source>print this help and end</source>
        <translation>mostrar esta ayuda y terminar</translation>
    </message>
    <message>
        <source>print the version and end</source>
        <translation>mostrar la versión y terminar</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>opción desconocida %1</translation>
    </message>
    <message>
        <source>%1 needs a %2</source>
        <translation>%1 necesita %2</translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation>%1 no admite ningún valor</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be given together</source>
        <translation>%1 y %2 no pueden indicarse juntos</translation>
    </message>
    <message>
        <source>%1 cannot be given with other arguments</source>
        <translation>%1 no puede indicarse con otros argumentos</translation>
    </message>
    <message>
        <source>Try &apos;vistrelle --help&apos; for more information.</source>
        <translation>Pruebe «vistrelle --help» para más información.</translation>
    </message>
    <message>
        <source>Usage: vistrelle [%1] [DIRECTORY]
       vistrelle [DIRECTORY] %3
       vistrelle %2

Vistrelle files every picture put on the clipboard into a library of folders: DIRECTORY/Vistrelles/
when a DIRECTORY is given, else the default library (see the help page, Vistrelle.htm).
Words after -- name the DIRECTORY even when they begin with -.

</source>
        <translation>Uso: vistrelle [%1] [CARPETA]
     vistrelle [CARPETA] %3
     vistrelle %2

Vistrelle archiva cada imagen que se pone en el portapapeles en una biblioteca de carpetas:
CARPETA/Vistrelles/ si se indica una CARPETA; si no, la biblioteca predeterminada (vea la página de ayuda,
Vistrelle_es.htm). Las palabras tras -- nombran la CARPETA aunque empiecen por -.

</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Select file(s) to delete first.</source>
        <translation>Seleccione primero los archivos que desea eliminar.</translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you want to delete the %n files selected?</source>
        <translation>
            <numerusform>¿Seguro que desea eliminar el archivo seleccionado (%n)?</numerusform>
            <numerusform>¿Seguro que desea eliminar los %n archivos seleccionados?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleting %n files...</source>
        <translation>
            <numerusform>Eliminando %n archivo...</numerusform>
            <numerusform>Eliminando %n archivos...</numerusform>
        </translation>
    </message>
    <message>
        <source>These files cannot be moved to the trash (%1):

%2

Delete them for good?</source>
        <translation>Estos archivos no se pueden mover a la papelera (%1):

%2

¿Eliminarlos definitivamente?</translation>
    </message>
    <message>
        <source>Select file(s) to relocate first.</source>
        <translation>Seleccione primero los archivos que desea mover.</translation>
    </message>
    <message numerus="yes">
        <source>Where should these (%n) files be moved?</source>
        <translation>
            <numerusform>¿Adónde mover este archivo (%n)?</numerusform>
            <numerusform>¿Adónde mover estos %n archivos?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moving %n files...</source>
        <translation>
            <numerusform>Moviendo %n archivo...</numerusform>
            <numerusform>Moviendo %n archivos...</numerusform>
        </translation>
    </message>
    <message>
        <source>These files were not moved and are still where they were:

</source>
        <translation>Estos archivos no se movieron y siguen donde estaban:

</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Hecho.</translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation>No se sabe qué hacer con este tipo de archivo.  Asócielo a un programa en su gestor de archivos.</translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation>Nuevo nombre para %1:</translation>
    </message>
</context>
<context>
    <name>FileJob</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>Select file(s) &amp; press Delete key to delete OR Spacebar to relocate.  Double click for more options.</source>
        <translation>Seleccione archivos y pulse Supr para eliminarlos O la barra espaciadora para moverlos.  Doble clic para más opciones.</translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>There was a problem removing a directory.  The directory or files contained in it may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation>No se pudo eliminar una carpeta.  Puede que la carpeta o sus archivos sean de SOLO LECTURA (por ejemplo, en un CD-ROM).</translation>
    </message>
    <message>
        <source>%1 is not in the library; nothing was deleted.</source>
        <translation>%1 no está en la biblioteca; no se eliminó nada.</translation>
    </message>
    <message>
        <source>%1 is a link (or a file), not a folder of the library: what lies behind it is not the library&apos;s, and nothing was deleted.</source>
        <translation>%1 es un enlace (o un archivo), no una carpeta de la biblioteca: lo que hay detrás no es de la biblioteca, y no se eliminó nada.</translation>
    </message>
    <message>
        <source>There was a problem removing file %1 - It may be set to READ-ONLY mode (i.e. it is on a CD) or it may still be in use.  Check the file properties.</source>
        <translation>No se pudo eliminar el archivo %1 – Puede que sea de SOLO LECTURA (por ejemplo, en un CD) o que aún esté en uso.  Compruebe las propiedades del archivo.</translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation>Error crítico.  Código E.</translation>
    </message>
    <message>
        <source>The selected files are already in that image set.  Choose another image set to move them to.</source>
        <translation>Los archivos seleccionados ya están en esa serie de imágenes.  Elija otra serie a la que moverlos.</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>a file of that name is already there</source>
        <translation>ya hay allí un archivo con ese nombre</translation>
    </message>
</context>
<context>
    <name>FindCommand</name>
    <message>
        <source>The index cannot be opened: %1</source>
        <translation>No se puede abrir el índice: %1</translation>
    </message>
    <message>
        <source>Not read yet: %1 of %2 pictures.</source>
        <translation>Sin leer todavía: %1 de %2 imágenes.</translation>
    </message>
    <message>
        <source>Usage: vistrelle [DIRECTORY] --find WORDS</source>
        <translation>Uso: vistrelle [CARPETA] --find PALABRAS</translation>
    </message>
</context>
<context>
    <name>FindPanel</name>
    <message>
        <source>Find words in screenshots (Ctrl+F)</source>
        <translation>Buscar palabras en las capturas (Ctrl+F)</translation>
    </message>
    <message>
        <source>Words in the screenshots, or in the title or program of the window they were taken from; each word may be the start of one</source>
        <translation>Palabras de las capturas, o del título o programa de la ventana capturada; cada palabra puede ser el comienzo de una</translation>
    </message>
    <message>
        <source>Find words</source>
        <translation>Buscar palabras</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Biblioteca</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>Image Set</source>
        <translation>Serie de imágenes</translation>
    </message>
    <message>
        <source>Where to look for the words</source>
        <translation>Dónde buscar las palabras</translation>
    </message>
    <message>
        <source>Loo&amp;k in</source>
        <translation>E&amp;n</translation>
    </message>
    <message>
        <source>Screenshots holding the words, newest first; Esc goes back</source>
        <translation>Capturas que contienen las palabras, las más recientes primero; Esc vuelve atrás</translation>
    </message>
    <message>
        <source>Screenshots found</source>
        <translation>Capturas encontradas</translation>
    </message>
    <message>
        <source>The index cannot be opened</source>
        <translation>No se puede abrir el índice</translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation>No se encontró nada</translation>
    </message>
    <message>
        <source>%1 found</source>
        <translation>%1 encontradas</translation>
    </message>
    <message>
        <source>Reading text: %1 of %2</source>
        <translation>Leyendo texto: %1 de %2</translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation> (en pausa)</translation>
    </message>
</context>
<context>
    <name>ImageInfo</name>
    <message>
        <source>hh:mm:ss AP</source>
        <translation>H:mm:ss</translation>
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
        <translation>Nombre de la nueva categoría:</translation>
    </message>
    <message>
        <source>No categories exist.  Please create the category you&apos;d like the image set to belong in.</source>
        <translation>No existe ninguna categoría.  Cree primero la categoría a la que debe pertenecer la serie de imágenes.</translation>
    </message>
    <message>
        <source>Name of the new Image Set in %1:</source>
        <translation>Nombre de la nueva serie de imágenes en %1:</translation>
    </message>
    <message>
        <source>You must select a category first.</source>
        <translation>Primero debe seleccionar una categoría.</translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the category and all image sets contained in it.  Are you sure?</source>
        <translation>¡¡¡ATENCIÓN!!!  Se eliminarán la categoría y todas las series de imágenes que contiene.  ¿Está seguro?</translation>
    </message>
    <message>
        <source>LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  Should I Abort?</source>
        <translation>¡¡¡ÚLTIMA OPORTUNIDAD!!!  Al eliminar una categoría se eliminan TODAS sus series de imágenes.  ¿Cancelo?</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Hecho.</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Seleccione primero una serie de imágenes.</translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the image set and all the images contained in it.  Are you sure?</source>
        <translation>¡¡¡ATENCIÓN!!!  Se eliminarán la serie de imágenes y todas las imágenes que contiene.  ¿Está seguro?</translation>
    </message>
    <message>
        <source>%1 cannot be moved to the trash (%2).  Delete it and everything in it for good?</source>
        <translation>%1 no se puede mover a la papelera (%2).  ¿Eliminarlo definitivamente con todo su contenido?</translation>
    </message>
</context>
<context>
    <name>IntroImage</name>
    <message>
        <source>There was a problem renaming image files.  The files may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation>No se pudieron renombrar los archivos de imagen.  Puede que sean de SOLO LECTURA (por ejemplo, en un CD-ROM).</translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>Failed to initialise the JPEG encoder: %1 (%2)</source>
        <translation>No se pudo iniciar el codificador JPEG: %1 (%2)</translation>
    </message>
    <message>
        <source>Failed to save to JPG %1 (%2)</source>
        <translation>No se pudo guardar como JPG %1 (%2)</translation>
    </message>
</context>
<context>
    <name>KWinScreenGrab</name>
    <message>
        <source>KDE Plasma&apos;s compositor did not answer in time.</source>
        <translation>El compositor de KDE Plasma no respondió a tiempo.</translation>
    </message>
    <message>
        <source>KDE Plasma gives the picture of a window only to programs installed with their desktop entry: install Vistrelle (cmake --install) and start the installed program.</source>
        <translation>KDE Plasma solo da la imagen de una ventana a los programas instalados con su entrada de escritorio: instale Vistrelle (cmake --install) e inicie el programa instalado.</translation>
    </message>
    <message>
        <source>KDE Plasma&apos;s compositor sent no whole picture of the window.</source>
        <translation>El compositor de KDE Plasma no envió una imagen completa de la ventana.</translation>
    </message>
</context>
<context>
    <name>LibPng</name>
    <message>
        <source>Failed to initialise the PNG encoder</source>
        <translation>No se pudo iniciar el codificador PNG</translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>Problem creating Category.  It probably already exists.</source>
        <translation>No se pudo crear la categoría.  Probablemente ya existe.</translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation>Error crítico.  Código E.</translation>
    </message>
    <message>
        <source>Problem renaming file.  The file name probably already exists.</source>
        <translation>No se pudo renombrar el archivo.  Probablemente ese nombre ya existe.</translation>
    </message>
</context>
<context>
    <name>MainWindowControls</name>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Categoría</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nueva</translation>
    </message>
    <message>
        <source>New category</source>
        <translation>Nueva categoría</translation>
    </message>
    <message>
        <source>New Category</source>
        <translation>Nueva categoría</translation>
    </message>
    <message>
        <source>Del</source>
        <translation>Elim.</translation>
    </message>
    <message>
        <source>Delete category</source>
        <translation>Eliminar la categoría</translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation>Eliminar categoría</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ver</translation>
    </message>
    <message>
        <source>Thumbnail viewer for image sets in the current category</source>
        <translation>Miniaturas de las series de imágenes de la categoría actual</translation>
    </message>
    <message>
        <source>View Category</source>
        <translation>Ver categoría</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>&amp;Serie de imágenes</translation>
    </message>
    <message>
        <source>New image set</source>
        <translation>Nueva serie de imágenes</translation>
    </message>
    <message>
        <source>New Image Set</source>
        <translation>Nueva serie de imágenes</translation>
    </message>
    <message>
        <source>Delete image set</source>
        <translation>Eliminar la serie de imágenes</translation>
    </message>
    <message>
        <source>Delete Image Set</source>
        <translation>Eliminar serie de imágenes</translation>
    </message>
    <message>
        <source>Thumbnail viewer for images in current image set</source>
        <translation>Miniaturas de las imágenes de la serie actual</translation>
    </message>
    <message>
        <source>View Image Set</source>
        <translation>Ver serie de imágenes</translation>
    </message>
    <message>
        <source>Image &amp;Files</source>
        <translation>&amp;Archivos de imagen</translation>
    </message>
    <message>
        <source>Image Files</source>
        <translation>Archivos de imagen</translation>
    </message>
    <message>
        <source>Capture Format</source>
        <translation>Formato de captura</translation>
    </message>
    <message>
        <source>Output screenshots in Jpeg format</source>
        <translation>Guardar las capturas en formato JPEG</translation>
    </message>
    <message>
        <source>Output screenshots in Bitmap format</source>
        <translation>Guardar las capturas en formato de mapa de bits</translation>
    </message>
    <message>
        <source>Output screenshots in PNG format: exact pixels, small files for text and flat colours</source>
        <translation>Guardar las capturas en formato PNG: píxeles exactos, archivos pequeños para texto y colores planos</translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation>Pa&amp;usar la captura</translation>
    </message>
    <message>
        <source>Leave the clipboard and the hotkeys alone until this is unticked</source>
        <translation>No atender al portapapeles ni a los atajos mientras esté marcada</translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation>E&amp;xplorar</translation>
    </message>
    <message>
        <source>Explore Vistrelles directory</source>
        <translation>Abrir la carpeta Vistrelles</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>Ac&amp;tualizar</translation>
    </message>
    <message>
        <source>Refresh category, image set and image files</source>
        <translation>Actualizar la categoría, la serie de imágenes y los archivos</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Opciones</translation>
    </message>
    <message>
        <source>Miscellaneous options for Vistrelle</source>
        <translation>Opciones diversas de Vistrelle</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;Intro Set</source>
        <translation>Serie de &amp;inicio</translation>
    </message>
    <message>
        <source>Make the current image set the first shown when Vistrelle starts</source>
        <translation>Mostrar la serie de imágenes actual al iniciar Vistrelle</translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation>&amp;Minimizar</translation>
    </message>
    <message>
        <source>Low resource (memory) mode of operation</source>
        <translation>Modo de pocos recursos (memoria)</translation>
    </message>
    <message>
        <source>Image Info</source>
        <translation>Información de la imagen</translation>
    </message>
    <message>
        <source>Date modified &amp; file size in kilobytes</source>
        <translation>Fecha de modificación y tamaño del archivo en kilobytes</translation>
    </message>
</context>
<context>
    <name>NoImagesPicture</name>
    <message>
        <source>No images</source>
        <translation>No hay imágenes</translation>
    </message>
    <message>
        <source>Screenshots you take appear here.</source>
        <translation>Sus capturas de pantalla aparecen aquí.</translation>
    </message>
</context>
<context>
    <name>OkCancelButtons</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>PictureActions</name>
    <message>
        <source>The clipboard could not be had: nothing was copied.</source>
        <translation>El portapapeles no estaba disponible: no se copió nada.</translation>
    </message>
    <message>
        <source>The words of this picture have not been read yet.</source>
        <translation>Las palabras de esta imagen aún no se han leído.</translation>
    </message>
    <message>
        <source>No words were read inside the rectangle.</source>
        <translation>No se leyó ninguna palabra dentro del rectángulo.</translation>
    </message>
    <message>
        <source>No words were read in this picture.</source>
        <translation>No se leyó ninguna palabra en esta imagen.</translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation>No se sabe qué hacer con este tipo de archivo.  Asócielo a un programa en su gestor de archivos.</translation>
    </message>
    <message>
        <source>%1 could not open %2</source>
        <translation>%1 no pudo abrir %2</translation>
    </message>
    <message>
        <source>Problem encountered trying to show the file in the file manager.
</source>
        <translation>No se pudo mostrar el archivo en el gestor de archivos.
</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>Copy &amp;Text</source>
        <translation>Copiar &amp;texto</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Abrir</translation>
    </message>
    <message>
        <source>Open &amp;With</source>
        <translation>Abrir co&amp;n</translation>
    </message>
    <message>
        <source>Show in &amp;Folder</source>
        <translation>Mostrar en la car&amp;peta</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>Cambiar &amp;nombre</translation>
    </message>
    <message>
        <source>&amp;Move...</source>
        <translation>&amp;Mover...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Eliminar</translation>
    </message>
</context>
<context>
    <name>PipeReader</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>El programa que ofrecía la imagen del portapapeles dejó de enviarla.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation>La imagen del portapapeles ocupa más de %1 MB.</translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Out of memory</source>
        <translation>Memoria insuficiente</translation>
    </message>
    <message>
        <source>Failed to save to PNG (%1)</source>
        <translation>No se pudo guardar como PNG (%1)</translation>
    </message>
</context>
<context>
    <name>PortalScreenGrab</name>
    <message>
        <source>The desktop&apos;s screenshot portal did not answer.</source>
        <translation>El portal de capturas del escritorio no respondió.</translation>
    </message>
    <message>
        <source>There is no session bus, so no screenshot portal.</source>
        <translation>No hay bus de sesión, así que no hay portal de capturas.</translation>
    </message>
    <message>
        <source>To capture a Wayland window, Vistrelle asks the desktop for a screenshot.  The desktop asks you once: &quot;%1&quot;  Choose Allow, and later captures ask nothing (the desktop gives Vistrelle the whole screen).</source>
        <translation>Para capturar una ventana de Wayland, Vistrelle pide una captura al escritorio.  El escritorio le pregunta una vez: «%1»  Elija Permitir y las capturas siguientes no preguntarán nada (el escritorio da a Vistrelle la pantalla entera).</translation>
    </message>
    <message>
        <source>No screenshot portal answered (%1): the desktop&apos;s portal service (xdg-desktop-portal with its desktop&apos;s part) must be installed.</source>
        <translation>Ningún portal de capturas respondió (%1): debe instalarse el servicio de portales del escritorio (xdg-desktop-portal con la parte de su escritorio).</translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no readable picture.</source>
        <translation>El portal de capturas del escritorio no entregó ninguna imagen legible.</translation>
    </message>
    <message>
        <source>The screenshot was cancelled on the desktop.</source>
        <translation>La captura de pantalla se canceló en el escritorio.</translation>
    </message>
    <message>
        <source>The desktop refuses screenshots to applications (the answer to &quot;%1&quot; was Deny). To allow them, run: gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</source>
        <translation>El escritorio niega las capturas de pantalla a las aplicaciones (la respuesta a «%1» fue Denegar). Para permitirlas, ejecute: gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</translation>
    </message>
    <message>
        <source>The desktop&apos;s question &quot;%1&quot; went unanswered. The next capture asks again: choose Allow.</source>
        <translation>La pregunta «%1» del escritorio quedó sin respuesta. La próxima captura volverá a preguntar: elija Permitir.</translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no picture.</source>
        <translation>El portal de capturas del escritorio no entregó ninguna imagen.</translation>
    </message>
</context>
<context>
    <name>PortalShortcuts</name>
    <message>
        <source>Capture the active window</source>
        <translation>Capturar la ventana activa</translation>
    </message>
    <message>
        <source>Start or stop time-lapse</source>
        <translation>Iniciar o detener las capturas a intervalos</translation>
    </message>
    <message>
        <source>The desktop did not give Vistrelle %1: another program may have taken it, or it was refused.</source>
        <translation>El escritorio no dio %1 a Vistrelle: puede que otro programa lo tenga o que se haya denegado.</translation>
    </message>
    <message>
        <source>The desktop keeps the keys it has for Vistrelle&apos;s shortcuts (%1).  To change them, open System Settings, Shortcuts, and choose &quot;vistrelle&quot;.</source>
        <translation>El escritorio conserva las teclas que tiene para los atajos de Vistrelle (%1).  Para cambiarlas, abra Preferencias del sistema, Atajos, y elija «vistrelle».</translation>
    </message>
</context>
<context>
    <name>ProcessTextReader</name>
    <message>
        <source>Words in screenshots cannot be read: the reading program %1%2</source>
        <translation>No se pueden leer las palabras de las capturas: el programa de lectura %1%2</translation>
    </message>
    <message>
        <source> could not be started.</source>
        <translation> no se pudo iniciar.</translation>
    </message>
    <message>
        <source> ended with code %1.</source>
        <translation> terminó con el código %1.</translation>
    </message>
</context>
<context>
    <name>QtMessageBoxes</name>
    <message>
        <source>
... and %1 more lines: Show Details lists them all.</source>
        <translation>
... y %1 líneas más: Mostrar detalles las muestra todas.</translation>
    </message>
</context>
<context>
    <name>ReaderWorker</name>
    <message>
        <source>The words read from screenshots cannot be saved in %1: the disk is full or cannot be written.  Find goes on with what was saved before.</source>
        <translation>Las palabras leídas de las capturas no se pueden guardar en %1: el disco está lleno o no admite escritura.  La búsqueda sigue con lo guardado antes.</translation>
    </message>
</context>
<context>
    <name>ScreenshotWriter</name>
    <message>
        <source>The picture on the clipboard is too large to be filed (%1 x %2 pixels).</source>
        <translation>La imagen del portapapeles es demasiado grande para archivarla (%1 × %2 píxeles).</translation>
    </message>
    <message>
        <source>The picture on the clipboard cannot be read.</source>
        <translation>La imagen del portapapeles no se puede leer.</translation>
    </message>
    <message>
        <source>An error has occurred while creating image file.  Error %1</source>
        <translation>Se produjo un error al crear el archivo de imagen.  Error %1</translation>
    </message>
</context>
<context>
    <name>ThumbnailPicture</name>
    <message>
        <source>This picture cannot be shown</source>
        <translation>Esta imagen no se puede mostrar</translation>
    </message>
</context>
<context>
    <name>VistrelleApp</name>
    <message>
        <source>Vistrelle is already running.  Check the System Tray.</source>
        <translation>Vistrelle ya se está ejecutando.  Mire en el área de notificación.</translation>
    </message>
    <message>
        <source>Done.

%1 will be the first image set you see when you start Vistrelle</source>
        <translation>Hecho.

%1 será la primera serie de imágenes que verá al iniciar Vistrelle</translation>
    </message>
    <message>
        <source>Invalid directory specified.  Check the target line for the shortcut.</source>
        <translation>Carpeta indicada no válida.  Compruebe la línea de órdenes del acceso directo.</translation>
    </message>
    <message>
        <source>Problem encountered with specified directory (%1).  Check the target line for the shortcut. Error encoutered: %2</source>
        <translation>Problema con la carpeta indicada (%1).  Compruebe la línea de órdenes del acceso directo. Error: %2</translation>
    </message>
    <message>
        <source>Could not write %1 file (%2).</source>
        <translation>No se pudo escribir el archivo %1 (%2).</translation>
    </message>
    <message>
        <source>%1 is taken by another program</source>
        <translation>%1 ya lo usa otro programa</translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>El programa que ofrecía la imagen del portapapeles dejó de enviarla.</translation>
    </message>
</context>
<context>
    <name>WindowCapture</name>
    <message>
        <source>The whole screen was filed, not the active window.  %1</source>
        <translation>Se archivó la pantalla entera, no la ventana activa.  %1</translation>
    </message>
    <message>
        <source>The active window was not captured.  %1</source>
        <translation>La ventana activa no se capturó.  %1</translation>
    </message>
</context>
<context>
    <name>X11Transfer</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation>El programa que ofrecía la imagen del portapapeles dejó de enviarla.</translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation>La imagen del portapapeles ocupa más de %1 MB.</translation>
    </message>
</context>
<context>
    <name>frmEnterName</name>
    <message>
        <source>Enter a name ...</source>
        <translation>Introduzca un nombre...</translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation>Introduzca un nombre.</translation>
    </message>
    <message>
        <source>Invalid character found in name. Cannot use \, /, :, ?, &lt;, &gt;, |, *, or .</source>
        <translation>Carácter no válido en el nombre. No se puede usar \, /, :, ?, &lt;, &gt;, |, * ni .</translation>
    </message>
</context>
<context>
    <name>frmFileOptions</name>
    <message>
        <source>Vistrelle File Options</source>
        <translation>Vistrelle – Opciones del archivo</translation>
    </message>
    <message>
        <source>&amp;O p e n</source>
        <translation>&amp;A b r i r</translation>
    </message>
    <message>
        <source>Open the file with its associated program</source>
        <translation>Abrir el archivo con su programa asociado</translation>
    </message>
    <message>
        <source>&amp;R e n a m e</source>
        <translation>Re&amp;n o m b r a r</translation>
    </message>
    <message>
        <source>Rename the file</source>
        <translation>Cambiar el nombre del archivo</translation>
    </message>
    <message>
        <source>&amp;C a n c e l</source>
        <translation>&amp;C a n c e l a r</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Renombrar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Vistrelle Help</source>
        <translation>Ayuda de Vistrelle</translation>
    </message>
    <message>
        <source>&amp;C o n t e n t s</source>
        <translation>&amp;C o n t e n i d o</translation>
    </message>
    <message>
        <source>C &amp;a n c e l</source>
        <translation>C a &amp;n c e l a r</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Contenido</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Vistrelle Version %1.%2</source>
        <translation>Vistrelle versión %1.%2</translation>
    </message>
    <message>
        <source>Problem encountered trying to open the help page.
</source>
        <translation>No se pudo abrir la página de ayuda.
</translation>
    </message>
</context>
<context>
    <name>frmImage</name>
    <message>
        <source>Vistrelle Image Viewer (resize horizontally)</source>
        <translation>Visor de imágenes de Vistrelle (redimensionar en horizontal)</translation>
    </message>
    <message>
        <source>&amp;Intro Image</source>
        <translation>Imagen de &amp;inicio</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>No images currently available for viewing.</source>
        <translation>No hay imágenes disponibles para mostrar.</translation>
    </message>
</context>
<context>
    <name>frmLowResource</name>
    <message>
        <source>&amp;Category</source>
        <translation>&amp;Categoría</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>&amp;Serie de imágenes</translation>
    </message>
    <message>
        <source>This window waits behind Vistrelle&apos;s icon in the notification area: click the icon to show or hide it.  Restore brings back the main window.</source>
        <translation>Esta ventana espera tras el icono de Vistrelle en el área de notificación: pulse el icono para mostrarla u ocultarla.  Restaurar devuelve la ventana principal.</translation>
    </message>
    <message>
        <source>This window waits on the taskbar, minimised: click it there to show it.  Restore brings back the main window.</source>
        <translation>Esta ventana espera minimizada en la barra de tareas: púlsela allí para mostrarla.  Restaurar devuelve la ventana principal.</translation>
    </message>
    <message>
        <source>Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the Category and Image Set above.</source>
        <translation>Vistrelle funciona ahora en modo de pocos recursos.  Las capturas se guardarán en la categoría y la serie de imágenes de arriba.</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Restaurar</translation>
    </message>
    <message>
        <source>&amp;SysTrayMenu</source>
        <translation>&amp;Menú del icono</translation>
    </message>
    <message>
        <source>Capture &amp;Active Window</source>
        <translation>Capturar la ventana &amp;activa</translation>
    </message>
    <message>
        <source>Start &amp;Time-Lapse</source>
        <translation>Iniciar capturas a &amp;intervalos</translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation>&amp;Pausar la captura</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source> (LR mode)</source>
        <translation> (ahorro)</translation>
    </message>
    <message>
        <source>Stop &amp;Time-Lapse</source>
        <translation>Detener capturas a &amp;intervalos</translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Vistrelle Options</source>
        <translation>Opciones de Vistrelle</translation>
    </message>
    <message>
        <source>Take active window hotkey</source>
        <translation>Atajo: capturar la ventana activa</translation>
    </message>
    <message>
        <source>Normally the &quot;take active window&quot; key command is ALT+Print Screen but the ALT key can interfere with some applications so you can define a hotkey equivalent here.</source>
        <translation>Normalmente la ventana activa se captura con Alt+Impr Pant, pero la tecla Alt puede molestar a algunas aplicaciones; aquí puede definir un atajo equivalente.</translation>
    </message>
    <message>
        <source>CTRL</source>
        <translation>CTRL</translation>
    </message>
    <message>
        <source>SHIFT</source>
        <translation>MAYÚS</translation>
    </message>
    <message>
        <source>ALT</source>
        <translation>ALT</translation>
    </message>
    <message>
        <source>Time-lapse start/stop hotkey</source>
        <translation>Atajo: iniciar/detener capturas a intervalos</translation>
    </message>
    <message>
        <source>Time-lapse screenshots</source>
        <translation>Capturas a intervalos</translation>
    </message>
    <message>
        <source>To take a screenshot of the active window at regular intervals, enter the interval below and use the &quot;Time-lapse start/stop hotkey&quot; above to toggle this option on and off.</source>
        <translation>Para capturar la ventana activa a intervalos regulares, indique el intervalo abajo y use el «Atajo: iniciar/detener capturas a intervalos» de arriba para activar o desactivar esta opción.</translation>
    </message>
    <message>
        <source>Minute(s)</source>
        <translation>Minuto(s)</translation>
    </message>
    <message>
        <source>Second(s)</source>
        <translation>Segundo(s)</translation>
    </message>
    <message>
        <source>Silent operation</source>
        <translation>Sin sonido</translation>
    </message>
    <message>
        <source>Don&apos;t play a sound when a screenshot is taken with the time-lapse screenshot option.</source>
        <translation>No reproducir ningún sonido al tomar una captura a intervalos.</translation>
    </message>
    <message>
        <source>Jpeg quality</source>
        <translation>Calidad JPEG</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Calidad</translation>
    </message>
    <message>
        <source>Enter a value between 1 and 100, 100 being the highest quality.  The higher the number, the greater the resulting jpg file size.  Vistrelle defaults to 90 which is a good tradeoff between quality and file size.</source>
        <translation>Introduzca un valor entre 1 y 100, siendo 100 la máxima calidad.  Cuanto mayor es el valor, mayor es el archivo JPG.  Vistrelle usa 90 de forma predeterminada, un buen equilibrio entre calidad y tamaño.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Búsqueda</translation>
    </message>
    <message>
        <source>Languages of the words in screenshots:</source>
        <translation>Idiomas de las palabras en las capturas:</translation>
    </message>
    <message>
        <source>Languages</source>
        <translation>Idiomas</translation>
    </message>
    <message>
        <source>The installed languages the screenshots are read in; a change reads every screenshot again</source>
        <translation>Los idiomas instalados en los que se leen las capturas; un cambio vuelve a leerlas todas</translation>
    </message>
    <message>
        <source>Read the words in screenshots</source>
        <translation>Leer las palabras de las capturas</translation>
    </message>
    <message>
        <source>Without it Find knows the screenshots by their window titles only</source>
        <translation>Sin esta opción, la búsqueda solo conoce las capturas por el título de su ventana</translation>
    </message>
    <message>
        <source>Never read the screenshots of these programs (window classes, separated by commas):</source>
        <translation>No leer nunca las capturas de estos programas (clases de ventana, separadas por comas):</translation>
    </message>
    <message>
        <source>A password manager, a browser kept for banking: the words already read from their screenshots are forgotten</source>
        <translation>Un gestor de contraseñas, un navegador para el banco: las palabras ya leídas de sus capturas se olvidan</translation>
    </message>
    <message>
        <source>Forget the words read</source>
        <translation>Olvidar las palabras leídas</translation>
    </message>
    <message>
        <source>Empties the index of the words read from every screenshot, at once</source>
        <translation>Vacía al momento el índice de las palabras leídas de todas las capturas</translation>
    </message>
    <message>
        <source>Write the window title into new screenshots</source>
        <translation>Escribir el título de la ventana en las capturas nuevas</translation>
    </message>
    <message>
        <source>The title goes into the file&apos;s own text (JPEG comment, PNG text), where other programs can read it</source>
        <translation>El título se guarda en el texto del propio archivo (comentario JPEG, texto PNG), donde otros programas pueden leerlo</translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation>Iniciar con el escritorio</translation>
    </message>
    <message>
        <source>Start Vistrelle in low-resource mode, behind its tray icon, whenever you log in</source>
        <translation>Iniciar Vistrelle en modo de pocos recursos, tras su icono de notificación, cada vez que inicie sesión</translation>
    </message>
    <message>
        <source>Notify each capture</source>
        <translation>Notificar cada captura</translation>
    </message>
    <message>
        <source>A desktop notification tells each screenshot filed, with Show and Copy; time-lapse when it starts and stops</source>
        <translation>Una notificación avisa de cada captura archivada, con Mostrar y Copiar; de las capturas a intervalos al iniciarse y detenerse</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Impr Pant</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Insert</translation>
    </message>
</context>
<context>
    <name>frmPhotos</name>
    <message>
        <source>Space shows the next picture, Enter chooses this one</source>
        <translation>Espacio muestra la imagen siguiente, Intro elige esta</translation>
    </message>
    <message>
        <source>Click image to see next.  Double click image to select. Hover over image to see name.</source>
        <translation>Pulse la imagen para ver la siguiente.  Doble clic para elegirla. Pase el puntero por encima para ver su nombre.</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Página siguiente</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>frmRelocate</name>
    <message>
        <source>C&amp;ategory</source>
        <translation>Ca&amp;tegoría</translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation>&amp;Serie de imágenes</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Seleccione primero una serie de imágenes.</translation>
    </message>
</context>
<context>
    <name>frmVistrelle</name>
    <message>
        <source>This image set holds %1 images; only the first %2 are listed.  Raise FILEMAX= in Vistrelle.ini to list them all.</source>
        <translation>Esta serie contiene %1 imágenes; solo se muestran las %2 primeras.  Aumente FILEMAX= en Vistrelle.ini para verlas todas.</translation>
    </message>
    <message>
        <source>Problem encountered trying to open the file manager to Vistrelles directory.
</source>
        <translation>No se pudo abrir la carpeta Vistrelles en el gestor de archivos.
</translation>
    </message>
    <message>
        <source>The words read from your screenshots are forgotten.

Read the words in your screenshots again?  If not, nothing is read until you tick &quot;Read the words in screenshots&quot; in Options.</source>
        <translation>Las palabras leídas de sus capturas se han olvidado.

¿Volver a leer las palabras de sus capturas?  Si no, no se leerá nada hasta que marque «Leer las palabras de las capturas» en Opciones.</translation>
    </message>
    <message>
        <source>Could not change %1 (%2)</source>
        <translation>No se pudo cambiar %1 (%2)</translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation>Seleccione primero una serie de imágenes.</translation>
    </message>
    <message>
        <source>Done.

This image will now be the first to be displayed for this image set.</source>
        <translation>Hecho.

Esta imagen será ahora la primera que se muestre de esta serie.</translation>
    </message>
    <message>
        <source>Select file(s) to copy first.</source>
        <translation>Seleccione primero los archivos que desea copiar.</translation>
    </message>
    <message>
        <source>There are no images to show.</source>
        <translation>No hay imágenes que mostrar.</translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Image Set - %1</source>
        <translation>Miniaturas – Serie de imágenes – %1</translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Category - %1</source>
        <translation>Miniaturas – Categoría – %1</translation>
    </message>
</context>
</TS>
