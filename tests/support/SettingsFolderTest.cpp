#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/SettingsFolder.h"
#include "testing/ScopedEnvironment.h"
#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using testing::ScopedEnvironment;
using testing::TempFolder;
using testing::WriteWholeFile;

TEST(SettingsFolder, CreatesSubfolderOfConfigFolder) {
    TempFolder folder;
    ScopedEnvironment config("XDG_CONFIG_HOME", folder.Path().c_str());
    EXPECT_EQ(GetSettingsFolder("Tonzug"), folder.Path() + "/Tonzug/");
    EXPECT_TRUE(DirectoryFound(folder.File("Tonzug")));
    EXPECT_EQ(GetSettingsFolder(""), folder.Path() + "/");
    EXPECT_EQ(SettingsFilePath(), folder.Path() + "/Tonzug/Tonzug.ini");
}

TEST(SettingsFolder, FallsBackToHomeConfigAndCreatesIt) {
    TempFolder folder;
    ScopedEnvironment config("XDG_CONFIG_HOME", "relative/path");  // ignored: not absolute
    ScopedEnvironment home("HOME", folder.Path().c_str());
    EXPECT_EQ(GetSettingsFolder("Tonzug"), folder.Path() + "/.config/Tonzug/");
    struct stat info {};
    ASSERT_EQ(stat(folder.File(".config").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(SettingsFolder, UnusableFolderGivesSystemFolder) {
    TempFolder folder;
    WriteWholeFile(folder.File("Tonzug"), "a file, not a folder");
    ScopedEnvironment config("XDG_CONFIG_HOME", folder.Path().c_str());
    EXPECT_EQ(GetSettingsFolder("Tonzug"), "/etc/xdg/");
}

// File dialogs must never start where listing the folder reads the kernel's special files.
TEST(SettingsFolder, DialogFoldersAreRealFolders) {
    TempFolder folder;
    WriteWholeFile(folder.File("datei"), "a file, not a folder");
    ASSERT_EQ(symlink("/proc/self", folder.File("prozess").c_str()), 0);
    EXPECT_TRUE(IsDialogFolder(folder.Path()));
    EXPECT_TRUE(IsDialogFolder(folder.Path() + "/"));
    for (const std::string& refused :
         {folder.File("datei"), folder.File("fehlt"), folder.File("prozess"), std::string("/proc"),
          std::string("/proc/self/"), std::string("/sys/kernel"), std::string("/dev"),
          std::string("/dev/shm"), std::string("")}) {
        EXPECT_FALSE(IsDialogFolder(refused)) << refused;
    }
}

}  // namespace
}  // namespace tonzug
