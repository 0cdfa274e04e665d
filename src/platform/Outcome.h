#pragma once

#include <QString>
#include <QStringList>

/// What a command or a file call did; the one way library/, capture/ and the file calls report
/// back. Nothing below the windows opens a message box: the window that asked shows the text.
struct Outcome
{
    enum class Kind { Done, Refused, Failed };

    Kind kind = Kind::Done;
    /// The system's error number, or the program's own for a failure without one; 0 when done.
    int error = 0;
    /// Why: the refusal in the user's words, or the description of the error.
    QString text;
    /// What went wrong on the way in a command that went on (files a delete had to leave), one
    /// message each.
    QStringList problems;

    bool done() const { return kind == Kind::Done; }

    static Outcome refused(const QString& why, int error = 0) { return {Kind::Refused, error, why, {}}; }
    static Outcome failed(int error, const QString& text) { return {Kind::Failed, error, text, {}}; }
    /// A failure with the system's own description of \a error.
    static Outcome systemError(int error);
};
