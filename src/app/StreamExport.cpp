#include "app/StreamExport.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

#include "support/FileDescriptor.h"

namespace tonzug {
namespace {

// Large enough for few system calls, small enough that an interrupt is seen soon.
constexpr std::size_t kCopyChunkBytes = std::size_t{64} << 10;

std::string TemporaryFolder() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    return error ? std::string("/tmp") : base.string();
}

// A folder of this process's own, removed with its contents.
class PrivateFolder {
  public:
    explicit PrivateFolder(const std::string& base) {
        std::string pattern = base + "/tonzug-XXXXXX";
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

SaveResult CopyFromStart(int picture, const std::string& name, const OutputWriter& write) {
    if (lseek(picture, 0, SEEK_SET) != 0) {
        return FailureFromErrno(errno, name, "cannot read the picture back");
    }
    std::array<char, kCopyChunkBytes> chunk{};
    for (;;) {
        const ssize_t got = read(picture, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return FailureFromErrno(errno, name, "cannot read the picture back");
        }
        if (got == 0) {
            return SaveResult::Success();
        }
        if (const int error = write({chunk.data(), static_cast<std::size_t>(got)}); error != 0) {
            return StandardOutputFailure(error);
        }
    }
}

// Where the file system has no unnamed files: a named one in a private folder.
SaveResult ExportThroughFolder(const PictureSaver& save, const ExportOptions& options,
                               const std::string& base, const OutputWriter& write) {
    PrivateFolder folder(base);
    if (!folder.Exists()) {
        return FailureFromErrno(folder.Error(), base, "cannot create a temporary folder there");
    }
    const std::string picture = (folder.Path() / "picture").string();
    if (SaveResult status = save(picture, options); !status.Ok()) {
        return status;
    }
    const FileDescriptor in(open(picture.c_str(), O_RDONLY | O_CLOEXEC));
    // The open file stays readable once its folder is gone.
    folder.Remove();
    if (in.Get() < 0) {
        return FailureFromErrno(errno, picture, "cannot read the picture back");
    }
    return CopyFromStart(in.Get(), picture, write);
}

}  // namespace

SaveResult StandardOutputFailure(int error) {
    return SaveResult::Failure(
        SaveFailure::kSystemError,
        "cannot write to standard output: " + std::generic_category().message(error));
}

SaveResult ExportToStream(const PictureSaver& save, const ExportOptions& options,
                          const OutputWriter& write) {
    const std::string base = TemporaryFolder();
    const FileDescriptor unnamed(open(base.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
    if (unnamed.Get() < 0) {
        return ExportThroughFolder(save, options, base, write);
    }
    ExportOptions into = options;
    into.intoDescriptor = unnamed.Get();
    if (SaveResult status = save(base, into); !status.Ok()) {
        return status;
    }
    return CopyFromStart(unnamed.Get(), base, write);
}

}  // namespace tonzug
