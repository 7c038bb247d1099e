#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "export/ExportPicture.h"
#include "export/PictureReaders.h"
#include "render/FreeRenderer.h"
#include "render/Gradient.h"
#include "testing/TempFolder.h"
#include "web/CssGradientReader.h"

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

FreeGradient Css(std::string_view text) {
    return *ReadCssGradient(text).gradient;
}

// The straight colour and alpha at the centre of each pixel, 0..255.
template <class Check>
void ForEachExactPixel(const FreeGradient& gradient, int width, int height, Check check) {
    const FreeRenderer renderer(gradient, width, height, PictureAlpha::kStraight);
    const FreePlacement placement(gradient, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            check(x, y, renderer.StraightColorAt(placement.PositionAt(x + 0.5, y + 0.5)));
        }
    }
}

// A gradient that can be transparent gives an RGBA PNG with straight alpha: each sample the
// exact value rounded (dithered: one of the two levels either side), a fully transparent
// pixel 0 throughout, the colour that the premultiplied blend keeps while it fades out; the
// same bytes on any number of threads. BMP lays it over white; an opaque one stays RGB.
TEST(DepthExport, TransparentFreeGradientsKeepStraightAlpha) {
    TempFolder folder;
    struct Choice {
        ColorDepthChoice depth;
        double levelsOff;  // from the exact value, in the file's levels
    };
    for (const std::string_view css :
         {"linear-gradient(90deg, rgb(51 102 170 / 0.3), rgb(200 100 50 / 0.9) 50%, transparent)",
          "radial-gradient(in oklch, #ff000040, lime, #0000ff00 80%)"}) {
        const FreeGradient gradient = Css(css);
        constexpr int kWidth = 160;
        constexpr int kHeight = 70;
        GradientParams sized;
        sized.width = kWidth;
        sized.height = kHeight;
        for (const Choice choice :
             {Choice{{}, 0.5}, Choice{{.dither = true}, 1.0}, Choice{{.sixteenBits = true}, 0.5}}) {
            const double scale = choice.depth.sixteenBits ? 257.0 : 1.0;
            std::string first;
            for (const std::int32_t threads : {1, 4}) {
                const std::string path = folder.File("alpha" + std::to_string(threads) + ".png");
                ExportOptions options = Options(choice.depth, threads);
                options.bandBytes = kWidth * 4 * 8;
                ASSERT_TRUE(ExportFreePicture(gradient, sized, path, PictureKind::kPng,
                                              kExportJpegQuality, options)
                                .Ok());
                const std::string bytes = testing::ReadWholeFile(path);
                first = first.empty() ? bytes : first;
                EXPECT_EQ(bytes, first) << css << " threads " << threads;
            }
            const auto read = testing::ReadPngSamples(folder.File("alpha1.png"));
            ASSERT_TRUE(read.has_value());
            ASSERT_EQ(read->colorType, 6);
            ASSERT_EQ(read->bitDepth, choice.depth.sixteenBits ? 16 : 8);
            ForEachExactPixel(
                gradient, kWidth, kHeight, [&](int x, int y, const ExactStraight& exact) {
                    const double alpha = read->At(x, y, 3);
                    ASSERT_LE(std::abs(alpha - exact.alpha * scale), choice.levelsOff + 1e-6)
                        << css << " at " << x << "," << y;
                    const double channels[] = {exact.color.red, exact.color.green,
                                               exact.color.blue};
                    for (int channel = 0; channel < 3; ++channel) {
                        const double off =
                            alpha == 0
                                ? read->At(x, y, channel)
                                : std::abs(read->At(x, y, channel) - channels[channel] * scale);
                        ASSERT_LE(off, choice.levelsOff + 1e-6)
                            << css << " at " << x << "," << y << " " << channel;
                    }
                });
        }
        if (css.starts_with("linear")) {
            // Fading to transparent black keeps the colour, as the premultiplied blend does.
            const std::string path = folder.File("fading.png");
            ASSERT_TRUE(ExportFreePicture(gradient, sized, path, PictureKind::kPng,
                                          kExportJpegQuality, Options({}, 1))
                            .Ok());
            const auto fading = testing::ReadPngSamples(path);
            ASSERT_TRUE(fading.has_value());
            const std::array<int, 4> expected = {200, 100, 50, 113};  // 0.9 x 0.49375 x 255
            for (int channel = 0; channel < 4; ++channel) {
                EXPECT_EQ(fading->At(120, 3, channel), expected[channel]) << channel;
            }
        }
        ASSERT_TRUE(ExportFreePicture(gradient, sized, folder.File("w.bmp"), PictureKind::kBmp,
                                      kExportJpegQuality, Options({}, 2))
                        .Ok());
        Raster overWhite(kWidth, kHeight);
        FreeRenderer(gradient, kWidth, kHeight).RenderRows(0, overWhite);
        const auto bmp = testing::ReadBmp(folder.File("w.bmp"));
        ASSERT_TRUE(bmp.has_value());
        EXPECT_TRUE(testing::SamePixels(*bmp, overWhite)) << css;
    }
    GradientParams sized;
    sized.width = 30;
    sized.height = 20;
    const std::string opaque = folder.File("opaque.png");
    ASSERT_TRUE(ExportFreePicture(Css("linear-gradient(red, blue)"), sized, opaque,
                                  PictureKind::kPng, kExportJpegQuality, Options({}, 1))
                    .Ok());
    EXPECT_EQ(testing::ReadPngSamples(opaque)->colorType, 2);
}

// Dithered alpha keeps the mean: over a tile of the mask, a constant alpha averages to its
// exact value, within the mask's share of 1/4096, while whole colour levels stay exact.
TEST(DepthExport, DitheredAlphaKeepsItsMean) {
    TempFolder folder;
    const FreeGradient gradient =
        Css("linear-gradient(90deg, rgb(51 102 170 / 0.3) 64px, rgb(200 100 50 / 0.9) 64px 128px, "
            "rgb(200 100 50 / 0.5) 192px)");
    GradientParams sized;
    sized.width = 192;
    sized.height = 64;
    const std::string path = folder.File("tiles.png");
    ASSERT_TRUE(ExportFreePicture(gradient, sized, path, PictureKind::kPng, kExportJpegQuality,
                                  Options({.dither = true}, 2))
                    .Ok());
    const auto read = testing::ReadPngSamples(path);
    ASSERT_TRUE(read.has_value());
    constexpr int kTile = 64;
    for (const double exact : {0.3 * 255.0, 0.9 * 255.0}) {
        const int left = exact < 128.0 ? 0 : kTile;
        double sum = 0.0;
        for (int y = 0; y < kTile; ++y) {
            for (int x = left; x < left + kTile; ++x) {
                sum += read->At(x, y, 3);
                ASSERT_EQ(read->At(x, y, 1), exact < 128.0 ? 102 : 100) << x << "," << y;
            }
        }
        EXPECT_NEAR(sum / (kTile * kTile), exact, 1.0 / 4096 + 1e-9);
    }
}

}  // namespace
}  // namespace tonzug
