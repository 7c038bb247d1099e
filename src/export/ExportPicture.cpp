#include "export/ExportPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "export/ExportBands.h"
#include "export/PictureEncoder.h"
#include "export/PngBandWork.h"
#include "export/PngEncoder.h"
#include "export/WebExport.h"
#include "render/FreeRenderer.h"
#include "render/Gradient.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

SaveResult OutOfMemory() {
    return OutOfMemoryFailure("not enough memory to render the picture");
}

// BMP and JPEG bands: rendered on any thread, encoded in order.
class RenderedBands {
  public:
    RenderedBands(const PictureRenderer& renderer, const BandLayout& layout,
                  PictureEncoder& encoder, std::int32_t window, OutputFormat format)
        : renderer_(renderer),
          layout_(layout),
          encoder_(encoder),
          format_(format),
          rasters_(static_cast<std::size_t>(window)) {}

    SaveResult Produce(std::int32_t band, std::int32_t) {
        return RenderBand(renderer_, layout_, band, Slot(band), format_) ? SaveResult::Success()
                                                                         : OutOfMemory();
    }
    SaveResult Deliver(std::int32_t band) { return encoder_.WriteRows(Slot(band).Pixels()); }

  private:
    Raster& Slot(std::int32_t band) {
        return rasters_[static_cast<std::size_t>(band) % rasters_.size()];
    }

    const PictureRenderer& renderer_;
    const BandLayout& layout_;
    PictureEncoder& encoder_;
    OutputFormat format_;
    std::vector<Raster> rasters_;
};

}  // namespace

// A side a float cannot hold exactly is refused, since the renderer would silently draw
// 16777216 rows for 16777217.
SaveResult ExportSize(const GradientParams& params, PictureSize& size) {
    constexpr auto kLimit = static_cast<float>(kMaxPictureSide);
    if (params.width > kLimit || params.height > kLimit) {
        const auto text = [](float side) {
            return std::isfinite(side) ? std::to_string(std::llround(std::trunc(side)))
                                       : std::string("infinity");
        };
        return PictureTooLarge(text(params.width), text(params.height));
    }
    return FullPictureSize(params, size);
}

namespace {

template <typename Bands>
SaveResult RunBands(Bands& bands, const BandPipelineSetup& setup, const BandLayout& layout,
                    const ExportProgress& progress) {
    return RunBandPipeline(
        setup, [&](std::int32_t band, std::int32_t worker) { return bands.Produce(band, worker); },
        [&](std::int32_t band) {
            if (SaveResult delivered = bands.Deliver(band); !delivered.Ok()) {
                return delivered;
            }
            const double done =
                static_cast<double>(layout.FirstRow(band) + layout.Rows(band)) / layout.height;
            if (progress && !progress(done)) {
                return SaveResult::Failure(SaveFailure::kCancelled, "export cancelled");
            }
            return SaveResult::Success();
        });
}

// Refuses a picture wider than one export band can hold ("Out Of Memory.").
SaveResult FitsOneRow(const PictureSize& size) {
    if (size.width > kMaxExportRowPixels) {
        return SaveResult::Failure(
            SaveFailure::kOutOfMemory,
            "pictures can be at most " + std::to_string(kMaxExportRowPixels) +
                " pixels wide, the export memory limit for one row (" +
                SizeText(size.width, size.height) + " requested)",
            {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                                 "Bilder dürfen höchstens %1 Pixel breit sein, so viel wie "
                                 "der Exportspeicher für eine Zeile fasst (%2 × %3 verlangt)"),
             {std::to_string(kMaxExportRowPixels), std::to_string(size.width),
              std::to_string(size.height)}});
    }
    return SaveResult::Success();
}

// Saves what the renderer paints at `size` as a picture of a band-wise kind (PNG, BMP, JPEG).
SaveResult ExportRendered(const PictureRenderer& renderer, const PictureSize& size,
                          const std::string& path, PictureKind kind, std::int32_t jpegQuality,
                          const ExportOptions& options) {
    const OutputFormat format = OutputFormatFor(kind, options.depth);
    // Where rows repeat, bands of whole periods repeat too, and are coded once.
    const BandLayout layout =
        LayOutBands(size.width, size.height, options.bandBytes, renderer.RowPeriod(format));
    BandPipelineSetup setup;
    setup.bandCount = layout.bandCount;
    setup.threads = ThreadsWithinBudget(
        layout, format, std::clamp(options.threads, 1, kMaxExportThreads), renderer.Alpha());
    // Room for every thread's band and a few finished ones waiting to be written.
    setup.window = setup.threads + 2;
    setup.startThread = options.startThread;

    if (kind == PictureKind::kPng) {
        PngEncoder encoder(path, format == OutputFormat::kDeep16 ? PngDepth::k16 : PngDepth::k8,
                           renderer.Alpha());
        encoder.WriteInto(options.intoDescriptor);
        if (SaveResult status = encoder.Begin(size.width, size.height); !status.Ok()) {
            return status;
        }
        PngBandWork bands(renderer, layout, encoder, setup.threads, setup.window, format);
        if (SaveResult status = RunBands(bands, setup, layout, options.progress); !status.Ok()) {
            return status;
        }
        return encoder.Finish();
    }
    std::unique_ptr<PictureEncoder> encoder = MakePictureEncoder(kind, path, jpegQuality);
    encoder->WriteInto(options.intoDescriptor);
    if (SaveResult status = encoder->Begin(size.width, size.height); !status.Ok()) {
        return status;
    }
    RenderedBands bands(renderer, layout, *encoder, setup.window, format);
    if (SaveResult status = RunBands(bands, setup, layout, options.progress); !status.Ok()) {
        return status;
    }
    return encoder->Finish();
}

}  // namespace

SaveResult PictureTooLarge(std::string_view width, std::string_view height) {
    return SaveResult::Failure(
        SaveFailure::kTooLarge,
        "picture size " + std::string(width) + " x " + std::string(height) +
            " is too large: at most " + std::to_string(kMaxPictureSide) + " pixels each way",
        {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                             "Die Bildgröße %1 × %2 ist zu groß: höchstens "
                             "%3 Pixel in jede Richtung"),
         {std::string(width), std::string(height), std::to_string(kMaxPictureSide)}});
}

SaveResult FullPictureSize(const GradientParams& params, PictureSize& size) {
    const std::optional<std::int32_t> width = RoundToInt32(params.width);
    const std::optional<std::int32_t> height = RoundToInt32(params.height);
    const bool tooLarge = (!width && params.width > 0.0f) || (!height && params.height > 0.0f);
    if (tooLarge) {
        return SaveResult::Failure(
            SaveFailure::kTooLarge, "picture size out of range: at most 2147483647 pixels each way",
            {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                                 "Die Bildgröße liegt außerhalb des Bereichs: "
                                 "höchstens %1 Pixel in jede Richtung"),
             {"2147483647"}});
    }
    if (!width || !height || *width < 1 || *height < 1) {
        return SaveResult::Failure(
            SaveFailure::kEmptyPicture,
            "empty picture: width and height must be at least 1 pixel (" +
                SizeText(width.value_or(0), height.value_or(0)) + " requested)",
            {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                                 "Leeres Bild: Breite und Höhe müssen "
                                 "mindestens 1 Pixel sein (%1 × %2 verlangt)"),
             {std::to_string(width.value_or(0)), std::to_string(height.value_or(0))}});
    }
    size = {*width, *height};
    return SaveResult::Success();
}

namespace {

// The picture at the size `sized` gives, painted by the renderer `makeRenderer` makes for that
// size, saved band by band; a lack of memory or a library's failure comes back as a result.
template <class MakeRenderer>
SaveResult ExportInBands(const GradientParams& sized, MakeRenderer makeRenderer,
                         const std::string& path, PictureKind kind, std::int32_t jpegQuality,
                         const ExportOptions& options) {
    PictureSize size;
    if (SaveResult status = ExportSize(sized, size); !status.Ok()) {
        return status;
    }
    if (SaveResult status = FitsOneRow(size); !status.Ok()) {
        return status;
    }
    return ExportRendered(makeRenderer(size), size, path, kind, jpegQuality, options);
}

// What `save` gives, with a lack of memory or a library's failure as a result.
template <class Save>
SaveResult Guarded(Save save) {
    try {
        return save();
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    } catch (const std::exception& error) {
        return SaveResult::Failure(SaveFailure::kGeneric, error.what());
    }
}

}  // namespace

SaveResult ExportPicture(const GradientParams& params, const std::string& path, PictureKind kind,
                         std::int32_t jpegQuality, const ExportOptions& options) {
    return Guarded([&] {
        if (kind == PictureKind::kSvg) {
            return ExportSvgPicture(params, path, options.intoDescriptor);
        }
        return ExportInBands(
            params,
            [&params](const PictureSize& size) {
                return GradientRenderer(params, size.width, size.height);
            },
            path, kind, jpegQuality, options);
    });
}

SaveResult ExportFreePicture(const FreeGradient& gradient, const GradientParams& sized,
                             const std::string& path, PictureKind kind, std::int32_t jpegQuality,
                             const ExportOptions& options) {
    return Guarded([&] {
        if (kind == PictureKind::kSvg) {
            return ExportFreeSvgPicture(gradient, sized, path, options.intoDescriptor);
        }
        // Only PNG holds alpha; the other kinds lay transparent colours over white.
        const PictureAlpha alpha = kind == PictureKind::kPng && CanBeTransparent(gradient)
                                       ? PictureAlpha::kStraight
                                       : PictureAlpha::kOpaque;
        return ExportInBands(
            sized,
            [&gradient, alpha](const PictureSize& size) {
                return FreeRenderer(gradient, size.width, size.height, alpha);
            },
            path, kind, jpegQuality, options);
    });
}

OutputFormat OutputFormatFor(PictureKind kind, const ColorDepthChoice& choice) {
    if (choice.sixteenBits && kind == PictureKind::kPng) {
        return OutputFormat::kDeep16;
    }
    return choice.dither ? OutputFormat::kDithered8 : OutputFormat::kPlain8;
}

namespace {

// Renders the picture at full size into `picture` with `draw`, within the memory limit.
template <class Draw>
SaveResult RenderWithinLimit(const GradientParams& params, Raster& picture, Draw draw) {
    PictureSize size;
    if (SaveResult status = ExportSize(params, size); !status.Ok()) {
        return status;
    }
    const std::uint64_t bytes = static_cast<std::uint64_t>(size.width) *
                                static_cast<std::uint64_t>(size.height) * sizeof(std::uint32_t);
    if (bytes > kMaxFullPictureBytes) {
        return SaveResult::Failure(
            SaveFailure::kOutOfMemory,
            "a picture held in memory may take at most " +
                std::to_string(kMaxFullPictureBytes >> 20) + " MiB; " +
                SizeText(size.width, size.height) + " pixels need " + std::to_string(bytes >> 20) +
                " MiB",
            {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                                 "Ein Bild im Arbeitsspeicher darf höchstens "
                                 "%1 MiB belegen; %2 × %3 Pixel brauchen %4 MiB"),
             {std::to_string(kMaxFullPictureBytes >> 20), std::to_string(size.width),
              std::to_string(size.height), std::to_string(bytes >> 20)}});
    }
    try {
        Raster rendered(size.width, size.height, kWhite);
        if (rendered.Width() != size.width || rendered.Height() != size.height) {
            return OutOfMemory();  // the raster stays empty when memory runs out
        }
        draw(rendered, size);
        picture = std::move(rendered);
    } catch (const std::bad_alloc&) {
        return OutOfMemory();
    }
    return SaveResult::Success();
}

}  // namespace

SaveResult RenderFullPicture(const GradientParams& params, Raster& picture, OutputFormat format) {
    return RenderWithinLimit(params, picture, [&](Raster& rendered, const PictureSize&) {
        DrawGradient(rendered, params, format);
    });
}

SaveResult RenderFullPicture(const GradientPicture& shown, Raster& picture, OutputFormat format) {
    if (!shown.free) {
        return RenderFullPicture(shown.params, picture, format);
    }
    return RenderWithinLimit(shown.params, picture, [&](Raster& rendered, const PictureSize& size) {
        FreeRenderer(*shown.free, size.width, size.height).RenderRows(0, rendered, format);
    });
}

SaveResult ExportPicture(const GradientPicture& picture, const std::string& path, PictureKind kind,
                         std::int32_t jpegQuality, const ExportOptions& options) {
    return picture.free
               ? ExportFreePicture(*picture.free, picture.params, path, kind, jpegQuality, options)
               : ExportPicture(picture.params, path, kind, jpegQuality, options);
}

}  // namespace tonzug
