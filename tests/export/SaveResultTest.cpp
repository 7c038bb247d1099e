#include <gtest/gtest.h>

#include <cerrno>
#include <utility>

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

// Users and support know failures by these classic numbers and texts.
TEST(SaveResult, ShowsEachFailureInTheClassicForm) {
    const std::pair<SaveFailure, const char*> shown[] = {
        {SaveFailure::kGeneric, "Generic Error. GDI+ Error:1"},
        {SaveFailure::kEmptyPicture, "Invalid Parameter. GDI+ Error:2"},
        {SaveFailure::kOutOfMemory, "Out Of Memory. GDI+ Error:3"},
        {SaveFailure::kBusy, "Object Busy. GDI+ Error:4"},
        {SaveFailure::kSystemError, "Win32 Error. GDI+ Error:7"},
        {SaveFailure::kWrongState, "Wrong State. GDI+ Error:8"},
        {SaveFailure::kCancelled, "Aborted. GDI+ Error:9"},
        {SaveFailure::kPathNotFound, "File Not Found. GDI+ Error:10"},
        {SaveFailure::kTooLarge, "Value Overflow. GDI+ Error:11"},
        {SaveFailure::kAccessDenied, "Access Denied. GDI+ Error:12"}};
    for (const auto& [failure, text] : shown) {
        EXPECT_EQ(SaveResult::Failure(failure, "why").MessageText(), text);
    }
    EXPECT_EQ(SaveResult::Success().MessageText(), "");
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
