#pragma once

#include <QString>
#include <QStringList>

/// What the settings file keeps between runs. Window places are in twips.
struct Settings
{
    /// Every setting at the value a new user starts with: the default its row in the settings
    /// file's key table gives (SettingsFile.cpp), the same row that leaves a default unwritten.
    Settings();

    int imageViewerTop{};
    int imageViewerLeft{};
    int imageViewerWidth{};
    QString introCategory;
    QString introImageSet;

    QString captureExtension;
    int jpegQuality{};
    int activeWindowHotkey{};    ///< a Windows virtual-key code (KeyState.h), 0 for none
    int activeWindowModifiers{}; ///< 1 Ctrl, 2 Shift, 4 Alt, summed
    int timeLapseHotkey{};
    int timeLapseModifiers{};
    int timeLapseSeconds{};
    bool timeLapseSilent{};

    int dirMax{};
    int fileMax{};

    QString findLanguages;      ///< the text reader's, joined by "+"
    bool readWords{};           ///< the words in screenshots are read for Find
    QStringList unreadPrograms; ///< window classes whose screenshots are never read
    bool writeWindowTitle{};    ///< into the metadata of new screenshots
    bool notifyCaptures{};      ///< a desktop notification tells each capture
};

/// The image viewer's width in twips for a kept width of \a twips on screens \a screenTwips wide:
/// one below 2000 twips, too narrow to use, stands for 5000, and so does one wider than the
/// screens, which would open a window no one can see whole.
constexpr int UsableViewerWidth(int twips, int screenTwips)
{
    return twips < 2000 || twips > screenTwips ? 5000 : twips;
}
