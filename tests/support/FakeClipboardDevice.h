#pragma once

#include "desktop/wayland/WaylandClipboard.h"

#include <QByteArray>
#include <QList>
#include <QMimeData>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

/// The compositor's side of a Wayland clipboard, with other programs copying into it as the test
/// says: each change is numbered as the compositor's events number them, and what the selection's
/// owner sends arrives through a real pipe. An event held back reaches the clipboard only at its
/// next look (pump), as one still unread on the connection would.
class FakeClipboardDevice final : public WaylandClipboard::Device
{
public:
    /// One type of another program's copy and what it sends when asked for it; none for a
    /// program that never answers (it keeps the pipe open and sends nothing).
    using Sent = std::pair<QString, std::optional<QByteArray>>;

    /// Another program copies \a types; \a heldBack leaves the event unread until the next look.
    void copy(QList<Sent> types, bool heldBack = false);

    /// What this program put on the clipboard, while it is there.
    const QMimeData* own() const { return m_own.get(); }

    ~FakeClipboardDevice() override;

    bool pump() override;
    quint64 change() const override { return m_change; }
    quint64 follows() const override { return m_follows; }
    QStringList foreignTypes() const override;
    bool owns() const override { return m_own != nullptr; }
    int receive(const QString& type) override;
    void offer(std::unique_ptr<QMimeData> data) override;
    void empty() override;

private:
    // A new selection: another program's \a types, this program's \a own, or nothing; \a fills
    // when it puts anything there.
    void select(std::optional<QList<Sent>> types, std::unique_ptr<QMimeData> own, bool fills);

    QList<std::function<void()>> m_heldBack;
    std::optional<QList<Sent>> m_foreign;
    std::unique_ptr<QMimeData> m_own;
    quint64 m_change = 0;
    quint64 m_follows = 0;
    quint64 m_lastFull = 0;
    QList<int> m_silent; // write ends kept open by an owner that never answers
};
