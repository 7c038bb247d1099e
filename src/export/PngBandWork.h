#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "export/ExportBands.h"
#include "export/PngBands.h"
#include "export/PngEncoder.h"
#include "export/SaveResult.h"
#include "render/PictureRenderer.h"
#include "render/Raster.h"
#include "render/Raster16.h"

namespace tonzug {

// What each band hands to the next: its last row, which the next band's first row is
// filtered against, and the filtered bytes up to its end, the next band's dictionary.
// A band's successor waits for these; a band that fails hands on a failure instead, so
// nobody waits for ever.
class BandRelay {
  public:
    enum class Stage { kStarted, kRowReady, kTailReady, kFailed };
    struct Entry {
        std::int32_t band = -1;
        Stage stage = Stage::kStarted;
        std::vector<std::uint8_t> lastRow;
        std::vector<std::uint8_t> tail;
    };

    // Entries are reused: band b's entry is free once band b - entries + 1 is done.
    explicit BandRelay(std::size_t entries) : entries_(entries) {}

    // Claims the band's entry; its data may be filled in until it is published.
    Entry& Start(std::int32_t band);
    void Publish(std::int32_t band, Stage stage);
    // The entry of `band` once it reached `stage`; nullptr when the band failed.
    const Entry* Await(std::int32_t band, Stage stage);

  private:
    Entry& EntryOf(std::int32_t band) {
        return entries_[static_cast<std::size_t>(band) % entries_.size()];
    }

    std::mutex mutex_;
    std::condition_variable published_;
    std::vector<Entry> entries_;
};

// The PNG export's bands: each rendered, filtered and deflated on whichever thread takes
// it, and appended to the encoder in order.
class PngBandWork {
  public:
    // `format` kDeep16 needs an encoder of PngDepth::k16, and a renderer with alpha an
    // encoder with alpha.
    PngBandWork(const PictureRenderer& renderer, const BandLayout& layout, PngEncoder& encoder,
                std::int32_t workers, std::int32_t window, OutputFormat format);

    SaveResult Produce(std::int32_t band, std::int32_t worker);
    SaveResult Deliver(std::int32_t band);

  private:
    struct Worker {
        Raster raster;
        Raster16 deep;
        Raster16Alpha deepStraight;
        std::unique_ptr<PngBandCoder> coder;
        std::int32_t lastBand = -1;  // the band this worker's raster and coder hold
    };

    // Whether the band has the rows, and the row above, of the worker's last band.
    bool RepeatsLastBand(std::int32_t band, const Worker& worker) const;
    // Renders the band, unless it repeats the worker's last, and hands its last row,
    // packed, to the next band.
    bool Render(std::int32_t band, Worker& worker, BandRelay::Entry& entry);
    void Filter(std::int32_t band, Worker& worker, std::span<const std::uint8_t> rowAbove);
    // Renders into the band of the worker's that suits the output (unless `repeat`) and
    // packs its last row.
    template <class Band>
    bool RenderInto(std::int32_t band, Band& raster, bool repeat, BandRelay::Entry& entry);

    const PictureRenderer& renderer_;
    const BandLayout layout_;
    PngEncoder& encoder_;
    OutputFormat format_;
    PictureAlpha alpha_;
    std::int32_t rowPeriod_;
    std::int32_t window_;
    std::vector<Worker> workers_;
    std::vector<PngBand> products_;
    BandRelay relay_;
};

}  // namespace tonzug
