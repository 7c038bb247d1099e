#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>

#include "support/AtomicFile.h"
#include "testing/TempFolder.h"

namespace tonzug {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

TEST(AtomicFile, CommitReplacesTargetAndLeavesNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("a.bin");
    WriteWholeFile(path, "old content that is longer");
    AtomicFile file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_TRUE(file.Write("new", 3));
    EXPECT_EQ(ReadWholeFile(path), "old content that is longer");  // untouched until commit
    // The data has no name until the commit, so a killed process leaves nothing behind.
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.bin"});
    EXPECT_TRUE(file.WriteAt(4, "EF", 2));  // rows may come in any order
    EXPECT_TRUE(file.WriteAt(1, "BCD", 3));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(ReadWholeFile(path), "nBCDEF");
    {
        AtomicFile abandoned;
        ASSERT_TRUE(abandoned.Open(path));
        abandoned.Write("half", 4);
    }
    EXPECT_EQ(ReadWholeFile(path), "nBCDEF");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.bin"});
}

TEST(AtomicFile, FailingRenameKeepsOldTargetAndRemovesTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.File("occupied");
    AtomicFile file;
    ASSERT_TRUE(file.Open(path));
    file.Write("x", 1);
    // Taken by a folder after the checks of Open: a file cannot replace it.
    std::filesystem::create_directories(path + "/inside");
    EXPECT_FALSE(file.Commit());
    EXPECT_NE(file.Error(), 0);
    EXPECT_TRUE(std::filesystem::is_directory(path + "/inside"));
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"occupied"});
}

TEST(AtomicFile, KeepsPermissionsOfExistingTargetAndFollowsLinks) {
    TempFolder folder;
    const std::string real = folder.File("real.ini");
    const std::string link = folder.File("link.ini");
    WriteWholeFile(real, "old");
    ASSERT_EQ(chmod(real.c_str(), 0640), 0);
    ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
    AtomicFile file;
    ASSERT_TRUE(file.Open(link));
    file.Write("new", 3);
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "new");
    struct stat info {};
    ASSERT_EQ(stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const std::string fresh = folder.File("fresh");  // a new file gets the default mode
    const mode_t mask = umask(022);
    AtomicFile created;
    ASSERT_TRUE(created.Open(fresh));
    ASSERT_TRUE(created.Commit());
    umask(mask);
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

// Runs the check as an ordinary user: the super-user may write any file.
bool AsOrdinaryUser(const std::function<bool()>& check) {
    if (geteuid() != 0) {
        return check();
    }
    const pid_t child = fork();
    if (child == 0) {
        const bool ok = setgid(65534) == 0 && setuid(65534) == 0 && check();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

TEST(AtomicFile, RefusesTargetsItMustNotReplace) {
    TempFolder folder;
    ASSERT_EQ(chmod(folder.Path().c_str(), 01777), 0);  // sticky and world-writable, as /tmp
    const std::string protectedFile = folder.File("protected.ini");
    WriteWholeFile(protectedFile, "old");
    ASSERT_EQ(chmod(protectedFile.c_str(), 0444), 0);
    const std::string dangling = folder.File("dangling.ini");
    ASSERT_EQ(symlink(folder.File("nothing").c_str(), dangling.c_str()), 0);
    const std::string foreignLink = folder.File("foreign.ini");
    ASSERT_EQ(symlink(protectedFile.c_str(), foreignLink.c_str()), 0);
    const bool foreignOwned = lchown(foreignLink.c_str(), 65534, 65534) == 0;
    struct Case {
        std::string path;
        int error;
        bool ordinaryUser;
    };
    // A rename would put a file in place of a pipe or a folder.
    const std::string pipe = folder.File("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string pipeLink = folder.File("pipe-link");
    ASSERT_EQ(symlink(pipe.c_str(), pipeLink.c_str()), 0);
    std::filesystem::create_directory(folder.File("sub"));
    std::vector<Case> cases = {{folder.File(std::string(256, 'n')), ENAMETOOLONG, false},
                               {dangling, EACCES, false},
                               {protectedFile, EACCES, true},
                               {pipe, EACCES, false},
                               {pipeLink, EACCES, false},
                               {folder.File("sub"), EISDIR, false}};
    if (foreignOwned) {  // only the super-user can give a link away
        cases.push_back({foreignLink, EACCES, false});
    }
    for (const Case& c : cases) {
        const auto refused = [&c] {
            AtomicFile file;
            return !file.Open(c.path) && file.Error() == c.error &&
                   (c.error != EACCES || file.Refusal() != TargetRefusal::kNone);
        };
        EXPECT_TRUE(c.ordinaryUser ? AsOrdinaryUser(refused) : refused()) << c.path;
    }
    EXPECT_EQ(ReadWholeFile(protectedFile), "old");
    EXPECT_EQ(folder.Entries().size(), 6u);
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
}

// In a shared folder of another owner (/tmp is root's), a user's own link is followed.
TEST(AtomicFile, FollowsTheUsersOwnLinkInASharedFolder) {
    TempFolder folder;
    ASSERT_EQ(chmod(folder.Path().c_str(), 01777), 0);
    const std::string real = folder.File("own.png");
    const std::string link = folder.File("link.png");
    EXPECT_TRUE(AsOrdinaryUser([&] {
        std::ofstream(real) << "old";
        AtomicFile file;
        const bool written = symlink(real.c_str(), link.c_str()) == 0 && file.Open(link) &&
                             file.Write("new", 3) && file.Commit();
        return written && std::filesystem::is_symlink(link) && ReadWholeFile(real) == "new";
    }));
}

}  // namespace
}  // namespace tonzug
