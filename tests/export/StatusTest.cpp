#include <gtest/gtest.h>

#include <cerrno>

#include "export/EncodeStatus.h"
#include "export/PictureKind.h"

namespace tonzug {
namespace {

TEST(EncodeStatus, UnknownNumbersHaveAText) {
    EXPECT_EQ(GdipErrorText(21), "Unknown GDI+ Error.");
}

TEST(StatusFromErrno, MapsSystemErrorsToStatusNumbers) {
    struct Case {
        int error;
        std::int32_t status;
    };
    for (const Case c : {Case{ENOENT, kGdipFileNotFound}, Case{ENOTDIR, kGdipFileNotFound},
                         Case{EACCES, kGdipAccessDenied}, Case{EPERM, kGdipAccessDenied},
                         Case{EROFS, kGdipAccessDenied}, Case{ENOSPC, kGdipWin32Error}}) {
        EXPECT_EQ(StatusFromErrno(c.error, "/a/b.png").status, c.status) << c.error;
    }
    const EncodeStatus full = StatusFromErrno(ENOSPC, "/a/b.png");
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
