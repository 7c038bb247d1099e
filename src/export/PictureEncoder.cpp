#include "export/PictureEncoder.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace tonzug {
namespace {

// Large enough that the many small writes of the compressors become few system calls.
constexpr std::size_t kStreamBufferBytes = std::size_t{1} << 20;

SaveResult WrongUse(const char* what) {
    return SaveResult::Failure(SaveFailure::kWrongState, std::string("picture encoder: ") + what);
}

}  // namespace

SaveResult PictureEncoder::Fail(SaveResult status) {
    stage_ = Stage::kFailed;
    failure_ = status;
    file_.Discard();
    return status;
}

SaveResult PictureEncoder::FileFailure() const {
    return FileWriteFailure(file_, path_);
}

SaveResult PictureEncoder::Begin(std::int32_t width, std::int32_t height) {
    if (stage_ == Stage::kFailed) {
        return failure_;
    }
    if (stage_ != Stage::kNew) {
        return Fail(WrongUse("begun twice"));
    }
    if (width < 1 || height < 1) {
        return Fail(SaveResult::Failure(SaveFailure::kEmptyPicture,
                                        "empty picture (width or height below 1)"));
    }
    if (SaveResult limits = CheckSize(width, height); !limits.Ok()) {
        return Fail(limits);
    }
    if (!(descriptor_ >= 0 ? file_.OpenInto(descriptor_) : file_.Open(path_))) {
        return Fail(FileFailure());
    }
    // Only allowed before the first write; a refusal just keeps the default buffer.
    std::setvbuf(file_.Stream(), nullptr, _IOFBF, kStreamBufferBytes);
    width_ = width;
    height_ = height;
    stage_ = Stage::kOpen;
    if (SaveResult header = WriteHeader(); !header.Ok()) {
        return Fail(header);
    }
    return SaveResult::Success();
}

SaveResult PictureEncoder::WriteRows(std::span<const std::uint32_t> pixels) {
    const std::size_t rowLength = std::max<std::size_t>(1, static_cast<std::size_t>(width_));
    // A partial row never fits.
    const std::size_t rowCount =
        pixels.size() % rowLength == 0 ? pixels.size() / rowLength : SIZE_MAX;
    return AppendRows(
        rowCount, [&] { return EncodeRows(pixels.data(), static_cast<std::int32_t>(rowCount)); });
}

SaveResult PictureEncoder::AppendRows(std::size_t rowCount,
                                      const std::function<SaveResult()>& encode) {
    if (stage_ == Stage::kFailed) {
        return failure_;
    }
    if (stage_ != Stage::kOpen) {
        return Fail(WrongUse("rows written outside Begin and Finish"));
    }
    if (rowCount > static_cast<std::size_t>(height_ - rowsWritten_)) {
        return Fail(WrongUse("rows do not fit the picture"));
    }
    if (rowCount == 0) {
        return SaveResult::Success();
    }
    if (SaveResult encoded = encode(); !encoded.Ok()) {
        return Fail(encoded);
    }
    rowsWritten_ += static_cast<std::int32_t>(rowCount);
    return SaveResult::Success();
}

SaveResult PictureEncoder::Finish() {
    if (stage_ == Stage::kFailed) {
        return failure_;
    }
    if (stage_ != Stage::kOpen || rowsWritten_ != height_) {
        return Fail(WrongUse("finished before every row was written"));
    }
    if (SaveResult trailer = WriteTrailer(); !trailer.Ok()) {
        return Fail(trailer);
    }
    if (!file_.Commit()) {
        return Fail(FileFailure());
    }
    stage_ = Stage::kDone;
    return SaveResult::Success();
}

std::unique_ptr<PictureEncoder> MakePictureEncoder(PictureKind kind, std::string path,
                                                   std::int32_t jpegQuality) {
    switch (kind) {
        case PictureKind::kBmp:
            return MakeBmpEncoder(std::move(path));
        case PictureKind::kPng:
            return MakePngEncoder(std::move(path));
        case PictureKind::kJpeg:
            return MakeJpegEncoder(std::move(path), jpegQuality);
        case PictureKind::kSvg:
            break;  // not made of pixels: ExportPicture writes it
    }
    return nullptr;
}

}  // namespace tonzug
