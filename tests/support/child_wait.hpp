// SPDX-License-Identifier: MIT
// Waits for a child process for a bounded time, so that a child that hangs fails its test with
// a message rather than holding the suite until its time-out.
#pragma once

#include <sys/types.h>

#include <chrono>

namespace vornikat::testing {

// The child's wait status. A child still running after patience is killed, reaped, and
// reported by a std::runtime_error naming it.
int WaitForChild(pid_t pid, std::chrono::milliseconds patience = std::chrono::seconds(20));

}  // namespace vornikat::testing
