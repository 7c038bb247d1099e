#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ExportPicture.h"
#include "export/PictureReaders.h"
#include "render/Gradient.h"
#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using enum Orientation;

using testing::TempFolder;

// 16 levels of grey over 4096 rows: banding at 8 bits.
GradientParams GreyRamp() {
    GradientParams params;
    params.colors.start = RgbColor(32, 32, 32);
    params.colors.end = RgbColor(48, 48, 48);
    params.width = 64.0f;
    params.height = 4096.0f;
    return params;
}

ExportOptions Options(ColorDepthChoice depth, std::int32_t threads) {
    ExportOptions options;
    options.depth = depth;
    options.threads = threads;
    options.bandBytes = 64 * 4 * 100;  // many bands, so the joins are exercised
    return options;
}

// The file holds the renderer's 16-bit picture, and so round(v x 257) of every step; the
// same bytes for any number of threads, also where a horizontal gradient's bands repeat.
TEST(DepthExport, SixteenBitPngHoldsTheRenderersSamples) {
    TempFolder folder;
    GradientParams params = GreyRamp();
    for (const Orientation orientation : {kVertical, kHorizontal}) {
        params.orientation = orientation;
        const GradientRenderer renderer(params, 64, 4096);
        Raster16 expected(64, 4096, kWhite);
        renderer.RenderRows(0, expected);
        std::string first;
        for (const std::int32_t threads : {1, 3}) {
            const std::string path = folder.File("deep" + std::to_string(threads) + ".png");
            ASSERT_TRUE(ExportPicture(params, path, PictureKind::kPng, kExportJpegQuality,
                                      Options({.sixteenBits = true}, threads))
                            .Ok());
            const auto samples = testing::ReadPng16(path);
            ASSERT_TRUE(samples.has_value());
            ASSERT_EQ(samples->size(), expected.Pixels().size() * 3);
            for (std::size_t i = 0; i < expected.Pixels().size(); ++i) {
                const Rgb16 pixel = expected.Pixels()[i];
                ASSERT_EQ((*samples)[3 * i], pixel.red)
                    << i << " orientation " << static_cast<int>(orientation);
                ASSERT_EQ((*samples)[3 * i + 2], pixel.blue)
                    << i << " orientation " << static_cast<int>(orientation);
            }
            const std::string bytes = testing::ReadWholeFile(path);
            first = first.empty() ? bytes : first;
            EXPECT_EQ(bytes, first) << "orientation " << static_cast<int>(orientation);
        }
    }
    EXPECT_TRUE(ExportPicture(params, folder.File("d.bmp"), PictureKind::kBmp, kExportJpegQuality,
                              Options({.sixteenBits = true}, 2))
                    .Ok());  // BMP stays 8 bits
}

// Dithering applies to every 8-bit kind; the dithered file is the renderer's dithered picture,
// also where a horizontal gradient's bands repeat and are coded once per thread.
TEST(DepthExport, DitheredFilesHoldTheDitheredPicture) {
    TempFolder folder;
    for (const Orientation orientation : {kVertical, kHorizontal}) {
        GradientParams params = GreyRamp();
        params.orientation = orientation;
        params.width = orientation == kHorizontal ? 300.0f : 64.0f;
        params.height = orientation == kHorizontal ? 4000.0f : 4096.0f;  // a short last band
        const auto width = static_cast<std::int32_t>(params.width);
        const auto height = static_cast<std::int32_t>(params.height);
        Raster expected(width, height, kWhite);
        GradientRenderer(params, width, height).RenderRows(0, expected, OutputFormat::kDithered8);
        std::string firstPng;
        for (const std::int32_t threads : {1, 3}) {
            for (const char* name : {"d.png", "d.bmp"}) {
                const std::string path = folder.File(name);
                ExportOptions options = Options({.dither = true}, threads);
                options.bandBytes = static_cast<std::size_t>(width) * 4 * 100;
                ASSERT_TRUE(ExportPicture(params, path, *PictureKindFromPath(path),
                                          kExportJpegQuality, options)
                                .Ok());
                const auto read = testing::ReadPicture(path);
                ASSERT_TRUE(read.has_value());
                EXPECT_TRUE(testing::SamePixels(*read, expected))
                    << name << " orientation " << static_cast<int>(orientation) << " threads "
                    << threads;
            }
            const std::string png = testing::ReadWholeFile(folder.File("d.png"));
            firstPng = firstPng.empty() ? png : firstPng;
            EXPECT_EQ(png, firstPng) << "orientation " << static_cast<int>(orientation);
        }
    }
    EXPECT_EQ(OutputFormatFor(PictureKind::kJpeg, {.sixteenBits = true, .dither = true}),
              OutputFormat::kDithered8);
    EXPECT_EQ(OutputFormatFor(PictureKind::kPng, {.sixteenBits = true, .dither = true}),
              OutputFormat::kDeep16);
}

}  // namespace
}  // namespace tonzug
