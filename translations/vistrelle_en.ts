<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BottomUpBgrBuffer</name>
    <message>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overflow: the picture is too large</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CaptureCaption</name>
    <message>
        <source> (time-lapse)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CaptureEngine</name>
    <message>
        <source>Please select an image set first.  The picture stays on the clipboard until an image set is shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an image set first.  The picture is kept until an image set is shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture put back on the clipboard was filed already; it was not filed again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture on the clipboard is %1 of the Image Set already; it was not filed again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CaptureNotices</name>
    <message numerus="yes">
        <source>%n more pictures could not be filed</source>
        <translation>
            <numerusform>%n more picture could not be filed</numerusform>
            <numerusform>%n more pictures could not be filed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CaptureNotifier</name>
    <message>
        <source>Time-lapse started</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A shot of the active window every %1 s into %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshot filed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-lapse stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n shots filed into %1</source>
        <translation>
            <numerusform>%n shot filed into %1</numerusform>
            <numerusform>%n shots filed into %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Vistrelle is not running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start in low-resource mode: a small window behind a tray icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>capture the active window in the Vistrelle that is running, then end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>start or stop time-lapse in the Vistrelle that is running, then end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WORDS...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print the library&apos;s pictures that hold all the words, newest first, then end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print this help and end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>print the version and end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes no value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2 cannot be given together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be given with other arguments</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try &apos;vistrelle --help&apos; for more information.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: vistrelle [%1] [DIRECTORY]
       vistrelle [DIRECTORY] %3
       vistrelle %2

Vistrelle files every picture put on the clipboard into a library of folders: DIRECTORY/Vistrelles/
when a DIRECTORY is given, else the default library (see the help page, Vistrelle.htm).
Words after -- name the DIRECTORY even when they begin with -.

</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Select file(s) to delete first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Are you sure you want to delete the %n files selected?</source>
        <translation>
            <numerusform>Are you sure you want to delete the %n file selected?</numerusform>
            <numerusform>Are you sure you want to delete the %n files selected?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Deleting %n files...</source>
        <translation>
            <numerusform>Deleting %n file...</numerusform>
            <numerusform>Deleting %n files...</numerusform>
        </translation>
    </message>
    <message>
        <source>These files cannot be moved to the trash (%1):

%2

Delete them for good?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select file(s) to relocate first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Where should these (%n) files be moved?</source>
        <translation>
            <numerusform>Where should this (%n) file be moved?</numerusform>
            <numerusform>Where should these (%n) files be moved?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moving %n files...</source>
        <translation>
            <numerusform>Moving %n file...</numerusform>
            <numerusform>Moving %n files...</numerusform>
        </translation>
    </message>
    <message>
        <source>These files were not moved and are still where they were:

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New name for %1:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileJob</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileList</name>
    <message>
        <source>Select file(s) &amp; press Delete key to delete OR Spacebar to relocate.  Double click for more options.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileOperations</name>
    <message>
        <source>There was a problem removing a directory.  The directory or files contained in it may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not in the library; nothing was deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a link (or a file), not a folder of the library: what lies behind it is not the library&apos;s, and nothing was deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There was a problem removing file %1 - It may be set to READ-ONLY mode (i.e. it is on a CD) or it may still be in use.  Check the file properties.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The selected files are already in that image set.  Choose another image set to move them to.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>a file of that name is already there</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindCommand</name>
    <message>
        <source>The index cannot be opened: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not read yet: %1 of %2 pictures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Usage: vistrelle [DIRECTORY] --find WORDS</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FindPanel</name>
    <message>
        <source>Find words in screenshots (Ctrl+F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Words in the screenshots, or in the title or program of the window they were taken from; each word may be the start of one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Where to look for the words</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loo&amp;k in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshots holding the words, newest first; Esc goes back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshots found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The index cannot be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading text: %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (paused)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageInfo</name>
    <message>
        <source>hh:mm:ss AP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1  (%2KB)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ImageSetCommands</name>
    <message>
        <source>Name of the new Category:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No categories exist.  Please create the category you&apos;d like the image set to belong in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name of the new Image Set in %1:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You must select a category first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the category and all image sets contained in it.  Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LAST CHANCE!!!  Removing a category will remove ALL image sets contained in it.  Should I Abort?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>WARNING!!!  This will remove the image set and all the images contained in it.  Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be moved to the trash (%2).  Delete it and everything in it for good?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntroImage</name>
    <message>
        <source>There was a problem renaming image files.  The files may be set to READ ONLY mode (i.e. they&apos;re on a CD ROM).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JpegWriter</name>
    <message>
        <source>Failed to initialise the JPEG encoder: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save to JPG %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KWinScreenGrab</name>
    <message>
        <source>KDE Plasma&apos;s compositor did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KDE Plasma gives the picture of a window only to programs installed with their desktop entry: install Vistrelle (cmake --install) and start the installed program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KDE Plasma&apos;s compositor sent no whole picture of the window.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibPng</name>
    <message>
        <source>Failed to initialise the PNG encoder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryCommands</name>
    <message>
        <source>Problem creating Category.  It probably already exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Critical error.  Code E.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem renaming file.  The file name probably already exists.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindowControls</name>
    <message>
        <source>&amp;Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Del</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnail viewer for image sets in the current category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New image set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Image Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete image set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Image Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnail viewer for images in current image set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View Image Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image &amp;Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capture Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output screenshots in Jpeg format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output screenshots in Bitmap format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Output screenshots in PNG format: exact pixels, small files for text and flat colours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave the clipboard and the hotkeys alone until this is unticked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Explore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Explore Vistrelles directory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh category, image set and image files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Miscellaneous options for Vistrelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Intro Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the current image set the first shown when Vistrelle starts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Minimize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Low resource (memory) mode of operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date modified &amp; file size in kilobytes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NoImagesPicture</name>
    <message>
        <source>No images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screenshots you take appear here.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OkCancelButtons</name>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureActions</name>
    <message>
        <source>The clipboard could not be had: nothing was copied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The words of this picture have not been read yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No words were read inside the rectangle.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No words were read in this picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I don&apos;t know what action to take with the selected file type.  Try associating it with a program in your file manager.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not open %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem encountered trying to show the file in the file manager.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy &amp;Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;With</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show in &amp;Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Move...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PipeReader</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PngWriter</name>
    <message>
        <source>Out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save to PNG (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortalScreenGrab</name>
    <message>
        <source>The desktop&apos;s screenshot portal did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no session bus, so no screenshot portal.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To capture a Wayland window, Vistrelle asks the desktop for a screenshot.  The desktop asks you once: &quot;%1&quot;  Choose Allow, and later captures ask nothing (the desktop gives Vistrelle the whole screen).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No screenshot portal answered (%1): the desktop&apos;s portal service (xdg-desktop-portal with its desktop&apos;s part) must be installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no readable picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The screenshot was cancelled on the desktop.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop refuses screenshots to applications (the answer to &quot;%1&quot; was Deny). To allow them, run: gdbus call --session --dest %2 --object-path %3 --method %2.SetPermission screenshot true screenshot &quot;&apos;&apos;&quot; &quot;[&apos;yes&apos;]&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop&apos;s question &quot;%1&quot; went unanswered. The next capture asks again: choose Allow.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop&apos;s screenshot portal gave no picture.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PortalShortcuts</name>
    <message>
        <source>Capture the active window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start or stop time-lapse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop did not give Vistrelle %1: another program may have taken it, or it was refused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The desktop keeps the keys it has for Vistrelle&apos;s shortcuts (%1).  To change them, open System Settings, Shortcuts, and choose &quot;vistrelle&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ProcessTextReader</name>
    <message>
        <source>Words in screenshots cannot be read: the reading program %1%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> could not be started.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> ended with code %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtMessageBoxes</name>
    <message>
        <source>
... and %1 more lines: Show Details lists them all.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReaderWorker</name>
    <message>
        <source>The words read from screenshots cannot be saved in %1: the disk is full or cannot be written.  Find goes on with what was saved before.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScreenshotWriter</name>
    <message>
        <source>The picture on the clipboard is too large to be filed (%1 x %2 pixels).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture on the clipboard cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An error has occurred while creating image file.  Error %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThumbnailPicture</name>
    <message>
        <source>This picture cannot be shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>VistrelleApp</name>
    <message>
        <source>Vistrelle is already running.  Check the System Tray.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done.

%1 will be the first image set you see when you start Vistrelle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid directory specified.  Check the target line for the shortcut.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem encountered with specified directory (%1).  Check the target line for the shortcut. Error encoutered: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not write %1 file (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is taken by another program</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WaylandClipboard</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowCapture</name>
    <message>
        <source>The whole screen was filed, not the active window.  %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The active window was not captured.  %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>X11Transfer</name>
    <message>
        <source>The program that offered the picture on the clipboard stopped sending it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture on the clipboard is larger than %1 MB.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmEnterName</name>
    <message>
        <source>Enter a name ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid character found in name. Cannot use \, /, :, ?, &lt;, &gt;, |, *, or .</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmFileOptions</name>
    <message>
        <source>Vistrelle File Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;O p e n</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the file with its associated program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;R e n a m e</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;C a n c e l</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmHelp</name>
    <message>
        <source>Vistrelle Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;C o n t e n t s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C &amp;a n c e l</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vistrelle Version %1.%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem encountered trying to open the help page.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmImage</name>
    <message>
        <source>Vistrelle Image Viewer (resize horizontally)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Intro Image</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No images currently available for viewing.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmLowResource</name>
    <message>
        <source>&amp;Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This window waits behind Vistrelle&apos;s icon in the notification area: click the icon to show or hide it.  Restore brings back the main window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This window waits on the taskbar, minimised: click it there to show it.  Restore brings back the main window.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vistrelle is now operating in Low Resource mode.  Screenshots will be placed in the Category and Image Set above.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;SysTrayMenu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Capture &amp;Active Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start &amp;Time-Lapse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ause capturing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (LR mode)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop &amp;Time-Lapse</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmOptions</name>
    <message>
        <source>Vistrelle Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take active window hotkey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normally the &quot;take active window&quot; key command is ALT+Print Screen but the ALT key can interfere with some applications so you can define a hotkey equivalent here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CTRL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHIFT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ALT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-lapse start/stop hotkey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-lapse screenshots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To take a screenshot of the active window at regular intervals, enter the interval below and use the &quot;Time-lapse start/stop hotkey&quot; above to toggle this option on and off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minute(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second(s)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Silent operation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Don&apos;t play a sound when a screenshot is taken with the time-lapse screenshot option.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter a value between 1 and 100, 100 being the highest quality.  The higher the number, the greater the resulting jpg file size.  Vistrelle defaults to 90 which is a good tradeoff between quality and file size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Languages of the words in screenshots:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Languages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installed languages the screenshots are read in; a change reads every screenshot again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the words in screenshots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without it Find knows the screenshots by their window titles only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Never read the screenshots of these programs (window classes, separated by commas):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A password manager, a browser kept for banking: the words already read from their screenshots are forgotten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forget the words read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empties the index of the words read from every screenshot, at once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the window title into new screenshots</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The title goes into the file&apos;s own text (JPEG comment, PNG text), where other programs can read it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start with the desktop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Vistrelle in low-resource mode, behind its tray icon, whenever you log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notify each capture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A desktop notification tells each screenshot filed, with Show and Copy; time-lapse when it starts and stops</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmPhotos</name>
    <message>
        <source>Space shows the next picture, Enter chooses this one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click image to see next.  Double click image to select. Hover over image to see name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmRelocate</name>
    <message>
        <source>C&amp;ategory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image &amp;Set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmVistrelle</name>
    <message>
        <source>This image set holds %1 images; only the first %2 are listed.  Raise FILEMAX= in Vistrelle.ini to list them all.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problem encountered trying to open the file manager to Vistrelles directory.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The words read from your screenshots are forgotten.

Read the words in your screenshots again?  If not, nothing is read until you tick &quot;Read the words in screenshots&quot; in Options.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not change %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an image set first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done.

This image will now be the first to be displayed for this image set.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select file(s) to copy first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There are no images to show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Image Set - %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thumbnail Viewer - Category - %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
