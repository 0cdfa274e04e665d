#include "ImageViewerSteps.h"

#include "core/AppState.h"

#include <algorithm>

namespace {

int fileCount(const AppState& state)
{
    return static_cast<int>(state.fileListEntries.size());
}

bool hasCurrentFile(const AppState& state)
{
    return state.currentFileIndex >= 1 && fileCount(state) > 0;
}

} // namespace

int NextFileIndex(const AppState& state)
{
    if (!hasCurrentFile(state))
        return 0;
    return state.currentFileIndex < fileCount(state) ? state.currentFileIndex + 1 : 1;
}

int PreviousFileIndex(const AppState& state)
{
    if (!hasCurrentFile(state))
        return 0;
    return state.currentFileIndex > 1 ? std::min(state.currentFileIndex - 1, fileCount(state))
                                      : fileCount(state);
}
