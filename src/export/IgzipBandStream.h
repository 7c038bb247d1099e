#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "export/PngBands.h"
#include "export/SaveResult.h"

struct isal_zstream;

namespace tonzug {

// Raw deflate with ISA-L's igzip at its fastest level, for a band of a PNG's stream. The
// samples of dithered and 16-bit pictures hold little runs: zlib spends most of such an
// export coding literals, and igzip codes them about four times as fast, smaller too.
class IgzipBandStream {
  public:
    IgzipBandStream();  // throws std::bad_alloc
    ~IgzipBandStream();
    IgzipBandStream(const IgzipBandStream&) = delete;
    IgzipBandStream& operator=(const IgzipBandStream&) = delete;

    // Deflates `input` primed with `dictionary` into `output`; ends with a full flush, or
    // ends the stream for the last band. Fails only for lack of memory.
    SaveResult Deflate(std::span<const std::uint8_t> dictionary,
                       std::span<const std::uint8_t> input, BandEnd end,
                       std::vector<std::uint8_t>& output);

  private:
    std::unique_ptr<isal_zstream> stream_;
    std::vector<std::uint8_t> levelBuffer_;
};

}  // namespace tonzug
