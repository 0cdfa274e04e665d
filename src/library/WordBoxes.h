#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>

/// The boxes of a picture's words as the text index keeps them, a few bytes a word: each box
/// is told by how it differs from the one before, which on a line of text is little.
QByteArray PackWordBoxes(const QList<QRect>& boxes);

/// The boxes PackWordBoxes packed into \a packed; none when it is damaged.
QList<QRect> UnpackWordBoxes(const QByteArray& packed);
