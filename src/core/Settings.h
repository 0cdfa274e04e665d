#pragma once

#include <QString>
#include <QStringList>

/// What the settings file keeps between runs, with the values a new user starts with. Window
/// places are in twips.
struct Settings
{
    int imageViewerTop = 0;
    int imageViewerLeft = 0;
    int imageViewerWidth = 0;
    QString introCategory;
    QString introImageSet;

    QString captureExtension = QStringLiteral(".jpg");
    int jpegQuality = 90;
    int activeWindowHotkey = 0;    ///< a Windows virtual-key code (KeyState.h), 0 for none
    int activeWindowModifiers = 0; ///< 1 Ctrl, 2 Shift, 4 Alt, summed
    int timeLapseHotkey = 0;
    int timeLapseModifiers = 0;
    int timeLapseSeconds = 0;
    bool timeLapseSilent = false;

    int dirMax = 500;
    int fileMax = 5000;

    QString findLanguages = QStringLiteral("eng"); ///< the text reader's, joined by "+"
    bool readWords = true;                         ///< the words in screenshots are read for Find
    QStringList unreadPrograms;                    ///< window classes whose screenshots are never read
    bool writeWindowTitle = false;                 ///< into the metadata of new screenshots
    bool notifyCaptures = true;                    ///< a desktop notification tells each capture
};

/// The image viewer's width in twips for a kept width of \a twips on screens \a screenTwips wide:
/// one below 2000 twips, too narrow to use, stands for 5000, and so does one wider than the
/// screens, which would open a window no one can see whole.
constexpr int UsableViewerWidth(int twips, int screenTwips)
{
    return twips < 2000 || twips > screenTwips ? 5000 : twips;
}
