#include "export/IgzipBandStream.h"

#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <string>

#include "export/VectorState.h"

namespace tonzug {
namespace {

constexpr std::uint32_t kFastestLevel = 1;
// igzip counts in 32-bit sizes; larger inputs go in pieces.
constexpr std::size_t kMaxPiece = std::size_t{1} << 30;
constexpr std::size_t kMinOutputBytes = std::size_t{1} << 12;

SaveResult IgzipFailure(const char* what) {
    return OutOfMemoryFailure(std::string("PNG encoder: ") + what);
}

}  // namespace

IgzipBandStream::IgzipBandStream()
    : stream_(std::make_unique<isal_zstream>()), levelBuffer_(ISAL_DEF_LVL1_DEFAULT) {
    isal_deflate_init(stream_.get());
    stream_->level = kFastestLevel;
    stream_->level_buf = levelBuffer_.data();
    stream_->level_buf_size = static_cast<std::uint32_t>(levelBuffer_.size());
    stream_->gzip_flag = IGZIP_DEFLATE;
}

IgzipBandStream::~IgzipBandStream() = default;

SaveResult IgzipBandStream::Deflate(std::span<const std::uint8_t> dictionary,
                                    std::span<const std::uint8_t> input, BandEnd end,
                                    std::vector<std::uint8_t>& output) {
    isal_zstream& stream = *stream_;
    isal_deflate_reset(&stream);
    // A full flush ends on a byte boundary with the history cleared, so the next band's
    // piece, primed with the same bytes, continues the stream.
    stream.flush = end == BandEnd::kLast ? NO_FLUSH : FULL_FLUSH;
    if (!dictionary.empty() &&
        isal_deflate_set_dict(&stream, const_cast<std::uint8_t*>(dictionary.data()),
                              static_cast<std::uint32_t>(dictionary.size())) != COMP_OK) {
        return IgzipFailure("cannot prime the compressor");
    }
    output.resize(std::max(kMinOutputBytes, input.size() / 4));
    const std::uint8_t* next = input.data();
    std::size_t inputLeft = input.size();
    std::size_t written = 0;
    for (;;) {
        if (stream.avail_in == 0 && inputLeft > 0) {
            const std::size_t piece = std::min(inputLeft, kMaxPiece);
            stream.next_in = const_cast<std::uint8_t*>(next);
            stream.avail_in = static_cast<std::uint32_t>(piece);
            next += piece;
            inputLeft -= piece;
        }
        stream.end_of_stream = end == BandEnd::kLast && inputLeft == 0 ? 1 : 0;
        if (written == output.size()) {
            output.resize(2 * output.size());
        }
        const std::size_t room = std::min(output.size() - written, kMaxPiece);
        stream.next_out = output.data() + written;
        stream.avail_out = static_cast<std::uint32_t>(room);
        const int result = isal_deflate(&stream);
        ClearUpperVectorState();
        if (result != COMP_OK) {
            return IgzipFailure("compression failed");
        }
        written += room - stream.avail_out;
        // All input taken and output room left over: the flush or the stream's end is out.
        const bool drained = inputLeft == 0 && stream.avail_in == 0 && stream.avail_out != 0;
        if (drained && (end == BandEnd::kMore || stream.internal_state.state == ZSTATE_END)) {
            break;
        }
    }
    output.resize(written);
    return SaveResult::Success();
}

}  // namespace tonzug
