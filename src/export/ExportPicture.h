#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "export/BandPipeline.h"
#include "export/PictureKind.h"
#include "export/SaveResult.h"
#include "render/FreeGradient.h"
#include "render/GradientParams.h"
#include "render/OutputFormat.h"
#include "render/Raster.h"

namespace tonzug {

// The quality every JPEG export is saved with.
inline constexpr std::int32_t kExportJpegQuality = 85;
// Rows are rendered and encoded in bands of about this size, so a picture of any height
// needs only a few bands of memory. Small enough that a band stays in the cache while it
// is rendered, filtered and compressed, and that each thread touches little fresh memory
// (measured: a third less system time than 2 MiB bands at 4096 x 4096, PNG files 3 %
// larger from the extra joins).
inline constexpr std::size_t kExportBandBytes = std::size_t{512} << 10;
// One band holds at least one row; wider rows than this are refused.
inline constexpr std::int32_t kMaxExportRowPixels = std::int32_t{1} << 22;
// The largest side a picture may have: the largest whole number that a 32-bit float, in
// which sizes are handed to the renderer, holds exactly. Above it 16777217 would silently
// become 16777216.
inline constexpr std::int32_t kMaxPictureSide = std::int32_t{1} << 24;
// A picture held whole in memory (for the clipboard) may take at most this much.
inline constexpr std::uint64_t kMaxFullPictureBytes = std::uint64_t{512} << 20;

struct PictureSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Told the fraction of rows done after each band; returning false cancels the export.
using ExportProgress = std::function<bool(double fractionDone)>;

// "Value Overflow." for a picture side above kMaxPictureSide, naming the size as given.
SaveResult PictureTooLarge(std::string_view width, std::string_view height);

// Threads beyond this many would mostly add memory.
inline constexpr std::int32_t kMaxExportThreads = 64;

// The colour depth the user chose ("Farbtiefe", "Dithering").
struct ColorDepthChoice {
    bool sixteenBits = false;
    bool dither = false;
};

// What the renderer gives a picture of `kind`: 16 bits per channel in PNG only, the other
// kinds hold 8; dithering applies to every 8-bit output.
OutputFormat OutputFormatFor(PictureKind kind, const ColorDepthChoice& choice);

struct ExportOptions {
    // Called on the exporting thread.
    ExportProgress progress;
    std::size_t bandBytes = kExportBandBytes;
    // The threads that render and compress, the calling one included (1 to
    // kMaxExportThreads; values outside are clamped). The file is the same for any number.
    std::int32_t threads = AvailableCores();
    // How helper threads are started; the work is done on the calling thread when none
    // can be.
    ThreadStarter startThread = StartThread;
    ColorDepthChoice depth;
    // When not negative, the picture goes into this open and empty file instead of the
    // named one, which then only names it in messages: for a picture that is read back
    // at once, as for standard output.
    int intoDescriptor = -1;
};

// The full size: width and height rounded to whole pixels, ties to even. Fails with
// "Invalid Parameter." for an empty picture (width or height below 1) and with
// "Value Overflow." for a size beyond 32 bits. The exports below also refuse a side above
// kMaxPictureSide.
SaveResult FullPictureSize(const GradientParams& params, PictureSize& size);
// The full size of a picture to save: FullPictureSize, and a side above kMaxPictureSide is
// refused, naming the size as given.
SaveResult ExportSize(const GradientParams& params, PictureSize& size);

// Renders the gradient at full size and saves it as a picture of the given kind, band by
// band on several threads, so memory does not grow with the height: PNG bands are
// rendered, filtered and compressed in parallel, BMP and JPEG bands rendered in parallel
// and encoded in order. Nothing is left under the name (and no temporary file) unless the
// whole picture was written; a cancel through the progress callback gives "Aborted.".
// An SVG picture is written from the gradient's stops (export/WebExport.h) at once.
SaveResult ExportPicture(const GradientParams& params, const std::string& path, PictureKind kind,
                         std::int32_t jpegQuality, const ExportOptions& options = {});

// A free gradient at the size that `sized` gives (as ExportSize reads it), saved as
// ExportPicture saves a classic one. A gradient that can be transparent gives an RGBA PNG
// with straight alpha; BMP and JPEG, which hold no alpha, lay it over white.
SaveResult ExportFreePicture(const FreeGradient& gradient, const GradientParams& sized,
                             const std::string& path, PictureKind kind, std::int32_t jpegQuality,
                             const ExportOptions& options = {});

// What a picture shows: the classic gradient of `params`, or, when given, the free gradient
// drawn at the size `params` holds.
struct GradientPicture {
    GradientParams params;
    std::optional<FreeGradient> free = std::nullopt;
};

// ExportPicture or ExportFreePicture, whichever the picture holds.
SaveResult ExportPicture(const GradientPicture& picture, const std::string& path, PictureKind kind,
                         std::int32_t jpegQuality, const ExportOptions& options = {});

// Renders the whole picture at full size into `picture` (for the clipboard), refusing
// pictures above kMaxFullPictureBytes with "Out Of Memory.". On failure `picture` is
// left as it was.
SaveResult RenderFullPicture(const GradientParams& params, Raster& picture,
                             OutputFormat format = OutputFormat::kPlain8);
SaveResult RenderFullPicture(const GradientPicture& shown, Raster& picture,
                             OutputFormat format = OutputFormat::kPlain8);

}  // namespace tonzug
