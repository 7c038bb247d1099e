#include "support/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <random>
#include <vector>

namespace tonzug {
namespace {

// The permission bits a replaced file keeps (and the sticky bit).
constexpr mode_t kKeptModeBits = 01777;
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

// The letters after the target's name in the temporary name.
constexpr std::size_t kTempSuffixLength = 6;
// "/." before the target's name and "." before the suffix.
constexpr std::size_t kTempNameExtra = 3 + kTempSuffixLength;

// The hidden name the temporary file gets beside the target just before the rename. The
// target's name is shortened so that the whole path still fits where the target's does.
std::string TemporaryName(const std::string& target, std::uint64_t random) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (std::size_t i = 0; i < kTempSuffixLength; ++i, random /= 36) {
        suffix += kLetters[random % 36];
    }
    const std::string folder = FolderOf(target);
    const std::size_t room =
        PATH_MAX - 1 - std::min<std::size_t>(PATH_MAX - 1, folder.size() + kTempNameExtra);
    return folder + "/." + NameOf(target).substr(0, std::min(kMaxNameInTempFile, room)) + "." +
           suffix;
}

std::string DescriptorPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
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

std::string RefusalText(TargetRefusal refusal) {
    switch (refusal) {
        case TargetRefusal::kNone:
            break;
        case TargetRefusal::kForeignLinkInSharedFolder:
            return "a symbolic link of another user in a shared folder is not followed";
        case TargetRefusal::kDanglingLink:
            return "the symbolic link points to nothing";
        case TargetRefusal::kNotRegularFile:
            return "not a regular file";
        case TargetRefusal::kWriteProtected:
            return "the file is write-protected";
    }
    return {};
}

AtomicFile::~AtomicFile() {
    Discard();
}

bool AtomicFile::Fail(int error) {
    if (error_ == 0) {
        error_ = error != 0 ? error : EIO;
    }
    return false;
}

bool AtomicFile::Refuse(TargetRefusal refusal) {
    refusal_ = refusal;
    return Fail(EACCES);
}

bool AtomicFile::CheckTarget(const std::string& path) {
    const std::string name = NameOf(path);
    if (name.empty() || name == "." || name == "..") {
        return Fail(EISDIR);
    }
    // Checked before any work, so that a long export does not fail only at the rename.
    if (name.size() > NAME_MAX || path.size() >= PATH_MAX) {
        return Fail(ENAMETOOLONG);
    }
    targetPath_ = path;
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0) {
        return true;  // a new file, or a path the creation below reports on
    }
    if (S_ISLNK(link.st_mode)) {
        struct stat folder {};
        const bool shared = stat(FolderOf(path).c_str(), &folder) == 0 &&
                            (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
        if (shared && link.st_uid != geteuid() && link.st_uid != folder.st_uid) {
            return Refuse(TargetRefusal::kForeignLinkInSharedFolder);
        }
        char* resolved = realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            if (errno == ENOENT) {
                return Refuse(TargetRefusal::kDanglingLink);
            }
            return Fail(errno);
        }
        targetPath_ = resolved;
        std::free(resolved);
    }
    // Checked before any work: a temporary name that does not fit would fail at the end.
    if (TemporaryName(targetPath_, 0).size() >= PATH_MAX) {
        return Fail(ENAMETOOLONG);
    }
    struct stat target {};
    if (stat(targetPath_.c_str(), &target) == 0 && !S_ISREG(target.st_mode)) {
        // A rename would put a file in place of a device, a pipe or a folder.
        if (S_ISDIR(target.st_mode)) {
            return Fail(EISDIR);
        }
        return Refuse(TargetRefusal::kNotRegularFile);
    }
    if (faccessat(AT_FDCWD, targetPath_.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES) {
        return Refuse(TargetRefusal::kWriteProtected);
    }
    return true;
}

bool AtomicFile::CreateTemporaryFile() {
    const std::string folder = FolderOf(targetPath_);
    int fd = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    // The name is given later through /proc; without it, or without O_TMPFILE in this file
    // system, a named temporary file is the way.
    if (fd >= 0 && access(DescriptorPath(fd).c_str(), F_OK) != 0) {
        close(fd);
        fd = -1;
    }
    if (fd < 0) {
        std::string pattern = TemporaryName(targetPath_, 0);
        pattern.replace(pattern.size() - 6, 6, "XXXXXX");
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        fd = mkostemp(buffer.data(), O_CLOEXEC);
        if (fd < 0) {
            return Fail(errno);
        }
        tempPath_ = buffer.data();
    }
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        const int error = errno;
        close(fd);
        Discard();
        return Fail(error);
    }
    return true;
}

bool AtomicFile::Open(const std::string& path) {
    Discard();
    error_ = 0;
    refusal_ = TargetRefusal::kNone;
    return CheckTarget(path) && CreateTemporaryFile();
}

bool AtomicFile::OpenInto(int descriptor) {
    Discard();
    error_ = 0;
    refusal_ = TargetRefusal::kNone;
    const int own = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
    stream_ = own >= 0 ? fdopen(own, "wb") : nullptr;
    if (stream_ == nullptr) {
        const int error = errno;
        if (own >= 0) {
            close(own);
        }
        return Fail(error);
    }
    intoDescriptor_ = true;
    return true;
}

bool AtomicFile::NameTemporaryFile() {
    if (!tempPath_.empty()) {
        return true;
    }
    std::random_device source;
    const std::string from = DescriptorPath(fileno(stream_));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            TemporaryName(targetPath_, (std::uint64_t{source()} << 32) | source());
        if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tempPath_ = name;
            return true;
        }
        if (errno != EEXIST) {
            return Fail(errno);
        }
    }
    return Fail(EEXIST);
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
    if (intoDescriptor_) {
        const bool closed = std::fclose(stream_) == 0;
        stream_ = nullptr;
        intoDescriptor_ = false;
        return (ok && !closed) ? Fail(errno) : ok;
    }
    const int fd = fileno(stream_);
    if (ok) {
        struct stat target {};
        // Set-user-ID and set-group-ID bits are not handed on to new content.
        const mode_t mode = stat(targetPath_.c_str(), &target) == 0
                                ? (target.st_mode & kKeptModeBits)
                                : (0666 & ~CurrentUmask());
        if (fchmod(fd, mode) != 0) {
            ok = Fail(errno);
        }
    }
    if (ok && fsync(fd) != 0) {
        ok = Fail(errno);
    }
    if (ok) {
        ok = NameTemporaryFile();
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
    intoDescriptor_ = false;
    if (!tempPath_.empty()) {
        unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

}  // namespace tonzug
