#include "CaptureSounds.h"

#include "core/AppState.h"
#include "platform/Services.h"
#include "platform/Sound.h"

#include <QFileInfo>

void PlayProgramSound(const AppState& state, Services& services, const QString& name)
{
    QString folder = state.programDir;
    if (folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString path = folder + name;
    if (QFileInfo(path).isFile())
        services.sound.play(path);
}

void PlayCaptureSound(const AppState& state, Services& services, const QString& suffix)
{
    if (suffix == TimeLapseSuffix && state.settings.timeLapseSilent)
        return;
    PlayProgramSound(state, services, QStringLiteral("/Vistrelle.wav"));
}
