// Any bytes as a settings file: never a crash, values stay in their ranges, and the text written
// for what was read reads back to the same settings.
#include "core/Settings.h"
#include "core/SettingsFile.h"

#include <QPoint>
#include <QStringList>
#include <cstdint>
#include <cstdlib>

namespace {

QByteArray written(const Settings& state, const MainWindowPosition& main)
{
    const ViewerPlacement viewer{state.imageViewerTop, state.imageViewerLeft, state.imageViewerWidth};
    return SettingsText(state, QPoint(main.left.value_or(0), main.top.value_or(0)), viewer);
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Settings state;
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const MainWindowPosition main = ApplySettings(text, state);

    require(state.jpegQuality >= 1 && state.jpegQuality <= 100);
    require(state.dirMax >= 500 && state.fileMax >= 5000);
    require(state.imageViewerWidth >= 0);
    require(QStringList{".jpg", ".bmp", ".png"}.contains(state.captureExtension));
    for (const std::optional<int>& position : {main.top, main.left})
        require(!position || *position >= -70);

    const QByteArray first = written(state, main);
    Settings again;
    const MainWindowPosition mainAgain = ApplySettings(first, again);
    require(written(again, mainAgain) == first);
    return 0;
}
