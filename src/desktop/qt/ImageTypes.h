#pragma once

#include <QStringList>

/// The image types among \a offered that an image reader can decode, PNG first (what
/// screenshots are most often copied as), then in the order offered.
QStringList ReadableImageTypes(const QStringList& offered);
