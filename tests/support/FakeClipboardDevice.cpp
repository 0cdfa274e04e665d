#include "FakeClipboardDevice.h"

#include "desktop/wayland/PipeWriter.h"

#include <fcntl.h>
#include <unistd.h>

FakeClipboardDevice::~FakeClipboardDevice()
{
    for (const int fd : m_silent)
        ::close(fd);
}

void FakeClipboardDevice::copy(QList<Sent> types, bool heldBack)
{
    auto event = [this, types = std::move(types)] { select(types, nullptr, true); };
    if (heldBack)
        m_heldBack.append(event);
    else
        event();
}

bool FakeClipboardDevice::pump()
{
    for (const std::function<void()>& event : std::exchange(m_heldBack, {}))
        event();
    return true;
}

QStringList FakeClipboardDevice::foreignTypes() const
{
    QStringList types;
    if (m_foreign) {
        for (const Sent& sent : *m_foreign)
            types.append(sent.first);
    }
    return types;
}

int FakeClipboardDevice::receive(const QString& type)
{
    if (!m_foreign)
        return -1;
    for (const Sent& sent : *m_foreign) {
        if (sent.first != type)
            continue;
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return -1;
        if (sent.second)
            PipeWriter::start(ends[1], *sent.second);
        else
            m_silent.append(ends[1]);
        return ends[0];
    }
    return -1;
}

void FakeClipboardDevice::offer(std::unique_ptr<QMimeData> data)
{
    select(std::nullopt, std::move(data), true);
}

void FakeClipboardDevice::empty()
{
    select(std::nullopt, nullptr, false);
}

void FakeClipboardDevice::select(std::optional<QList<Sent>> types, std::unique_ptr<QMimeData> own, bool fills)
{
    m_foreign = std::move(types);
    m_own = std::move(own);
    ++m_change;
    if (fills) {
        m_follows = m_lastFull;
        m_lastFull = m_change;
    }
    report();
}
