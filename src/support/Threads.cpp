#include "support/Threads.h"

#include <sched.h>

#include <algorithm>
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

void ForSlicesInParallel(std::int64_t count, std::int64_t minimumSlice,
                         const std::function<void(std::int64_t begin, std::int64_t end)>& work) {
    if (count <= 0) {
        return;
    }
    const std::int64_t slices = std::clamp<std::int64_t>(
        count / std::max<std::int64_t>(minimumSlice, 1), 1, AvailableCores());
    const auto sliceStart = [count, slices](std::int64_t slice) { return count * slice / slices; };
    std::vector<std::jthread> helpers;
    std::int64_t ownFrom = slices;  // the slices from here on run on this thread
    try {
        helpers.reserve(static_cast<std::size_t>(slices - 1));
        for (std::int64_t slice = 1; slice < slices; ++slice) {
            std::jthread helper = StartThread([&work, begin = sliceStart(slice),
                                               end = sliceStart(slice + 1)] { work(begin, end); });
            if (!helper.joinable()) {
                ownFrom = slice;
                break;
            }
            helpers.push_back(std::move(helper));
        }
    } catch (const std::bad_alloc&) {
        ownFrom = static_cast<std::int64_t>(helpers.size()) + 1;
    }
    work(0, sliceStart(1));
    for (std::int64_t slice = ownFrom; slice < slices; ++slice) {
        work(sliceStart(slice), sliceStart(slice + 1));
    }
}

}  // namespace tonzug
