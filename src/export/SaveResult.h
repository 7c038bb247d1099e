#pragma once

#include <optional>
#include <string>
#include <utility>

namespace tonzug {

// Why a picture save failed.
enum class SaveFailure {
    // A library or the renderer failed without a closer kind.
    kGeneric,
    // Width or height below 1 pixel.
    kEmptyPicture,
    kOutOfMemory,
    // Another program holds the clipboard.
    kBusy,
    kSystemError,
    // The encoder was driven out of order, or an earlier band failed.
    kWrongState,
    kCancelled,
    kPathNotFound,
    // Beyond what the size fields or the picture format can hold.
    kTooLarge,
    kAccessDenied,
};

// The outcome of a picture save: on failure its kind and a reason in plain words (the
// system's error text, or the limit that was exceeded).
struct SaveResult {
    std::optional<SaveFailure> failure;
    std::string reason;

    bool Ok() const { return !failure; }
    // "File Not Found. GDI+ Error:10", as the window shows a failure; empty on success.
    std::string MessageText() const;
    // The reason when there is one, else the failure's text: one line for a log or stderr.
    std::string Describe() const;

    static SaveResult Success() { return {}; }
    static SaveResult Failure(SaveFailure failure, std::string reason) {
        return {failure, std::move(reason)};
    }
};

// A failed system call on path: a missing folder gives kPathNotFound, a refused
// permission kAccessDenied, anything else kSystemError; the reason names the path and the
// given explanation, else the system's error text.
SaveResult FailureFromErrno(int error, const std::string& path,
                            const std::string& explanation = {});

}  // namespace tonzug
