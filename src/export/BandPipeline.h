#pragma once

#include <cstdint>
#include <functional>
#include <thread>

#include "export/SaveResult.h"
#include "support/Threads.h"

namespace tonzug {

// Produces band `band` using the scratch of worker `worker` (0 .. threads - 1); may run
// on any thread, several bands at once.
using ProduceBand = std::function<SaveResult(std::int32_t band, std::int32_t worker)>;
// Takes a produced band; called on the calling thread, band after band in order.
using DeliverBand = std::function<SaveResult(std::int32_t band)>;

struct BandPipelineSetup {
    std::int32_t bandCount = 0;
    // The caller's thread included; below 1 counts as 1.
    std::int32_t threads = 1;
    // At most this many bands are produced and not yet delivered: band b starts only once
    // band b - window has been delivered, so products can live in `window` slots.
    std::int32_t window = 2;
    ThreadStarter startThread = StartThread;
};

// Produces bands on up to `threads` threads, the calling one among them, and delivers them
// in order. Stops at the first failed production or delivery and returns that failure;
// bands already started run to their end first, so production that hands data from one
// band to the next never waits for a band that was not started. A helper thread that
// cannot be started is done without: the calling thread does its share.
SaveResult RunBandPipeline(const BandPipelineSetup& setup, const ProduceBand& produce,
                           const DeliverBand& deliver);

}  // namespace tonzug
