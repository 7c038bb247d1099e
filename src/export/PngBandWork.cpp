#include "export/PngBandWork.h"

#include <span>

#include "export/PixelRows.h"

namespace tonzug {
namespace {

constexpr std::size_t kPixelBytes = 3;

// Hands on a failure for a band left in any other way than with its tail published.
class FailUnlessHandedOn {
  public:
    FailUnlessHandedOn(BandRelay& relay, std::int32_t band) : relay_(relay), band_(band) {}
    ~FailUnlessHandedOn() {
        if (!handedOn_) {
            relay_.Publish(band_, BandRelay::Stage::kFailed);
        }
    }
    FailUnlessHandedOn(const FailUnlessHandedOn&) = delete;
    FailUnlessHandedOn& operator=(const FailUnlessHandedOn&) = delete;
    void HandedOn() { handedOn_ = true; }

  private:
    BandRelay& relay_;
    std::int32_t band_;
    bool handedOn_ = false;
};

EncodeStatus EarlierBandFailed() {
    return EncodeStatus::Failure(kGdipWrongState, "an earlier band failed");
}

}  // namespace

BandRelay::Entry& BandRelay::Start(std::int32_t band) {
    const std::lock_guard lock(mutex_);
    Entry& entry = EntryOf(band);
    entry.band = band;
    entry.stage = Stage::kStarted;
    return entry;
}

void BandRelay::Publish(std::int32_t band, Stage stage) {
    {
        const std::lock_guard lock(mutex_);
        EntryOf(band).stage = stage;
    }
    published_.notify_all();
}

const BandRelay::Entry* BandRelay::Await(std::int32_t band, Stage stage) {
    std::unique_lock lock(mutex_);
    const Entry& entry = EntryOf(band);
    // kFailed orders after every other stage, so a failure ends the wait too.
    published_.wait(lock, [&] { return entry.band == band && entry.stage >= stage; });
    return entry.stage == Stage::kFailed ? nullptr : &entry;
}

PngBandWork::PngBandWork(const GradientRenderer& renderer, const BandLayout& layout,
                         PngEncoder& encoder, std::int32_t workers, std::int32_t window)
    : renderer_(renderer),
      layout_(layout),
      encoder_(encoder),
      window_(window),
      workers_(static_cast<std::size_t>(workers)),
      products_(static_cast<std::size_t>(window)),
      // A band reads its predecessor's entry until it is done, and it is done before the
      // band `window` later starts.
      relay_(static_cast<std::size_t>(window) + 1) {}

EncodeStatus PngBandWork::Produce(std::int32_t band, std::int32_t worker) {
    BandRelay::Entry& entry = relay_.Start(band);
    FailUnlessHandedOn guard(relay_, band);
    Worker& own = workers_[static_cast<std::size_t>(worker)];
    if (!RenderBand(renderer_, layout_, band, own.raster)) {
        return EncodeStatus::Failure(kGdipOutOfMemory, "not enough memory to render the picture");
    }
    const std::int32_t rows = layout_.Rows(band);
    entry.lastRow.resize(static_cast<std::size_t>(layout_.width) * kPixelBytes);
    PackRgbRow(own.raster.Row(rows - 1), layout_.width, entry.lastRow.data());
    relay_.Publish(band, BandRelay::Stage::kRowReady);

    const bool top = band == 0;
    const BandRelay::Entry* before =
        top ? nullptr : relay_.Await(band - 1, BandRelay::Stage::kRowReady);
    if (!top && before == nullptr) {
        return EarlierBandFailed();
    }
    if (!own.coder) {
        own.coder = std::make_unique<PngBandCoder>(layout_.width);
    }
    own.coder->Filter(own.raster.Row(0), rows,
                      top ? std::span<const std::uint8_t>() : std::span(before->lastRow));

    before = top ? nullptr : relay_.Await(band - 1, BandRelay::Stage::kTailReady);
    if (!top && before == nullptr) {
        return EarlierBandFailed();
    }
    const auto tailBefore = top ? std::span<const std::uint8_t>() : std::span(before->tail);
    own.coder->TailAfter(tailBefore, entry.tail);
    relay_.Publish(band, BandRelay::Stage::kTailReady);
    guard.HandedOn();

    const BandEnd end = band + 1 == layout_.bandCount ? BandEnd::kLast : BandEnd::kMore;
    return own.coder->Deflate(tailBefore, end, products_[static_cast<std::size_t>(band % window_)]);
}

EncodeStatus PngBandWork::Deliver(std::int32_t band) {
    return encoder_.WriteBand(layout_.Rows(band),
                              products_[static_cast<std::size_t>(band % window_)]);
}

}  // namespace tonzug
