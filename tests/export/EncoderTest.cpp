#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "export/PictureEncoder.h"
#include "export/PictureReaders.h"
#include "export/PngBands.h"
#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using testing::DecodedPicture;
using testing::TempFolder;

enum class Pattern { kRowsRepeat, kMixed };

std::uint32_t Pixel(int red, int green, int blue) {
    return 0xFF000000u | (static_cast<std::uint32_t>(red & 0xFF) << 16) |
           (static_cast<std::uint32_t>(green & 0xFF) << 8) |
           static_cast<std::uint32_t>(blue & 0xFF);
}

// Smooth enough for JPEG, yet every row and column, and each channel, tells its place.
std::vector<std::uint32_t> MakePicture(Pattern pattern, std::int32_t width, std::int32_t height) {
    std::vector<std::uint32_t> pixels;
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            const int across = width > 1 ? x * 255 / (width - 1) : 0;
            const int down = height > 1 ? y * 255 / (height - 1) : 0;
            switch (pattern) {
                case Pattern::kRowsRepeat:
                    pixels.push_back(Pixel(across, 40, 255 - across));
                    break;
                case Pattern::kMixed:
                    pixels.push_back(Pixel(across, down, (across + down) / 2));
                    break;
            }
        }
    }
    return pixels;
}

// "picture.PNG" and the like: the encoders go by the kind, the readers by the name.
std::string FileName(PictureKind kind) {
    return "picture." + std::string(PictureKindName(kind));
}

// Hands the rows over in uneven bands, as the export's last band is.
SaveResult Encode(PictureEncoder& encoder, const std::vector<std::uint32_t>& pixels,
                  std::int32_t width, std::int32_t height) {
    SaveResult status = encoder.Begin(width, height);
    std::size_t done = 0;
    std::int32_t band = 7;
    while (status.Ok() && done < pixels.size()) {
        const std::size_t count = std::min(
            static_cast<std::size_t>(band) * static_cast<std::size_t>(width), pixels.size() - done);
        status = encoder.WriteRows(std::span(pixels).subspan(done, count));
        done += count;
        band = band == 7 ? 1 : 7;
    }
    return status.Ok() ? encoder.Finish() : status;
}

int LargestChannelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference = std::abs(static_cast<int>((a >> shift) & 0xFFu) -
                                        static_cast<int>((b >> shift) & 0xFFu));
        largest = std::max(largest, difference);
    }
    return largest;
}

struct RoundTripCase {
    PictureKind kind;
    Pattern pattern;
    std::int32_t width;
    std::int32_t height;
};

class EncoderRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(EncoderRoundTrip, ReadsBackExactSizeAndPixels) {
    const RoundTripCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.File(FileName(c.kind));
    const std::vector<std::uint32_t> pixels = MakePicture(c.pattern, c.width, c.height);
    auto encoder = MakePictureEncoder(c.kind, path, 95);
    const SaveResult status = Encode(*encoder, pixels, c.width, c.height);
    ASSERT_TRUE(status.Ok()) << status.Describe();
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{FileName(c.kind)});

    const std::optional<DecodedPicture> read = testing::ReadPicture(path);
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->width, c.width);
    ASSERT_EQ(read->height, c.height);
    if (c.kind != PictureKind::kJpeg) {
        EXPECT_EQ(read->pixels, pixels);
        return;
    }
    // Lossy: close everywhere, and on average very close.
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const int difference = LargestChannelDifference(read->pixels[i], pixels[i]);
        EXPECT_LE(difference, 24) << "pixel " << i;
        sum += difference;
    }
    EXPECT_LE(static_cast<double>(sum) / static_cast<double>(pixels.size()), 3.0);
}

// Per kind: an odd width (BMP row padding) in each pattern, and one pixel.
std::vector<RoundTripCase> RoundTripCases() {
    std::vector<RoundTripCase> cases;
    for (PictureKind kind : {PictureKind::kBmp, PictureKind::kPng, PictureKind::kJpeg}) {
        for (Pattern pattern : {Pattern::kRowsRepeat, Pattern::kMixed}) {
            cases.push_back({kind, pattern, 37, 23});
        }
        cases.push_back({kind, Pattern::kMixed, 1, 1});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllKinds, EncoderRoundTrip, ::testing::ValuesIn(RoundTripCases()));

std::string EncodeToBytes(const std::string& path, std::int32_t quality) {
    const std::vector<std::uint32_t> pixels = MakePicture(Pattern::kMixed, 40, 30);
    auto encoder = MakePictureEncoder(PictureKind::kJpeg, path, quality);
    EXPECT_TRUE(Encode(*encoder, pixels, 40, 30).Ok());
    return testing::ReadWholeFile(path);
}

TEST(JpegEncoder, ClampsQualityToTheScale) {
    TempFolder folder;
    const std::string path = folder.File("a.jpg");
    EXPECT_NE(EncodeToBytes(path, 100), EncodeToBytes(path, 0));
    EXPECT_EQ(EncodeToBytes(path, 150), EncodeToBytes(path, 100));
    EXPECT_EQ(EncodeToBytes(path, -5), EncodeToBytes(path, 0));
}

TEST(PngEncoder, WritesPicturesWiderThanTheLibraryDefaultLimit) {
    TempFolder folder;
    const std::string path = folder.File("wide.png");
    const std::int32_t width = 1'000'001;
    const std::vector<std::uint32_t> row(static_cast<std::size_t>(width), Pixel(1, 2, 3));
    auto encoder = MakePngEncoder(path);
    const SaveResult status = Encode(*encoder, row, width, 1);
    ASSERT_TRUE(status.Ok()) << status.Describe();
    const std::string bytes = testing::ReadWholeFile(path);
    ASSERT_GE(bytes.size(), 24u);
    // IHDR: width big-endian at offset 16.
    EXPECT_EQ(bytes.substr(16, 4), std::string("\x00\x0f\x42\x41", 4));
}

// The export hands each band to whichever thread is free, so a coder's bytes for a band
// must not depend on the bands it coded before, in whatever order they came.
TEST(PngBandCoder, CodesEachBandAsAFreshCoderWould) {
    constexpr std::int32_t kWidth = 97;
    constexpr std::int32_t kBandRows = 64;  // more filtered bytes than the deflate window
    constexpr std::int32_t kBands = 5;
    std::minstd_rand noise(7);
    std::vector<Rgb16> deep(static_cast<std::size_t>(kWidth) * kBandRows * kBands);
    std::vector<std::uint32_t> words(deep.size());
    for (std::size_t i = 0; i < deep.size(); ++i) {
        const auto ramp = static_cast<std::uint16_t>(i * 13);
        deep[i] = {ramp, static_cast<std::uint16_t>(ramp ^ (noise() & 0x3Fu)),
                   static_cast<std::uint16_t>(noise())};
        words[i] = Pixel(static_cast<int>(i % kWidth), static_cast<int>(noise() & 0x0Fu), 9);
    }
    const auto end = [](std::int32_t band) {
        return band + 1 == kBands ? BandEnd::kLast : BandEnd::kMore;
    };
    for (const PngDepth depth : {PngDepth::k8, PngDepth::k16}) {
        for (const PngCompression compression :
             {PngCompression::kLongRuns, PngCompression::kNoisy}) {
            const auto filter = [&](PngBandCoder& coder, std::int32_t band,
                                    std::span<const std::uint8_t> rowAbove) {
                const std::size_t first = static_cast<std::size_t>(band) * kWidth * kBandRows;
                if (depth == PngDepth::k16) {
                    coder.Filter(deep.data() + first, kBandRows, rowAbove);
                } else {
                    coder.Filter(words.data() + first, kBandRows, rowAbove);
                }
            };
            std::vector<std::vector<std::uint8_t>> rowsAbove(kBands + 1);
            std::vector<std::vector<std::uint8_t>> tails(kBands + 1);
            std::vector<PngBand> fresh(kBands);
            for (std::int32_t band = 0; band < kBands; ++band) {
                PngBandCoder coder(kWidth, depth, compression);
                filter(coder, band, rowsAbove[band]);
                coder.TailAfter(tails[band], tails[band + 1]);
                const auto lastRow = coder.LastRow();
                rowsAbove[band + 1].assign(lastRow.begin(), lastRow.end());
                ASSERT_TRUE(coder.Deflate(tails[band], end(band), fresh[band]).Ok());
            }
            PngBandCoder reused(kWidth, depth, compression);
            for (const std::int32_t band : {3, 1, 4, 0, 2, 1}) {
                PngBand coded;
                filter(reused, band, rowsAbove[band]);
                ASSERT_TRUE(reused.Deflate(tails[band], end(band), coded).Ok());
                EXPECT_EQ(coded.deflated, fresh[band].deflated)
                    << "band " << band << ", " << (depth == PngDepth::k16 ? 16 : 8) << " bits, "
                    << (compression == PngCompression::kNoisy ? "igzip" : "zlib");
            }
        }
    }
}

struct SizeCase {
    PictureKind kind;
    std::int32_t width;
    std::int32_t height;
    std::optional<SaveFailure> failure;
    std::string reasonPart;
};

class EncoderSizeLimits : public ::testing::TestWithParam<SizeCase> {};

TEST_P(EncoderSizeLimits, RefuseBeforeCreatingAnyFile) {
    const SizeCase& c = GetParam();
    TempFolder folder;
    auto encoder = MakePictureEncoder(c.kind, folder.File(FileName(c.kind)), 85);
    const SaveResult status = encoder->Begin(c.width, c.height);
    EXPECT_EQ(status.failure, c.failure);
    EXPECT_NE(status.reason.find(c.reasonPart), std::string::npos) << status.reason;
    if (c.failure) {
        EXPECT_TRUE(folder.Entries().empty());
        EXPECT_EQ(encoder->Finish().failure, c.failure) << "the first failure sticks";
    }
}

// Rows of 21845 pixels take 65536 bytes with padding: 65535 of them and the headers fit
// in 32 bits, one more row does not.
INSTANTIATE_TEST_SUITE_P(
    Limits, EncoderSizeLimits,
    ::testing::Values(SizeCase{PictureKind::kJpeg, 65501, 1, SaveFailure::kTooLarge, "65500"},
                      SizeCase{PictureKind::kJpeg, 1, 65501, SaveFailure::kTooLarge, "65500"},
                      SizeCase{PictureKind::kJpeg, 65500, 1, std::nullopt, ""},
                      SizeCase{PictureKind::kBmp, 21845, 65536, SaveFailure::kTooLarge, "4 GiB"},
                      SizeCase{PictureKind::kBmp, 21845, 65535, std::nullopt, ""},
                      SizeCase{PictureKind::kPng, 0, 5, SaveFailure::kEmptyPicture, "empty"}));

class EncoderFileFailure : public ::testing::TestWithParam<PictureKind> {};

// (A path below a plain file: the export dialog test.)
TEST_P(EncoderFileFailure, MissingFolderIsFileNotFound) {
    TempFolder folder;
    auto encoder = MakePictureEncoder(GetParam(), folder.File("missing/x.png"), 85);
    const SaveResult status = encoder->Begin(4, 4);
    EXPECT_EQ(status.failure, SaveFailure::kPathNotFound);
    EXPECT_EQ(status.MessageText(), "File Not Found. GDI+ Error:10");
    EXPECT_NE(status.reason.find("missing/x.png"), std::string::npos) << status.reason;
    EXPECT_TRUE(folder.Entries().empty());
}

TEST_P(EncoderFileFailure, AbandonedOrMisusedEncoderLeavesTheOldFile) {
    TempFolder folder;
    const std::string path = folder.File("old");
    testing::WriteWholeFile(path, "old content");
    const std::vector<std::uint32_t> pixels = MakePicture(Pattern::kMixed, 4, 4);
    {
        auto abandoned = MakePictureEncoder(GetParam(), path, 85);
        ASSERT_TRUE(abandoned->Begin(4, 4).Ok());
        ASSERT_TRUE(abandoned->WriteRows(std::span(pixels).first(8)).Ok());
    }
    auto early = MakePictureEncoder(GetParam(), path, 85);
    ASSERT_TRUE(early->Begin(4, 4).Ok());
    EXPECT_EQ(early->Finish().failure, SaveFailure::kWrongState);
    auto tooMany = MakePictureEncoder(GetParam(), path, 85);
    ASSERT_TRUE(tooMany->Begin(4, 3).Ok());
    EXPECT_EQ(tooMany->WriteRows(pixels).failure, SaveFailure::kWrongState);

    EXPECT_EQ(testing::ReadWholeFile(path), "old content");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"old"});
}

// A write that fails part way is tested on the program (failed-write.sh).

INSTANTIATE_TEST_SUITE_P(AllKinds, EncoderFileFailure,
                         ::testing::Values(PictureKind::kBmp, PictureKind::kPng,
                                           PictureKind::kJpeg),
                         [](const ::testing::TestParamInfo<PictureKind>& info) {
                             return std::string(PictureKindName(info.param));
                         });

}  // namespace
}  // namespace tonzug
