#pragma once

#include <QImage>

/// The picture the viewer shows while the chosen Image Set has no images (1146 x 833 pixels).
QImage NoImagesPicture();
