#pragma once

#include <QString>
#include <QStringList>
#include <optional>

/// One thumbnail of the thumbnail viewer: its name (column 0) and the full paths of its
/// images in display order (columns 1 to m).
struct ThumbnailRow
{
    QString name;
    QStringList images;
};

/// The one record through which the windows and the library routines talk. Folder paths end
/// in "/" and keep the case they have on disk. The working tables are 1-based in their
/// meaning: entry n is element n - 1; a table holds at most its capacity of entries.
struct AppState
{
    // Working tables
    QStringList fileListEntries; // path behind each line of lstComponents, in display order
    QStringList dirList;         // sub-folder paths found by the last folder walk, without "/"
    int dirCount = 0;            // next free entry of dirList; counts past dirMax
    QStringList fileList;        // file paths found by the last file walk
    int fileCount = 0;           // next free entry of fileList; counts past fileMax
    QStringList imageSetFiles;   // every file of the current Image Set, for the name check

    QList<ThumbnailRow> thumbnailEntries; // row r is element r - 1; at most dirMax rows and images
    int thumbnailCount = 0;               // next free row while a Category is gathered
    int thumbnailSlots[15] = {};          // column each cell shows: 1 from the page fill, 0 hidden
    int thumbnailPageStart = 0;           // row shown in the page's first cell: 1, 16, 31, ...

    // Paths and capacities
    QString programDir; // the executable's folder: help page and sounds
    QString dataDir;    // settings file and default library: programDir unless that is read-only
    QString libraryRoot;
    int dirMax = 0;
    int fileMax = 0;

    // Current selection, viewer geometry (twips) and dialog results
    int currentFileIndex = 0;
    int imageViewerTop = 0;
    int imageViewerLeft = 0;
    int imageViewerWidth = 0;
    QString enteredName;
    QString introCategory;
    QString introImageSet;
    QString thumbnailPick;
    QString captureExtension;
    QString currentCategory;
    QString currentImageSet;
    bool lowResourceMode = false;
    bool lowResourceMinimized = false;
    int fileOptionsChoice = 0;
    int scaledWidth = 0;
    int scaledHeight = 0;
    QString relocateCategory;
    QString relocateImageSet;
    int restoreListIndex = 0;
    QString lastRelocateCategory;
    QString lastRelocateImageSet;

    // Capture settings
    int activeWindowHotkey = 0;
    int activeWindowModifiers = 0;
    int timeLapseHotkey = 0;
    int timeLapseModifiers = 0;
    int timeLapseSeconds = 0;
    bool timeLapseSilent = false;
    int jpegQuality = 0;

    // Transient capture state
    bool timeLapseActive = false;
    int timeLapseElapsedMs = 0;
    QString captureSuffix;
    bool captureTickRunning = false;            // a tick is on the stack (its message box is open)
    std::optional<quint64> captureFailedChange; // clipboard change whose picture failed to file
    QString captureFailedFolder;                // ... into this Image Set
    std::optional<quint64> captureFiledChange;  // clipboard change just filed and cleared
};
