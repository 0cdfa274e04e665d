#pragma once

/// The desktop clipboard, as far as Vistrelle needs it.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    /// True when an image of any format is on the clipboard.
    virtual bool hasImage() = 0;
    /// Empties the clipboard.
    virtual void clear() = 0;
};
