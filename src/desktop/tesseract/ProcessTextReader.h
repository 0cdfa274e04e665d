#pragma once

#include "platform/TextReader.h"

#include <QStringList>
#include <mutex>
#include <sys/types.h>
#include <vector>

/// Reads the words of screenshots in a process of its own, the reading program, which gives way
/// to the rest of the machine (see reader_main). A capture stops it at once and lets it go on after; a
/// picture that brings it down is marked unreadable instead of taking the program with it; a
/// rest ends it, so all its memory goes back.
class ProcessTextReader final : public TextReader
{
public:
    /// \a program reads pictures from its standard input; it is given the languages to read
    /// in ("eng+deu") after \a arguments.
    explicit ProcessTextReader(QString program, QStringList arguments = {});
    ~ProcessTextReader() override;
    ProcessTextReader(const ProcessTextReader&) = delete;
    ProcessTextReader& operator=(const ProcessTextReader&) = delete;

    TextReading read(const QByteArray& bytes, const ReadingControl& control, ReadingHaste haste) override;
    QStringList installedLanguages() override;
    void setLanguages(const QStringList& languages) override;
    void rest() override;
    void holdNow() override;

private:
    bool start();
    void end();
    /// Stops or continues the reading process.
    void suspend(bool suspended);
    /// Forgets the process, which is to be ended or collected; returns it.
    pid_t letGo();
    /// Collects the processes ended before that have finished dying.
    void collectEnded();
    /// The reader cannot work: the message says \a why after the program's name.
    TextReading unavailable(const QString& why) const;

    QString m_program;
    QStringList m_arguments;
    QString m_languages = QStringLiteral("eng");
    int m_socket = -1;          // to and from the process, on the reading thread
    std::vector<pid_t> m_dying; // ended, not collected yet

    std::mutex m_mutex; // the process as other threads may stop it
    pid_t m_pid = 0;
    bool m_suspended = false;
};
