#include <gtest/gtest.h>

#include <cerrno>

#include "export/PictureKind.h"
#include "export/SaveResult.h"

namespace tonzug {
namespace {

TEST(FailureFromErrno, MapsSystemErrorsToFailures) {
    struct Case {
        int error;
        SaveFailure failure;
    };
    for (const Case c :
         {Case{ENOENT, SaveFailure::kPathNotFound}, Case{ENOTDIR, SaveFailure::kPathNotFound},
          Case{EACCES, SaveFailure::kAccessDenied}, Case{EPERM, SaveFailure::kAccessDenied},
          Case{EROFS, SaveFailure::kAccessDenied}, Case{ENOSPC, SaveFailure::kSystemError}}) {
        EXPECT_EQ(FailureFromErrno(c.error, "/a/b.png").failure, c.failure) << c.error;
    }
    const SaveResult full = FailureFromErrno(ENOSPC, "/a/b.png");
    EXPECT_EQ(full.reason, "cannot write /a/b.png: No space left on device");
}

// Other kinds and cases are read through the command's tests.
TEST(PictureKindFromPath, OnlyTheExtensionOfTheName) {
    EXPECT_EQ(PictureKindFromPath("dir.x/A.PNG"), PictureKind::kPng);
    for (const char* none : {"a.gif", "png", "dir.png/a", "a.png.part"}) {
        EXPECT_EQ(PictureKindFromPath(none), std::nullopt) << none;
    }
}

}  // namespace
}  // namespace tonzug
