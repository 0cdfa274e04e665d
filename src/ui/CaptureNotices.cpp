#include "CaptureNotices.h"

#include "platform/MessageBoxes.h"

#include <utility>

CaptureNotices::CaptureNotices(MessageBoxes& boxes)
    : m_boxes(boxes)
{
}

void CaptureNotices::tell(const Outcome& outcome)
{
    if (m_open && outcome.done()) {
        m_after.append(outcome.text);
        return;
    }
    if (m_open) {
        ++m_more;
        emit noted(tr("%n more pictures could not be filed", nullptr, m_more));
        return;
    }
    m_open = true;
    m_boxes.show(outcome.text,
                 outcome.kind == Outcome::Kind::Failed ? BoxLook::Exclamation : BoxLook::Information);
    while (!m_after.isEmpty())
        m_boxes.show(m_after.takeFirst(), BoxLook::Information);
    m_open = false;
    m_more = 0;
}
