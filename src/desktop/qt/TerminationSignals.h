#pragma once

#include <QObject>

class QSocketNotifier;

/// Until TerminationSignals takes them over, SIGTERM, SIGINT and SIGHUP end the process at once,
/// as their default action does, also where the process was started with them ignored (a
/// background job): nothing is saved while the program starts, and no start-up message keeps it
/// alive.
void EndAtOnceOnTerminationSignals();

/// Turns SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C, a closed terminal) into the Qt
/// signal received(), delivered by the event loop, so the program can end as a close of its
/// window would. One at a time; the default handling comes back when it is destroyed.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    void received(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
