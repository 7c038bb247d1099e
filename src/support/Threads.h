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

// Calls `work(begin, end)` for consecutive pieces of 0 .. count - 1, each `piece` long
// (the last one shorter), on up to every available core, handing the next piece to the
// first thread that is free, and returns when all are done. Without helper threads the
// calling thread does all. `work` must be safe to run on several threads at once and must
// not throw.
void ForPiecesInParallel(std::int64_t count, std::int64_t piece,
                         const std::function<void(std::int64_t begin, std::int64_t end)>& work);

}  // namespace tonzug
