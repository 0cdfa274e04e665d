#pragma once

struct AppState;

/// The number (from 1) of the file after the current one in the main file list, the first one
/// after the last; 0 when there is no current file.
int NextFileIndex(const AppState& state);

/// The number of the file before the current one, the last one before the first; 0 when there
/// is no current file.
int PreviousFileIndex(const AppState& state);
