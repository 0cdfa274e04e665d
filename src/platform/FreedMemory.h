#pragma once

/// Hands the heap's free pages back to the system, so that the large buffers of a capture leave
/// the resident size and do not merely become reusable.
void TrimHeap();

/// TrimHeap, after dropping Qt's cache of drawn pictures: for memory freed by unloaded windows.
void ReturnFreedMemory();
