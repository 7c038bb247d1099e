#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace tonzug {

// Why Open refused a target on its own account rather than the system's.
enum class TargetRefusal {
    kNone,
    kForeignLinkInSharedFolder,
    kDanglingLink,
    kNotRegularFile,
    kWriteProtected,
};

// The refusal in plain English, for logs and the command line; empty for kNone.
std::string RefusalText(TargetRefusal refusal);

// Writes a file so that readers only ever see the old content or the complete new one: the
// data goes into an unnamed temporary file beside the target (a named hidden one where the
// file system cannot do that), which gets a name only just before it replaces the target by
// rename, once everything has been written and synced. A process killed on the way leaves
// nothing behind. Until Commit the target is never touched.
//
// A symbolic link stays a link and the file it points to is replaced, except where the
// kernel itself would not follow it: a link of another user in a sticky, world-writable
// folder such as /tmp. Such a link, a link to nothing and an existing target the user may
// not write are refused with EACCES and a reason.
class AtomicFile {
  public:
    AtomicFile() = default;
    // Discards the temporary file unless committed.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target (name length, links, write permission) and creates the temporary
    // file in its folder; false on failure. A file opened before is discarded first.
    bool Open(const std::string& path);
    // Writes into `descriptor`, an open and empty file the caller keeps (such as an unnamed
    // one that is read back), instead of a named target: Commit then only flushes.
    bool OpenInto(int descriptor);
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
    // Why Open refused the target, when the refusal is this class's own and not the
    // system's; kNone otherwise.
    TargetRefusal Refusal() const { return refusal_; }

  private:
    bool Fail(int error);
    bool Refuse(TargetRefusal refusal);
    bool CheckTarget(const std::string& path);
    bool CreateTemporaryFile();
    bool NameTemporaryFile();

    std::FILE* stream_ = nullptr;
    std::string tempPath_;  // empty while the temporary file has no name
    std::string targetPath_;
    bool intoDescriptor_ = false;
    int error_ = 0;
    TargetRefusal refusal_ = TargetRefusal::kNone;
};

}  // namespace tonzug
