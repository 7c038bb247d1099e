#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tonzug {

// Writes a file so that readers only ever see the old content or the complete new one: the
// data goes into a temporary file beside the target, which replaces the target by rename
// once everything has been written and synced. Until Commit the target is never touched.
class AtomicFile {
  public:
    AtomicFile() = default;
    // Discards the temporary file unless committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file in the target's folder; false on failure. A file opened
    // before is discarded first.
    bool Open(const std::string& path);
    // The stdio stream on the temporary file; nullptr when not open.
    std::FILE* Stream();
    bool Write(const void* data, std::size_t size);
    // Seeks to offset and writes there (for formats written out of order).
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
    // Flushes, syncs and renames over the target, keeping the permissions an existing target
    // had (else 0666 minus the umask). False on any failure, after which the temporary file
    // is gone and the target unchanged. Also false when an earlier write failed.
    bool Commit();
    // Removes the temporary file; the target stays as it was.
    void Discard();
    // errno of the first failure, 0 if none.
    int Error() const { return error_; }

  private:
    bool Fail(int error);

    std::FILE* stream_ = nullptr;
    std::string tempPath_;
    std::string targetPath_;
    int error_ = 0;
};

}  // namespace tonzug
