#include "support/Threads.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <vector>

namespace tonzug {

std::jthread StartThread(std::function<void()> work) {
    try {
        return std::jthread(std::move(work));
    } catch (const std::system_error&) {
        return {};
    }
}

std::int32_t AvailableCores() {
    // The cores this process may run on: fewer than the machine's under taskset or in a
    // container limited to some.
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0) {
        return CPU_COUNT(&allowed);
    }
    return std::max(1, static_cast<std::int32_t>(std::thread::hardware_concurrency()));
}

void ForPiecesInParallel(std::int64_t count, std::int64_t piece,
                         const std::function<void(std::int64_t begin, std::int64_t end)>& work) {
    if (count <= 0) {
        return;
    }
    piece = std::max<std::int64_t>(piece, 1);
    const std::int64_t pieces = (count + piece - 1) / piece;
    std::atomic<std::int64_t> next{0};
    const auto takePieces = [&] {
        for (std::int64_t taken = next++; taken < pieces; taken = next++) {
            work(taken * piece, std::min(count, (taken + 1) * piece));
        }
    };
    const std::int64_t threads = std::min<std::int64_t>(pieces, AvailableCores());
    std::vector<std::jthread> helpers;
    try {
        helpers.reserve(static_cast<std::size_t>(threads - 1));
        for (std::int64_t helper = 1; helper < threads; ++helper) {
            std::jthread started = StartThread(takePieces);
            if (!started.joinable()) {
                break;
            }
            helpers.push_back(std::move(started));
        }
    } catch (const std::bad_alloc&) {
        // The calling thread takes the pieces the helpers would have taken.
    }
    takePieces();
}

}  // namespace tonzug
