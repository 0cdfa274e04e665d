#pragma once

#include <QtGlobal>

class QMimeData;

/// Puts what the program offers on the desktop's clipboard, where other programs paste it.
class ClipboardWriter
{
public:
    virtual ~ClipboardWriter() = default;
    /// Puts \a offer on the clipboard in place of what was there, and serves it until another
    /// program copies something; takes \a offer over. The change it made, numbered as the
    /// Clipboard numbers its changes, so that the capture engine knows the copy for its own;
    /// 0 when the clipboard could not be had.
    virtual quint64 offer(QMimeData* offer) = 0;
};
