#include "ReadingControl.h"

#include <algorithm>
#include <thread>

bool ReadingControl::waitTurn() const
{
    // Short naps: a stop, or a hold moved earlier, is seen soon.
    constexpr Clock::duration nap = std::chrono::milliseconds(20);
    while (!stopping() && held())
        std::this_thread::sleep_for(std::min(nap, heldUntil() - Clock::now()));
    return !stopping();
}
