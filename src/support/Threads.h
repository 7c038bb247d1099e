#pragma once

#include <cstdint>
#include <functional>
#include <thread>

namespace tonzug {

// Starts `work` on a new thread; a thread that is not joinable when none could be started.
using ThreadStarter = std::function<std::jthread(std::function<void()> work)>;

// The usual starter: a std::jthread, or none when the system refuses one.
std::jthread StartThread(std::function<void()> work);

// The cores this process may run on, at least 1.
std::int32_t AvailableCores();

// Calls `work(begin, end)` for consecutive slices of 0 .. count - 1 on up to every
// available core, each slice at least `minimumSlice` long, and returns when all are done.
// Slices that cannot get a thread of their own run on the calling thread. `work` must be
// safe to run on several threads at once and must not throw.
void ForSlicesInParallel(std::int64_t count, std::int64_t minimumSlice,
                         const std::function<void(std::int64_t begin, std::int64_t end)>& work);

}  // namespace tonzug
