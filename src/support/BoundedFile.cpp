#include "support/BoundedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "support/FileDescriptor.h"

namespace tonzug {

// Opening without blocking: a FIFO would otherwise wait for a writer for ever.
std::optional<std::string> ReadBoundedFile(const std::string& path, std::size_t limit,
                                           std::string& content, bool& missing) {
    missing = false;
    const FileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.Get() < 0) {
        missing = errno == ENOENT || errno == ENOTDIR;
        return std::generic_category().message(errno);
    }
    struct stat info {};
    if (fstat(file.Get(), &info) != 0) {
        return std::generic_category().message(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return S_ISDIR(info.st_mode) ? std::generic_category().message(EISDIR)
                                     : std::string("not a regular file");
    }
    const std::string tooLarge = "larger than " + std::to_string(limit >> 20) + " MiB";
    if (static_cast<std::uint64_t>(info.st_size) > limit) {
        return tooLarge;
    }
    // One byte more than allowed tells a file that grew since fstat.
    content.resize(limit + 1);
    std::size_t filled = 0;
    while (filled < content.size()) {
        const ssize_t count = read(file.Get(), content.data() + filled, content.size() - filled);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            return std::generic_category().message(errno);
        }
        if (count == 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    if (filled > limit) {
        return tooLarge;
    }
    content.resize(filled);
    return std::nullopt;
}

}  // namespace tonzug
