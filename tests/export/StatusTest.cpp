#include <gtest/gtest.h>

#include <cerrno>

#include "export/EncodeStatus.h"
#include "export/PictureKind.h"

namespace tonzug {
namespace {

TEST(GdipErrorText, KnownAndUnknownNumbers) {
    EXPECT_EQ(GdipErrorText(20), "Property Not Supported.");  // the last known number
    for (std::int32_t unknown : {0, 21, -1, -2147483647 - 1}) {
        EXPECT_EQ(GdipErrorText(unknown), "Unknown GDI+ Error.") << unknown;
    }
}

TEST(EncodeStatus, MessageTextHasTheWindowForm) {
    EXPECT_EQ(EncodeStatus::Failure(kGdipAccessDenied, "x").MessageText(),
              "Access Denied. GDI+ Error:12");
    EXPECT_EQ(EncodeStatus::Failure(kGdipAborted, "").Describe(), "Aborted.");
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

TEST(PictureKindFromPath, ExtensionInAnyCase) {
    EXPECT_EQ(PictureKindFromPath("a.bmp"), PictureKind::kBmp);
    EXPECT_EQ(PictureKindFromPath("dir.x/A.PNG"), PictureKind::kPng);
    EXPECT_EQ(PictureKindFromPath("a.JPEG"), PictureKind::kJpeg);
    for (const char* none : {"a.gif", "png", "dir.png/a", "a.png.part"}) {
        EXPECT_EQ(PictureKindFromPath(none), std::nullopt) << none;
    }
}

}  // namespace
}  // namespace tonzug
