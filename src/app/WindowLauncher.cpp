#include "app/WindowLauncher.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "app/ExportCommand.h"

namespace tonzug {
namespace {

constexpr const char* kWindowProgram = "tonzug-gui";

bool IsExecutable(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::string WindowProgramPath(const std::string& ownPath) {
    const std::filesystem::path folder = std::filesystem::path(ownPath).parent_path();
    for (const std::filesystem::path& candidate :
         {folder / kWindowProgram, folder / TONZUG_LIBEXEC_FROM_BIN / kWindowProgram}) {
        if (IsExecutable(candidate)) {
            return candidate.lexically_normal().string();
        }
    }
    return {};
}

int StartWindowProgram(char** argv) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string program = error ? std::string() : WindowProgramPath(self.string());
    if (program.empty()) {
        std::cerr << "tonzug: the window program " << kWindowProgram
                  << " is not installed beside tonzug\n";
        return kExitFailed;
    }
    ::execv(program.c_str(), argv);
    std::cerr << "tonzug: cannot start " << program << ": " << std::strerror(errno) << '\n';
    return kExitFailed;
}

}  // namespace tonzug
