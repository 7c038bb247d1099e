// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <string>

#include "export/PictureEncoder.h"

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo is needed: the encoder reads 32-bit pixels through its extended colour spaces"
#endif

namespace tonzug {
namespace {

// The largest width and height the format's library accepts (JPEG_MAX_DIMENSION).
constexpr std::int32_t kJpegMaxDimension = 65500;
constexpr std::size_t kOutputBufferBytes = std::size_t{1} << 16;

// A 0xFFRRGGBB word lies in memory as B, G, R, X on little-endian machines.
constexpr J_COLOR_SPACE kPixelColorSpace =
    std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct JpegDestination {
    jpeg_destination_mgr manager;
    AtomicFile* file;
    JOCTET buffer[kOutputBufferBytes];
};

// libjpeg reports errors by longjmp. Each call into it is wrapped in one of these small
// functions, whose frames hold nothing that needs a destructor, so the jump is safe.
bool GuardedCreate(j_compress_ptr info, JpegErrors* errors) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    jpeg_create_compress(info);
    return true;
}

bool GuardedStart(j_compress_ptr info, JpegErrors* errors, JDIMENSION width, JDIMENSION height,
                  int quality) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    info->image_width = width;
    info->image_height = height;
    info->input_components = 4;
    info->in_color_space = kPixelColorSpace;
    jpeg_set_defaults(info);
    jpeg_set_quality(info, quality, TRUE);
    jpeg_start_compress(info, TRUE);
    return true;
}

bool GuardedWriteRows(j_compress_ptr info, JpegErrors* errors, const std::uint32_t* pixels,
                      std::int32_t width, std::int32_t rowCount) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    for (std::int32_t y = 0; y < rowCount; ++y) {
        // The library only reads the rows; its interface just lacks the const.
        JSAMPROW row = const_cast<JSAMPROW>(reinterpret_cast<const JSAMPLE*>(
            pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width)));
        jpeg_write_scanlines(info, &row, 1);
    }
    return true;
}

bool GuardedFinish(j_compress_ptr info, JpegErrors* errors) {
    if (setjmp(errors->jump) != 0) {
        return false;
    }
    jpeg_finish_compress(info);
    return true;
}

void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

void OnMessage(j_common_ptr) {}

void OnInitDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<JpegDestination*>(info->dest);
    destination->manager.next_output_byte = destination->buffer;
    destination->manager.free_in_buffer = kOutputBufferBytes;
}

boolean OnBufferFull(j_compress_ptr info) {
    auto* destination = reinterpret_cast<JpegDestination*>(info->dest);
    if (!destination->file->Write(destination->buffer, kOutputBufferBytes)) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
    OnInitDestination(info);
    return TRUE;
}

void OnTermDestination(j_compress_ptr info) {
    auto* destination = reinterpret_cast<JpegDestination*>(info->dest);
    const std::size_t used = kOutputBufferBytes - destination->manager.free_in_buffer;
    if (!destination->file->Write(destination->buffer, used)) {
        ERREXIT(info, JERR_FILE_WRITE);
    }
}

class JpegEncoder final : public PictureEncoder {
  public:
    JpegEncoder(std::string path, std::int32_t quality)
        : PictureEncoder(std::move(path)), quality_(std::clamp(quality, 0, 100)) {}
    // Safe also after a failed or missing create: the library frees only what it made.
    ~JpegEncoder() override { jpeg_destroy_compress(&info_); }

  protected:
    SaveResult CheckSize(std::int32_t width, std::int32_t height) const override {
        if (width <= kJpegMaxDimension && height <= kJpegMaxDimension) {
            return SaveResult::Success();
        }
        return SaveResult::Failure(
            SaveFailure::kTooLarge,
            "JPEG pictures can be at most " + std::to_string(kJpegMaxDimension) +
                " pixels wide and high (" + std::to_string(width) + " x " + std::to_string(height) +
                " requested)",
            {TONZUG_TRANSLATABLE("tonzug::SaveResult",
                                 "JPEG-Bilder dürfen höchstens %1 Pixel breit "
                                 "und hoch sein (%2 × %3 verlangt)"),
             {std::to_string(kJpegMaxDimension), std::to_string(width), std::to_string(height)}});
    }

    SaveResult WriteHeader() override {
        info_.err = jpeg_std_error(&errors_->manager);
        errors_->manager.error_exit = OnError;
        errors_->manager.output_message = OnMessage;
        if (!GuardedCreate(&info_, errors_.get())) {
            return LibraryFailure();
        }
        destination_->file = &File();
        destination_->manager.init_destination = OnInitDestination;
        destination_->manager.empty_output_buffer = OnBufferFull;
        destination_->manager.term_destination = OnTermDestination;
        info_.dest = &destination_->manager;
        if (!GuardedStart(&info_, errors_.get(), static_cast<JDIMENSION>(Width()),
                          static_cast<JDIMENSION>(Height()), quality_)) {
            return LibraryFailure();
        }
        return SaveResult::Success();
    }

    SaveResult EncodeRows(const std::uint32_t* pixels, std::int32_t rowCount) override {
        if (!GuardedWriteRows(&info_, errors_.get(), pixels, Width(), rowCount)) {
            return LibraryFailure();
        }
        return SaveResult::Success();
    }

    SaveResult WriteTrailer() override {
        if (!GuardedFinish(&info_, errors_.get())) {
            return LibraryFailure();
        }
        return SaveResult::Success();
    }

  private:
    SaveResult LibraryFailure() const {
        if (File().Error() != 0) {
            return FileFailure();
        }
        return SaveResult::Failure(SaveFailure::kGeneric,
                                   std::string("JPEG encoder: ") + errors_->message);
    }

    std::int32_t quality_;
    jpeg_compress_struct info_{};
    std::unique_ptr<JpegErrors> errors_ = std::make_unique<JpegErrors>();
    std::unique_ptr<JpegDestination> destination_ = std::make_unique<JpegDestination>();
};

}  // namespace

std::unique_ptr<PictureEncoder> MakeJpegEncoder(std::string path, std::int32_t quality) {
    return std::make_unique<JpegEncoder>(std::move(path), quality);
}

}  // namespace tonzug
