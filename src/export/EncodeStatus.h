#pragma once

#include <cstdint>
#include <string>

namespace tonzug {

// The GDI+ status numbers this program reports; the window shows failures in the
// classic "<text> GDI+ Error:<n>" form, so users and support see familiar numbers.
enum GdipStatus : std::int32_t {
    kGdipOk = 0,
    kGdipGenericError = 1,
    kGdipInvalidParameter = 2,
    kGdipOutOfMemory = 3,
    kGdipObjectBusy = 4,
    kGdipWin32Error = 7,
    kGdipWrongState = 8,
    kGdipAborted = 9,
    kGdipFileNotFound = 10,
    kGdipValueOverflow = 11,
    kGdipAccessDenied = 12,
    kGdipUnknownImageFormat = 13,
};

// English text of a GDI+ status, "Unknown GDI+ Error." for numbers without one.
std::string GdipErrorText(std::int32_t status);

// The outcome of a picture save: a status number and, on failure, a reason in plain
// words (the system's error text, or the limit that was exceeded).
struct EncodeStatus {
    std::int32_t status = kGdipOk;
    std::string reason;

    bool Ok() const { return status == kGdipOk; }
    std::string Text() const { return GdipErrorText(status); }
    // "File Not Found. GDI+ Error:10".
    std::string MessageText() const;
    // The reason when there is one, else the status text: one line for a log or stderr.
    std::string Describe() const;

    static EncodeStatus Success() { return {}; }
    static EncodeStatus Failure(std::int32_t status, std::string reason) {
        return {status, std::move(reason)};
    }
};

// A failed system call on path: a missing folder gives "File Not Found.", a refused
// permission "Access Denied.", anything else "Win32 Error."; the reason names the path
// and the given explanation, else the system's error text.
EncodeStatus StatusFromErrno(int error, const std::string& path,
                             const std::string& explanation = {});

}  // namespace tonzug
