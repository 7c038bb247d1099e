#include "export/PngBandWork.h"

#include <span>
#include <type_traits>

#include "export/PixelRows.h"

namespace tonzug {
namespace {

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

SaveResult EarlierBandFailed() {
    return SaveResult::Failure(SaveFailure::kWrongState, "an earlier band failed");
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

PngBandWork::PngBandWork(const PictureRenderer& renderer, const BandLayout& layout,
                         PngEncoder& encoder, std::int32_t workers, std::int32_t window,
                         OutputFormat format)
    : renderer_(renderer),
      layout_(layout),
      encoder_(encoder),
      format_(format),
      alpha_(renderer.Alpha()),
      rowPeriod_(renderer.RowPeriod(format)),
      window_(window),
      workers_(static_cast<std::size_t>(workers)),
      products_(static_cast<std::size_t>(window)),
      // A band reads its predecessor's entry until it is done, and it is done before the
      // band `window` later starts.
      relay_(static_cast<std::size_t>(window) + 1) {}

SaveResult PngBandWork::Produce(std::int32_t band, std::int32_t worker) {
    BandRelay::Entry& entry = relay_.Start(band);
    FailUnlessHandedOn guard(relay_, band);
    Worker& own = workers_[static_cast<std::size_t>(worker)];
    if (!Render(band, own, entry)) {
        return OutOfMemoryFailure("not enough memory to render the picture");
    }
    relay_.Publish(band, BandRelay::Stage::kRowReady);

    const bool top = band == 0;
    const BandRelay::Entry* before =
        top ? nullptr : relay_.Await(band - 1, BandRelay::Stage::kRowReady);
    if (!top && before == nullptr) {
        return EarlierBandFailed();
    }
    Filter(band, own, top ? std::span<const std::uint8_t>() : std::span(before->lastRow));
    own.lastBand = band;

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

bool PngBandWork::RepeatsLastBand(std::int32_t band, const Worker& worker) const {
    // Bands hold whole periods of rows, so two bands of as many rows, neither the top one
    // (which has no row above), hold the same rows below the same row above.
    return layout_.rowPeriod > 0 && band > 0 && worker.lastBand > 0 &&
           layout_.Rows(band) == layout_.Rows(worker.lastBand);
}

template <class Band>
bool PngBandWork::RenderInto(std::int32_t band, Band& raster, bool repeat,
                             BandRelay::Entry& entry) {
    const PngDepth depth = format_ == OutputFormat::kDeep16 ? PngDepth::k16 : PngDepth::k8;
    entry.lastRow.resize(static_cast<std::size_t>(layout_.width) * PixelBytes(depth, alpha_));
    if constexpr (std::is_same_v<Band, Raster>) {
        if (!repeat && !RenderBand(renderer_, layout_, band, raster, format_)) {
            return false;
        }
    } else if (!repeat && !RenderBand(renderer_, layout_, band, raster)) {
        return false;
    }
    const auto* last = raster.Row(layout_.Rows(band) - 1);
    if constexpr (std::is_same_v<Band, Raster>) {
        (alpha_ == PictureAlpha::kStraight ? PackRgbaRow : PackRgbRow)(last, layout_.width,
                                                                       entry.lastRow.data());
    } else {
        PackDeepRow(last, layout_.width, entry.lastRow.data());
    }
    return true;
}

bool PngBandWork::Render(std::int32_t band, Worker& worker, BandRelay::Entry& entry) {
    const bool repeat = RepeatsLastBand(band, worker);
    if (format_ != OutputFormat::kDeep16) {
        return RenderInto(band, worker.raster, repeat, entry);
    }
    return alpha_ == PictureAlpha::kStraight ? RenderInto(band, worker.deepStraight, repeat, entry)
                                             : RenderInto(band, worker.deep, repeat, entry);
}

void PngBandWork::Filter(std::int32_t band, Worker& worker,
                         std::span<const std::uint8_t> rowAbove) {
    const bool deep = format_ == OutputFormat::kDeep16;
    if (RepeatsLastBand(band, worker)) {
        worker.coder->RepeatFiltered();
        return;
    }
    if (!worker.coder) {
        // Rows that all repeat the first filter to zeros, at any depth.
        const PngCompression compression = format_ == OutputFormat::kPlain8 || rowPeriod_ == 1
                                               ? PngCompression::kLongRuns
                                               : PngCompression::kNoisy;
        worker.coder = std::make_unique<PngBandCoder>(
            layout_.width, deep ? PngDepth::k16 : PngDepth::k8, compression,
            layout_.rowPeriod > 0 ? BandRepeats::kPossible : BandRepeats::kNever, alpha_);
    }
    const std::int32_t rows = layout_.Rows(band);
    if (!deep) {
        worker.coder->Filter(worker.raster.Row(0), rows, rowAbove);
    } else if (alpha_ == PictureAlpha::kStraight) {
        worker.coder->Filter(worker.deepStraight.Row(0), rows, rowAbove);
    } else {
        worker.coder->Filter(worker.deep.Row(0), rows, rowAbove);
    }
}

SaveResult PngBandWork::Deliver(std::int32_t band) {
    return encoder_.WriteBand(layout_.Rows(band),
                              products_[static_cast<std::size_t>(band % window_)]);
}

}  // namespace tonzug
