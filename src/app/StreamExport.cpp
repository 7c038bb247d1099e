#include "app/StreamExport.h"

#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace tonzug {
namespace {

// A folder of this process's own, removed with its contents.
class PrivateFolder {
  public:
    PrivateFolder() {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::string pattern = ((error ? "/tmp" : base) / "tonzug-XXXXXX").string();
        exists_ = ::mkdtemp(pattern.data()) != nullptr;
        error_ = exists_ ? 0 : errno;
        path_ = std::move(pattern);
    }
    ~PrivateFolder() { Remove(); }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool Exists() const { return exists_; }
    // errno of a failed creation.
    int Error() const { return error_; }
    const std::filesystem::path& Path() const { return path_; }

    void Remove() {
        if (exists_) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
            exists_ = false;
        }
    }

  private:
    std::filesystem::path path_;
    int error_ = 0;
    bool exists_ = false;
};

}  // namespace

EncodeStatus ExportToStream(const GradientParams& params, PictureKind kind,
                            std::int32_t jpegQuality, const ExportOptions& options,
                            std::ostream& out) {
    PrivateFolder folder;
    if (!folder.Exists()) {
        return StatusFromErrno(folder.Error(), folder.Path().parent_path().string(),
                               "cannot create a temporary folder there");
    }
    const std::string picture = (folder.Path() / "picture").string();
    if (EncodeStatus status = ExportPicture(params, picture, kind, jpegQuality, options);
        !status.Ok()) {
        return status;
    }
    std::ifstream in(picture, std::ios::binary);
    // The open file stays readable once its folder is gone.
    folder.Remove();
    if (!in) {
        return StatusFromErrno(EIO, picture, "cannot read the picture back");
    }
    out << in.rdbuf();
    out.flush();
    if (!out || in.bad()) {
        return EncodeStatus::Failure(kGdipWin32Error, "cannot write to standard output");
    }
    return EncodeStatus::Success();
}

}  // namespace tonzug
