#pragma once

#include "Clipboard.h"

#include <QObject>

/// The X clipboard through QClipboard. Asking whether an image is there costs several blocking
/// round trips to the X server, so the answer is kept until the clipboard reports a change.
class QtClipboard final : public QObject, public Clipboard
{
public:
    QtClipboard();

    bool hasImage() override;
    QImage image() override;
    void setImage(const QImage& image) override;
    void clear() override;
    quint64 changeCount() override { return m_changes; }

private:
    void changed();

    quint64 m_changes = 0;
    bool m_known = false;
    bool m_holdsImage = false;
};
