#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "export/ExportPicture.h"
#include "export/PictureReaders.h"
#include "render/Gradient.h"
#include "testing/BandOptions.h"
#include "testing/SampleGradient.h"
#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using enum Orientation;
using enum ColorMode;

using testing::SampleGradient;
using testing::TempFolder;

struct ThreadCase {
    Orientation orientation;
    std::int32_t width;
    std::int32_t height;
    std::int32_t bandRows;
};

std::string ExportBytes(const GradientParams& params, const std::string& path, PictureKind kind,
                        const ExportOptions& options) {
    const SaveResult status = ExportPicture(params, path, kind, kExportJpegQuality, options);
    EXPECT_TRUE(status.Ok()) << status.Describe();
    return testing::ReadWholeFile(path);
}

class ExportOnThreads : public ::testing::TestWithParam<ThreadCase> {};

// Bands far below the deflate window make each band's dictionary reach back over several
// bands; the file must not depend on which thread did what.
TEST_P(ExportOnThreads, WritesTheSameBytesWithAnyNumberOfThreads) {
    const ThreadCase& c = GetParam();
    const GradientParams params =
        SampleGradient(c.orientation, kRgb, float(c.width), float(c.height));
    const std::size_t bandBytes = static_cast<std::size_t>(c.width) * 4 * c.bandRows;
    TempFolder folder;
    for (const char* name : {"g.png", "g.bmp", "g.jpg"}) {
        const std::string path = folder.File(name);
        const PictureKind kind = *PictureKindFromPath(path);
        const std::string single =
            ExportBytes(params, path, kind, testing::BandOptions(bandBytes, 1));
        for (std::int32_t threads : {2, 8}) {
            EXPECT_EQ(ExportBytes(params, path, kind, testing::BandOptions(bandBytes, threads)),
                      single)
                << name << " on " << threads << " threads";
        }
        if (kind == PictureKind::kPng) {
            // The last band is shorter than the others: its data must end where the
            // picture does (libpng warns of surplus data, which the reader refuses).
            EXPECT_TRUE(testing::ReadPicture(path).has_value());
            const std::string iend("\0\0\0\0IEND\xAE\x42\x60\x82", 12);
            EXPECT_TRUE(single.ends_with(iend));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ShapesAndSizes, ExportOnThreads,
                         ::testing::Values(ThreadCase{kHorizontal, 37, 23, 1},
                                           ThreadCase{kCircle, 37, 23, 3},
                                           ThreadCase{kVertical, 300, 130, 7}));

// When no helper thread can be started, or only some, the calling thread does their work.
TEST(ExportOnThreads, WorksOnTheCallingThreadWhenHelpersCannotStart) {
    const GradientParams params = SampleGradient(kCircle, kHsl, 60.0f, 40.0f);
    TempFolder folder;
    const std::string path = folder.File("f.png");
    const std::size_t fourRows = 60 * 4 * 4;
    const std::string expected =
        ExportBytes(params, path, PictureKind::kPng, testing::BandOptions(fourRows, 1));
    for (int started : {0, 1}) {
        std::atomic<int> asked = 0;
        const ThreadStarter starter = [&](std::function<void()> work) {
            return asked++ < started ? StartThread(std::move(work)) : std::jthread();
        };
        ExportOptions options = testing::BandOptions(fourRows, 4);
        options.startThread = starter;
        EXPECT_EQ(ExportBytes(params, path, PictureKind::kPng, options), expected)
            << started << " helper(s) started";
        EXPECT_EQ(asked, started + 1) << "stops asking after the first refusal";
    }
}

TEST(ExportOnThreads, CancelLeavesNoFileWhileHelpersWork) {
    const GradientParams params = SampleGradient(kCircle, kRgb, 50.0f, 200.0f);
    TempFolder folder;
    for (const char* name : {"c.png", "c.bmp"}) {
        const std::string path = folder.File(name);
        int calls = 0;
        const SaveResult status =
            ExportPicture(params, path, *PictureKindFromPath(path), kExportJpegQuality,
                          testing::BandOptions(50 * 4 * 2, 8, [&](double) { return ++calls < 3; }));
        EXPECT_EQ(status.failure, SaveFailure::kCancelled) << name;
        EXPECT_EQ(calls, 3);
    }
    EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace tonzug
