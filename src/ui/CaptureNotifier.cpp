#include "CaptureNotifier.h"

#include "capture/CaptureEngine.h"
#include "core/AppState.h"
#include "library/LibraryPictures.h"
#include "library/LibraryTree.h"
#include "platform/ClipboardOffer.h"
#include "platform/Notifications.h"

namespace {

const QString showKey = QStringLiteral("show");
const QString copyKey = QStringLiteral("copy");
// What a click on the notification itself does, on servers that offer it.
const QString defaultKey = QStringLiteral("default");

} // namespace

CaptureNotifier::CaptureNotifier(AppState& state, CaptureEngine& engine, Notifications& notifications)
    : QObject(&engine)
    , m_state(state)
    , m_engine(engine)
    , m_notifications(notifications)
{
    connect(&engine, &CaptureEngine::filed, this,
            [this](const QString& path, const PictureSource&, const QImage& thumbnail) {
                filed(path, thumbnail);
            });
    connect(&engine, &CaptureEngine::timeLapseChanged, this, &CaptureNotifier::timeLapse);
    connect(&notifications, &Notifications::actionInvoked, this,
            [this](const QString& path, const QString& key) {
                if (key == copyKey)
                    m_engine.copy(ClipboardOffer::pictures({path}));
                else if (key == showKey || key == defaultKey)
                    emit showRequested(path);
            });
}

QString CaptureNotifier::placeOf(const QString& path) const
{
    const QString relative = path.mid(m_state.libraryRoot.size());
    const QString category = path.isEmpty() ? m_state.currentCategory : CategoryOf(relative);
    const QString imageSet = path.isEmpty() ? m_state.currentImageSet : ImageSetOf(relative);
    return category + QStringLiteral(" / ") + imageSet;
}

void CaptureNotifier::filed(const QString& path, const QImage& thumbnail)
{
    if (path.endsWith(TimeLapseSuffix + path.mid(path.lastIndexOf(QLatin1Char('.'))))) {
        // Told once its first shot is taken: shown before, it would be in that shot.
        if (++m_timeLapseShots == 1 && m_state.timeLapseActive && m_state.settings.notifyCaptures)
            m_notifications.notify(tr("Time-lapse started"),
                                   tr("A shot of the active window every %1 s into %2")
                                       .arg(m_state.settings.timeLapseSeconds)
                                       .arg(placeOf(QString()).toHtmlEscaped()),
                                   QImage(), {}, QString());
        return;
    }
    if (!m_state.settings.notifyCaptures)
        return;
    // Servers that read markup in the body would take a "<" of a name for a tag.
    m_notifications.notify(tr("Screenshot filed"),
                           tr("%1 in %2").arg(FileNameOf(path), placeOf(path)).toHtmlEscaped(), thumbnail,
                           {{defaultKey, tr("Show")}, {showKey, tr("Show")}, {copyKey, tr("Copy")}}, path);
}

void CaptureNotifier::timeLapse(bool running)
{
    const int shots = std::exchange(m_timeLapseShots, 0);
    if (running || !m_state.settings.notifyCaptures)
        return;
    m_notifications.notify(
        tr("Time-lapse stopped"),
        tr("%n shots filed into %1", nullptr, shots).arg(placeOf(QString()).toHtmlEscaped()), QImage(), {},
        QString());
}
