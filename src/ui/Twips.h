#pragma once

/// Window positions and sizes are kept in twips (1/1440 inch) in the settings file and in
/// AppState, and turned into pixels only at the window's edge, with the screen's logical DPI.
int PixelsToTwips(int pixels);
int TwipsToPixels(int twips);
