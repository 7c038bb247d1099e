#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "export/PictureKind.h"
#include "export/SaveResult.h"
#include "support/AtomicFile.h"

namespace tonzug {

// Writes one picture file row by row, so that memory does not grow with the height:
// Begin, then WriteRows until every row is written, then Finish. The data goes into a
// temporary file beside the target, which takes the target's name only when Finish
// succeeds; a failed or abandoned encoder leaves neither a file nor a temporary behind.
// The first failure sticks: every later call returns it.
class PictureEncoder {
  public:
    explicit PictureEncoder(std::string path) : path_(std::move(path)) {}
    virtual ~PictureEncoder() = default;
    PictureEncoder(const PictureEncoder&) = delete;
    PictureEncoder& operator=(const PictureEncoder&) = delete;

    // Before Begin: the picture goes into `descriptor`, an open and empty file, instead of
    // the named one (see AtomicFile::OpenInto); the path then only names it in messages.
    void WriteInto(int descriptor) { descriptor_ = descriptor; }
    // Checks the format's size limits, creates the temporary file, writes the header.
    SaveResult Begin(std::int32_t width, std::int32_t height);
    // Appends whole rows, top row first: `pixels` holds rows of width 0xFFRRGGBB words.
    SaveResult WriteRows(std::span<const std::uint32_t> pixels);
    // Completes the picture and moves it under the target name.
    SaveResult Finish();

    const std::string& Path() const { return path_; }

  protected:
    // The size limits of the format; success when width x height can be written.
    virtual SaveResult CheckSize(std::int32_t width, std::int32_t height) const = 0;
    virtual SaveResult WriteHeader() = 0;
    virtual SaveResult EncodeRows(const std::uint32_t* pixels, std::int32_t rowCount) = 0;
    virtual SaveResult WriteTrailer() = 0;

    AtomicFile& File() { return file_; }
    const AtomicFile& File() const { return file_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t RowsWritten() const { return rowsWritten_; }
    // The failure of the file's first failed write, in terms of the target's path.
    SaveResult FileFailure() const;
    // Counts `rowCount` rows as written once `encode` has written them, with the checks
    // and the sticky failure of WriteRows; for rows that come in other forms than pixels.
    SaveResult AppendRows(std::size_t rowCount, const std::function<SaveResult()>& encode);

  private:
    enum class Stage { kNew, kOpen, kDone, kFailed };
    SaveResult Fail(SaveResult status);

    std::string path_;
    int descriptor_ = -1;
    AtomicFile file_;
    Stage stage_ = Stage::kNew;
    SaveResult failure_;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t rowsWritten_ = 0;
};

std::unique_ptr<PictureEncoder> MakePngEncoder(std::string path);
// Quality on the 0..100 scale; values outside are clamped.
std::unique_ptr<PictureEncoder> MakeJpegEncoder(std::string path, std::int32_t quality);
std::unique_ptr<PictureEncoder> MakeBmpEncoder(std::string path);
// Null for kSvg, which is no picture of pixels.
std::unique_ptr<PictureEncoder> MakePictureEncoder(PictureKind kind, std::string path,
                                                   std::int32_t jpegQuality);

}  // namespace tonzug
