#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "export/PictureEncoder.h"
#include "export/PixelRows.h"

namespace tonzug {
namespace {

// Gradients are long runs of equal bytes once filtered, which zlib's run-length
// strategy compresses about as small as level 6 and several times faster.
constexpr int kZlibLevel = 1;
constexpr int kZlibStrategy = Z_RLE;
constexpr std::size_t kIdatChunkBytes = std::size_t{1} << 18;

// One fixed filter per picture, chosen from its first rows: rows of one colour (a
// vertical gradient) become zeros with "sub", rows that repeat (a horizontal gradient)
// with "up"; anything else (rings) compresses best with "up".
int ChooseFilter(const std::uint32_t* pixels, std::int32_t width) {
    for (std::int32_t x = 1; x < width; ++x) {
        if (pixels[x] != pixels[0]) {
            return PNG_FILTER_UP;
        }
    }
    return PNG_FILTER_SUB;
}

// libpng reports errors by longjmp. Each call into it is wrapped in one of these small
// functions, whose frames hold nothing that needs a destructor, so the jump is safe.
bool GuardedWriteHeader(png_structp png, png_infop info, png_uint_32 width, png_uint_32 height) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    return true;
}

bool GuardedWriteRows(png_structp png, const std::uint32_t* pixels, std::int32_t width,
                      std::int32_t rowCount, std::uint8_t* row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    for (std::int32_t y = 0; y < rowCount; ++y) {
        PackRgbRow(pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width), width,
                   row);
        png_write_row(png, row);
    }
    return true;
}

bool GuardedWriteEnd(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_write_end(png, info);
    return true;
}

// 8-bit RGB, lossless.
class PngEncoder final : public PictureEncoder {
  public:
    explicit PngEncoder(std::string path) : PictureEncoder(std::move(path)) {}
    ~PngEncoder() override {
        if (png_ != nullptr) {
            png_destroy_write_struct(&png_, &info_);
        }
    }

  protected:
    // The format allows 2^31 - 1 pixels each way, which no 32-bit size exceeds.
    EncodeStatus CheckSize(std::int32_t, std::int32_t) const override {
        return EncodeStatus::Success();
    }

    EncodeStatus WriteHeader() override {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
        if (png_ != nullptr) {
            info_ = png_create_info_struct(png_);
        }
        if (png_ == nullptr || info_ == nullptr) {
            return EncodeStatus::Failure(kGdipOutOfMemory, "cannot start the PNG encoder");
        }
        png_set_write_fn(png_, this, OnWrite, OnFlush);
        // The library refuses more than a million pixels each way unless told otherwise.
        png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
        png_set_compression_level(png_, kZlibLevel);
        png_set_compression_strategy(png_, kZlibStrategy);
        png_set_compression_buffer_size(png_, kIdatChunkBytes);
        row_.resize(static_cast<std::size_t>(Width()) * 3);
        if (!GuardedWriteHeader(png_, info_, static_cast<png_uint_32>(Width()),
                                static_cast<png_uint_32>(Height()))) {
            return LibraryFailure();
        }
        return EncodeStatus::Success();
    }

    EncodeStatus EncodeRows(const std::uint32_t* pixels, std::int32_t rowCount) override {
        if (RowsWritten() == 0) {
            png_set_filter(png_, PNG_FILTER_TYPE_BASE, ChooseFilter(pixels, Width()));
        }
        if (!GuardedWriteRows(png_, pixels, Width(), rowCount, row_.data())) {
            return LibraryFailure();
        }
        return EncodeStatus::Success();
    }

    EncodeStatus WriteTrailer() override {
        if (!GuardedWriteEnd(png_, info_)) {
            return LibraryFailure();
        }
        return EncodeStatus::Success();
    }

  private:
    static void OnError(png_structp png, png_const_charp message) {
        auto* self = static_cast<PngEncoder*>(png_get_error_ptr(png));
        std::snprintf(self->message_, sizeof self->message_, "%s", message);
        png_longjmp(png, 1);
    }
    static void OnWarning(png_structp, png_const_charp) {}
    static void OnWrite(png_structp png, png_bytep data, png_size_t size) {
        auto* self = static_cast<PngEncoder*>(png_get_io_ptr(png));
        if (!self->File().Write(data, size)) {
            png_error(png, "write failed");
        }
    }
    static void OnFlush(png_structp) {}

    EncodeStatus LibraryFailure() const {
        if (File().Error() != 0) {
            return FileFailure();
        }
        return EncodeStatus::Failure(kGdipGenericError, std::string("PNG encoder: ") + message_);
    }

    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::vector<std::uint8_t> row_;
    char message_[256] = {};
};

}  // namespace

std::unique_ptr<PictureEncoder> MakePngEncoder(std::string path) {
    return std::make_unique<PngEncoder>(std::move(path));
}

}  // namespace tonzug
