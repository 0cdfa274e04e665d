#pragma once

/// Hands the heap's free pages back to the system, so that the large buffers of a capture leave
/// the resident size and do not merely become reusable.
void TrimHeap();

/// TrimHeap, after dropping Qt's cache of drawn pictures: for memory freed by unloaded windows.
void ReturnFreedMemory();

/// Makes the heap hand every buffer of a picture's size (4 MB and more) straight back to the
/// system when it is freed. Otherwise the allocator keeps the largest buffers it has seen freed
/// in its own pools, where trimming does not reach them: ten 3840x2160 captures left 60 MB.
void ReturnLargeBuffersAtOnce();
