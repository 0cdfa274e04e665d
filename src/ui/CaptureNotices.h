#pragma once

#include "platform/Outcome.h"

#include <QObject>

class MessageBoxes;

/// How what became of a capture reaches the user: one message box at a time. Whatever goes
/// wrong while one is open is counted on the status line instead of opening another, so that a
/// lasting failure under a stream of pictures never piles boxes up.
class CaptureNotices final : public QObject
{
    Q_OBJECT

public:
    explicit CaptureNotices(MessageBoxes& boxes);

    /// Shows \a outcome in a box (information for a refusal, a warning for a failure), or counts
    /// it while a box is open. A word on a filed picture (a done outcome) is information and is
    /// never counted: told while a box is open, it is shown after that box.
    void tell(const Outcome& outcome);

signals:
    /// A line for the status line.
    void noted(const QString& note);

private:
    MessageBoxes& m_boxes;
    bool m_open = false;
    int m_more = 0;      // told while the box was open
    QStringList m_after; // words on filed pictures, to show when the box is closed
};
