#pragma once

#include "util/VirtualClock.h"

namespace trundlex::testing {

// A clock that moves only when a test says so: timers fall due in advance(), in time order.
using ManualClock = VirtualClock;

}  // namespace trundlex::testing
