#include "support/SettingsFolder.h"

#include <linux/magic.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "support/TextHelpers.h"

namespace tonzug {
namespace {

constexpr const char* kProgramName = "Tonzug";
// Owner-only, as a user's configuration folder should be when we have to create it.
constexpr mode_t kPrivateFolderMode = 0700;

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

// The folders the kernel fills with its own special files; /dev is a tmpfs, so its type
// alone does not tell it from /tmp.
bool UnderKernelFolder(std::string_view canonical) {
    for (const std::string_view root : {"/proc", "/sys", "/dev"}) {
        if (canonical.starts_with(root) &&
            (canonical.size() == root.size() || canonical[root.size()] == '/')) {
            return true;
        }
    }
    return false;
}

bool OnPseudoFileSystem(const std::string& folder) {
    struct statfs info {};
    if (statfs(folder.c_str(), &info) != 0) {
        return true;
    }
    constexpr std::array<unsigned long, 11> kPseudoTypes = {
        PROC_SUPER_MAGIC, SYSFS_MAGIC,        DEVPTS_SUPER_MAGIC,  DEBUGFS_MAGIC,
        SECURITYFS_MAGIC, CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC, TRACEFS_MAGIC,
        BPF_FS_MAGIC,     PSTOREFS_MAGIC,     EFIVARFS_MAGIC};
    const auto type = static_cast<unsigned long>(info.f_type);
    return std::find(kPseudoTypes.begin(), kPseudoTypes.end(), type) != kPseudoTypes.end();
}

}  // namespace

std::string AddTrailingSeparator(const std::string& path) {
    std::string result = TrimBlanks(path);
    if (!result.empty() && result.back() != '/') {
        result.push_back('/');
    }
    return result;
}

std::string StripTrailingSeparator(const std::string& path) {
    if (path.size() > 1 && path.back() == '/') {
        return path.substr(0, path.size() - 1);
    }
    return path;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && path != "." && stat(path.c_str(), &info) == 0;
}

bool DirectoryFound(const std::string& path) {
    const std::string folder = StripTrailingSeparator(path);
    struct stat info {};
    return !folder.empty() && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool FolderExists(const std::string& path) {
    return !path.empty() && DirectoryFound(path);
}

bool IsDialogFolder(const std::string& path) {
    if (!FolderExists(path)) {
        return false;
    }
    const std::unique_ptr<char, decltype(&std::free)> canonical(realpath(path.c_str(), nullptr),
                                                                &std::free);
    return canonical != nullptr && !UnderKernelFolder(canonical.get()) &&
           !OnPseudoFileSystem(canonical.get());
}

bool CreateFolderPath(const std::string& path) {
    const std::string folder = AddTrailingSeparator(path);
    if (!FolderExists(folder)) {
        // Every level in turn; the root is skipped and levels that exist already fail
        // harmlessly.
        for (std::size_t position = 1; position < folder.size(); ++position) {
            if (folder[position] == '/') {
                mkdir(folder.substr(0, position).c_str(), 0777);
            }
        }
    }
    return DirectoryFound(folder);
}

std::string UserConfigFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && configHome[0] == '/') {
        return AddTrailingSeparator(configHome);
    }
    const std::string home = HomeFolder();
    if (home.empty() || home.front() != '/') {
        return {};
    }
    return AddTrailingSeparator(home) + ".config/";
}

std::string SystemConfigFolder() {
    return "/etc/xdg/";
}

std::string GetSettingsFolder(const std::string& name) {
    std::string base = UserConfigFolder();
    // Unlike the application-data folder of other systems, the configuration folder may be
    // missing on a fresh account: create it, private to the user.
    if (!base.empty() && !FolderExists(base)) {
        const std::string folder = StripTrailingSeparator(base);
        const std::size_t parentEnd = folder.rfind('/');
        if (parentEnd != std::string::npos && parentEnd > 0) {
            CreateFolderPath(folder.substr(0, parentEnd));
        }
        mkdir(folder.c_str(), kPrivateFolderMode);
    }
    if (!name.empty() && FolderExists(base)) {
        base = AddTrailingSeparator(base) + name;
        if (!FolderExists(base)) {
            CreateFolderPath(base);
        }
    }
    if (!FolderExists(base)) {
        base = SystemConfigFolder();
    }
    return AddTrailingSeparator(base);
}

std::string SettingsFilePath() {
    return GetSettingsFolder(kProgramName) + kProgramName + ".ini";
}

}  // namespace tonzug
