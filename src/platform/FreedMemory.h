#pragma once

/// Hands the heap's free pages back to the system, so that memory freed by unloaded windows
/// and written screenshots leaves the resident size and does not merely become reusable.
void ReturnFreedMemory();
