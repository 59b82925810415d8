#pragma once
// A clock for the layout budget that reads one step later at each reading:
// each block laid out takes one step, and no test times anything.
#include "platform/LayoutBudget.h"

#include <chrono>

namespace support {

inline platform::LayoutBudget::Clock steppingClock(std::chrono::nanoseconds step)
{
    return [now = std::chrono::nanoseconds{0}, step]() mutable { return now += step; };
}

} // namespace support
