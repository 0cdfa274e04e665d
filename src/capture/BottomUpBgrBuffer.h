#pragma once

#include "platform/Outcome.h"

#include <QImage>
#include <memory>

/// An owned 24-bit picture buffer: three bytes a pixel in the order blue, green, red, rows
/// stored bottom-up (the first row in memory is the bottom row of the picture), each row padded
/// to a multiple of 4 bytes. The JPEG and bitmap writers read it in place.
class BottomUpBgrBuffer
{
public:
    /// The program's own error numbers: a size that does not fit in 32 bits, memory that cannot
    /// be had.
    static constexpr int overflowError = 6;
    static constexpr int outOfMemoryError = 7;
    static Outcome overflow();

    /// Makes an empty buffer of \a lWidth x \a lHeight pixels, in the memory held before when
    /// that is large enough (a burst of pictures reuses it), else freeing it.
    /// Fails, leaving the instance empty (and 0 x 0 on an overflow), for a size below 1, when the
    /// row stride or the size overflows 32 bits, or when the memory cannot be had.
    Outcome Create(int lWidth, int lHeight);

    /// Makes the buffer the size of \a picThis and copies its pixels in, converted to 24 bits.
    /// Fails like Create; a null picture leaves the instance empty and fails too.
    Outcome CreateFromPicture(const QImage& picThis);

    /// A picture of \a lWidth x \a lHeight pixels in \a format (RGB32 or ARGB32) whose pixels lie
    /// in the buffer's own memory, made large enough for them, for a decoder to fill:
    /// CreateFromCanvas then turns them into the buffer's where they lie, so that a large picture
    /// is not held twice. Null for another format, a size below 1 or past 2^31 bytes, or memory
    /// that cannot be had. It must not outlive the buffer's memory (the next Create or ClearUp).
    QImage Canvas(int lWidth, int lHeight, QImage::Format format);

    /// Makes the buffer hold the pixels of \a canvas, made by Canvas and filled since, converted
    /// where they lie (any copy of the canvas shows them as garbage afterwards), and leaves
    /// \a canvas null. A picture that does not lie there (the decoder made one of its own) is
    /// copied as CreateFromPicture does.
    Outcome CreateFromCanvas(QImage& canvas);

    /// Copies a rectangle of \a source, from (\a lSrcLeft, \a lSrcTop), into the buffer at (0, 0);
    /// a negative width or height stands for the buffer's own. Parts outside either picture
    /// are left as they are.
    void LoadPictureBlt(const QImage& source, int lSrcLeft = 0, int lSrcTop = 0, int lSrcWidth = -1,
                        int lSrcHeight = -1);

    /// Row stride in bytes: Width x 3 rounded up to a multiple of 4.
    int BytesPerScanLine() const;
    /// The width and height of the last Create, kept after ClearUp.
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    unsigned char* DIBSectionBitsPtr() const { return m_bits.get(); }
    /// The memory the buffer holds, whatever the size of its picture.
    size_t BytesHeld() const { return m_capacity; }

    /// Frees the buffer; Width and Height keep their values.
    void ClearUp();

private:
    int m_width = 0;
    int m_height = 0;
    std::unique_ptr<unsigned char[]> m_bits;
    size_t m_capacity = 0;
};
