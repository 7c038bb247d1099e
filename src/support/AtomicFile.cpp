#include "support/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <vector>

namespace tonzug {
namespace {

// Long enough to recognise the temporary file, short enough to stay within NAME_MAX.
constexpr std::size_t kMaxNameInTempFile = 200;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link stays a link: the file it points to is replaced instead.
std::string ResolveLink(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string result(resolved);
    std::free(resolved);
    return result;
}

// Reads the umask without changing it (umask() would briefly alter it for every thread).
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Fail(int error) {
    if (error_ == 0) {
        error_ = error != 0 ? error : EIO;
    }
    return false;
}

bool AtomicFile::Open(const std::string& path) {
    Discard();
    error_ = 0;
    const std::string name = NameOf(path);
    if (name.empty() || name == "." || name == "..") {
        return Fail(EISDIR);
    }
    targetPath_ = ResolveLink(path);
    std::string pattern = FolderOf(targetPath_) + "/." +
                          NameOf(targetPath_).substr(0, kMaxNameInTempFile) + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) {
        return Fail(errno);
    }
    tempPath_ = buffer.data();
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        const int error = errno;
        close(fd);
        unlink(tempPath_.c_str());
        tempPath_.clear();
        return Fail(error);
    }
    return true;
}

std::FILE* AtomicFile::Stream() {
    return stream_;
}

bool AtomicFile::Write(const void* data, std::size_t size) {
    if (stream_ == nullptr) {
        return Fail(EBADF);
    }
    if (size == 0) {
        return true;
    }
    if (std::fwrite(data, 1, size, stream_) != size) {
        return Fail(errno);
    }
    return true;
}

bool AtomicFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
    if (stream_ == nullptr) {
        return Fail(EBADF);
    }
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return Fail(EOVERFLOW);
    }
    if (fseeko(stream_, static_cast<off_t>(offset), SEEK_SET) != 0) {
        return Fail(errno);
    }
    return Write(data, size);
}

bool AtomicFile::Commit() {
    if (stream_ == nullptr) {
        return Fail(EBADF);
    }
    bool ok = error_ == 0 && std::ferror(stream_) == 0;
    if (!ok) {
        Fail(EIO);
    }
    if (ok && std::fflush(stream_) != 0) {
        ok = Fail(errno);
    }
    const int fd = fileno(stream_);
    if (ok) {
        struct stat target {};
        const mode_t mode = stat(targetPath_.c_str(), &target) == 0 ? (target.st_mode & 07777)
                                                                    : (0666 & ~CurrentUmask());
        if (fchmod(fd, mode) != 0) {
            ok = Fail(errno);
        }
    }
    if (ok && fsync(fd) != 0) {
        ok = Fail(errno);
    }
    // Close in every case; a failing close can still mean lost data.
    if (std::fclose(stream_) != 0 && ok) {
        ok = Fail(errno);
    }
    stream_ = nullptr;
    if (ok && std::rename(tempPath_.c_str(), targetPath_.c_str()) != 0) {
        ok = Fail(errno);
    }
    if (!ok) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
        return false;
    }
    tempPath_.clear();
    SyncFolder(FolderOf(targetPath_));
    return true;
}

void AtomicFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

}  // namespace tonzug
