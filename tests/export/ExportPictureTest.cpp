#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "export/ExportBands.h"
#include "export/ExportPicture.h"
#include "export/PictureReaders.h"
#include "render/Gradient.h"
#include "render/LiteralDraw.h"
#include "testing/BandOptions.h"
#include "testing/SampleGradient.h"
#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

using testing::TempFolder;

using testing::SampleGradient;

struct BandCase {
    Orientation orientation;
    ColorMode colorMode;
    std::size_t bandBytes;
};

class ExportInBands : public ::testing::TestWithParam<BandCase> {};

// Whatever the band height, the saved picture is the one drawn on a whole surface.
TEST_P(ExportInBands, SavesTheWholeSurfaceDrawing) {
    const BandCase& c = GetParam();
    const GradientParams params = SampleGradient(c.orientation, c.colorMode, 37.0f, 23.0f);
    Raster expected;
    ASSERT_TRUE(RenderFullPicture(params, expected).Ok());
    TempFolder folder;
    for (const char* name : {"g.bmp", "g.png"}) {
        const std::string path = folder.File(name);
        const SaveResult status =
            ExportPicture(params, path, *PictureKindFromPath(path), kExportJpegQuality,
                          testing::BandOptions(c.bandBytes));
        ASSERT_TRUE(status.Ok()) << status.Describe();
        const auto read = testing::ReadPicture(path);
        ASSERT_TRUE(read.has_value()) << name;
        EXPECT_TRUE(testing::SamePixels(*read, expected)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(ShapesAndBands, ExportInBands,
                         ::testing::Values(BandCase{kHorizontal, kRgb, 1},
                                           BandCase{kCircle, kRgb, 37 * 4 * 5},
                                           BandCase{kCircle, kHsl, kExportBandBytes},
                                           BandCase{kVertical, kHsl, 37 * 4 * 22}));

// 24.5 x 3.5 rounds to 24 x 4 (half to even); a size that rounds to nothing, or is too
// large, is refused without a file.
TEST(ExportPicture, RoundsTheSizeAndRefusesEmptyAndOversizedPictures) {
    struct Case {
        float width;
        float height;
        SaveFailure failure;
    };
    TempFolder folder;
    for (const Case c :
         {Case{0.5f, 10.0f, SaveFailure::kEmptyPicture}, Case{1e10f, 10.0f, SaveFailure::kTooLarge},
          Case{float(kMaxExportRowPixels) + 1.0f, 1.0f, SaveFailure::kOutOfMemory},
          Case{70000.0f, 1.0f, SaveFailure::kTooLarge}}) {
        const SaveResult status =
            ExportPicture(SampleGradient(kHorizontal, kRgb, c.width, c.height),
                          folder.File("x.jpg"), PictureKind::kJpeg, kExportJpegQuality);
        EXPECT_EQ(status.failure, c.failure) << c.width << " x " << c.height;
        EXPECT_FALSE(status.reason.empty());
    }
    EXPECT_TRUE(folder.Entries().empty());
    const std::string path = folder.File("r.png");
    ASSERT_TRUE(ExportPicture(SampleGradient(kVertical, kRgb, 24.5f, 3.5f), path, PictureKind::kPng,
                              kExportJpegQuality)
                    .Ok());
    const auto read = testing::ReadPng(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->width, 24);
    EXPECT_EQ(read->height, 4);
}

// Each band reports its share; a cancel leaves the old file.
TEST(ExportPicture, ReportsProgressAndCancelsWithoutAFile) {
    TempFolder folder;
    const std::string path = folder.File("c.bmp");
    testing::WriteWholeFile(path, "old");
    const GradientParams params = SampleGradient(kCircle, kRgb, 10.0f, 40.0f);
    for (const std::size_t cancelAt : {2, 0}) {
        std::vector<double> fractions;
        const auto progress = [&](double fraction) {
            fractions.push_back(fraction);
            return fractions.size() != cancelAt;
        };
        const SaveResult status = ExportPicture(
            params, path, PictureKind::kBmp, 85,
            testing::BandOptions(10 * 10 * 4, AvailableCores(), progress));  // ten rows a band
        EXPECT_EQ(status.failure,
                  cancelAt == 0 ? std::nullopt : std::optional(SaveFailure::kCancelled));
        EXPECT_EQ(fractions, cancelAt == 0 ? (std::vector<double>{0.25, 0.5, 0.75, 1.0})
                                           : (std::vector<double>{0.25, 0.5}));
        EXPECT_EQ(testing::ReadWholeFile(path).size() == 3, cancelAt != 0);
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"c.bmp"});
}

// The bands in flight of the widest rows fit the budget on any number of threads, also
// where dithered rows repeat only every 64; ordinary pictures keep every thread.
TEST(ExportBandLayout, WideRowsStayWithinTheMemoryBudget) {
    for (const auto& [format, period] : {std::pair{OutputFormat::kDithered8, 64},
                                         {OutputFormat::kDeep16, 1},
                                         {OutputFormat::kPlain8, 0}}) {
        const BandLayout layout = LayOutBands(kMaxExportRowPixels, 16384, kExportBandBytes, period);
        const std::uint64_t threads = ThreadsWithinBudget(layout, format, kMaxExportThreads);
        EXPECT_LE(threads * static_cast<std::uint64_t>(layout.bandRows) * kMaxExportRowPixels *
                      sizeof(std::uint32_t),
                  kBandMemoryBudget)
            << period;
    }
    const BandLayout ordinary = LayOutBands(4096, 4096, kExportBandBytes, 64);
    EXPECT_EQ(ordinary.rowPeriod, 64);
    EXPECT_EQ(ThreadsWithinBudget(ordinary, OutputFormat::kDithered8, 8), 8);
}

TEST(RenderFullPicture, RefusesPicturesAboveTheMemoryLimit) {
    Raster picture(2, 2, kBlack);
    const SaveResult status =
        RenderFullPicture(SampleGradient(kVertical, kRgb, 16384.0f, 16384.0f), picture);
    EXPECT_EQ(status.failure, SaveFailure::kOutOfMemory);
    EXPECT_NE(status.reason.find("512 MiB"), std::string::npos) << status.reason;
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.PixelAt(0, 0), kBlack);
}

}  // namespace
}  // namespace tonzug
