#pragma once

#include <QString>
#include <QStringList>

/// The most sub-folders of one folder that a walk follows.
constexpr int SubfolderLimit = 1000;

/// The extensions of the files listed as images, in the order ImagesAmong gives them.
inline constexpr const char* ImageExtensions[] = {"jpg", "jpeg", "gif", "bmp", "png"};

/// True when \a name ends in "." + \a extension, ignoring case (".gif" itself counts).
bool HasImageExtension(const QString& name, const QString& extension);

/// True when \a name ends in "." and one of ImageExtensions, ignoring case.
bool IsImageName(const QString& name);

/// What one walk below a folder finds. Hidden entries are left out, links to folders are never
/// entered, and at most SubfolderLimit sub-folders of one folder are followed.
struct FolderTree
{
    /// Files and links to files: a folder's own first, then those of its sub-folders in listing order.
    QStringList files;
    /// The sub-folders at any depth, each before those inside it, ending in "/".
    QStringList folders;
    /// What is neither: links to folders, links that lead nowhere, pipes, devices and sockets.
    QStringList others;
    /// The hidden entries, of any kind, left out of the lists above.
    QStringList hidden;
    /// False when a folder held more sub-folders than the walk followed.
    bool whole = true;
};

/// Walks below \a folder (ending in "/").
FolderTree WalkFolder(const QString& folder);

/// The images among \a files: every ".jpg", then every ".jpeg", ".gif", ".bmp" and ".png", in
/// any letter case, each kind in the order of \a files.
QStringList ImagesAmong(const QStringList& files);

/// The pictures of the Image Set an earlier \a walk went below: the images among its files,
/// those of its sub-folders included, as ImagesAmong gives them. The one rule by which the list,
/// the viewers and Find see an Image Set's pictures.
QStringList ImageSetPictures(const FolderTree& walk);
/// The pictures of the Image Set \a folder (ending in "/"), from a walk below it.
QStringList ImageSetPictures(const QString& folder);

/// The names of the folders in \a folder and of the links to folders there, in listing order,
/// hidden ones left out.
QStringList ListSubfolders(const QString& folder);

/// The part of \a path after its last "/", not looking at the last character: a folder path
/// "…/set/" gives "set/".
QString FileNameOf(const QString& path);
