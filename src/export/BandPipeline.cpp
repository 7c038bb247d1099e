#include "export/BandPipeline.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <system_error>
#include <utility>
#include <vector>

namespace tonzug {
namespace {

SaveResult ProduceGuarded(const ProduceBand& produce, std::int32_t band, std::int32_t worker) {
    try {
        return produce(band, worker);
    } catch (const std::bad_alloc&) {
        return OutOfMemoryFailure("not enough memory for a band of rows");
    } catch (const std::exception& error) {
        return SaveResult::Failure(SaveFailure::kGeneric, error.what());
    }
}

// The bands to hand out and the state of those in flight, shared by every thread.
class BandQueue {
  public:
    BandQueue(const BandPipelineSetup& setup, const ProduceBand& produce)
        : count_(setup.bandCount),
          window_(std::max(1, setup.window)),
          produce_(produce),
          slots_(static_cast<std::size_t>(window_)) {}

    // A helper's loop: bands in order of claim until none is left or the pipeline stops.
    void Work(std::int32_t worker) {
        for (;;) {
            std::int32_t band = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [this] { return stop_ || next_ >= count_ || Startable(); });
                if (stop_ || next_ >= count_) {
                    return;
                }
                band = next_++;
            }
            Run(band, worker);
        }
    }

    // On the calling thread: waits for each band in turn, producing bands itself while it
    // waits, and delivers it.
    SaveResult DeliverAll(const DeliverBand& deliver) {
        for (std::int32_t band = 0; band < count_; ++band) {
            if (SaveResult produced = AwaitBand(band); !produced.Ok()) {
                return produced;
            }
            if (SaveResult delivered = deliver(band); !delivered.Ok()) {
                return delivered;
            }
            {
                const std::lock_guard lock(mutex_);
                Slot(band).done = false;
                delivered_ = band + 1;
            }
            changed_.notify_all();
        }
        return SaveResult::Success();
    }

    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
    }

  private:
    struct BandSlot {
        bool done = false;
        SaveResult status;
    };

    BandSlot& Slot(std::int32_t band) { return slots_[static_cast<std::size_t>(band % window_)]; }
    bool Startable() const { return next_ < count_ && next_ < delivered_ + window_; }

    void Run(std::int32_t band, std::int32_t worker) {
        SaveResult status = ProduceGuarded(produce_, band, worker);
        {
            const std::lock_guard lock(mutex_);
            // Later bands are of no use once one has failed.
            stop_ = stop_ || !status.Ok();
            Slot(band).status = std::move(status);
            Slot(band).done = true;
        }
        changed_.notify_all();
    }

    SaveResult AwaitBand(std::int32_t band) {
        std::unique_lock lock(mutex_);
        while (!Slot(band).done) {
            if (!stop_ && Startable()) {
                const std::int32_t claimed = next_++;
                lock.unlock();
                Run(claimed, 0);
                lock.lock();
            } else if (band >= next_) {
                // Stopped before this band was handed out: an earlier one failed.
                return SaveResult::Failure(SaveFailure::kWrongState, "band pipeline stopped");
            } else {
                changed_.wait(lock);
            }
        }
        return Slot(band).status;
    }

    const std::int32_t count_;
    const std::int32_t window_;
    const ProduceBand& produce_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<BandSlot> slots_;
    std::int32_t next_ = 0;
    std::int32_t delivered_ = 0;
    bool stop_ = false;
};

// Stops the queue when the pipeline is left in any way, before the helpers are joined.
class StopOnExit {
  public:
    explicit StopOnExit(BandQueue& queue) : queue_(queue) {}
    ~StopOnExit() { queue_.Stop(); }
    StopOnExit(const StopOnExit&) = delete;
    StopOnExit& operator=(const StopOnExit&) = delete;

  private:
    BandQueue& queue_;
};

}  // namespace

SaveResult RunBandPipeline(const BandPipelineSetup& setup, const ProduceBand& produce,
                           const DeliverBand& deliver) {
    BandQueue queue(setup, produce);
    const std::int32_t helperCount = std::max(0, std::min(setup.threads, setup.bandCount) - 1);
    std::vector<std::jthread> helpers;
    // Reserved up front: a started helper must never be dropped by a failing push_back,
    // whose join would wait for a queue nobody stops.
    helpers.reserve(static_cast<std::size_t>(helperCount));
    const StopOnExit stop(queue);
    for (std::int32_t worker = 1; worker <= helperCount; ++worker) {
        std::jthread helper = setup.startThread([&queue, worker] { queue.Work(worker); });
        if (!helper.joinable()) {
            break;  // the calling thread does the work of those that would not start
        }
        helpers.push_back(std::move(helper));
    }
    return queue.DeliverAll(deliver);
}

}  // namespace tonzug
