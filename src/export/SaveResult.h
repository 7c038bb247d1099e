#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/AtomicFile.h"
#include "support/Translatable.h"

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

// The context under which the reasons that windows show are collected for translation.
inline constexpr const char* kShownReasonContext = "tonzug::SaveResult";

// A reason as the windows word it: a German text marked with TONZUG_TRANSLATABLE under
// kShownReasonContext, and the values it names as %1, %2, ... in order, so that each
// language orders them its own way.
struct ShownReason {
    const char* text = nullptr;
    std::vector<std::string> values;
};

// The outcome of a picture save: on failure its kind and a reason in plain English (the
// system's error text, or the limit that was exceeded) for logs and the command line.
// Windows word the reason themselves: from the failed system call (its errno, the path and
// any refusal of the file's own), else from `shown`, else they show `reason`.
struct SaveResult {
    std::optional<SaveFailure> failure;
    std::string reason;
    int systemError = 0;
    std::string path;
    TargetRefusal refusal = TargetRefusal::kNone;
    ShownReason shown;

    bool Ok() const { return !failure; }
    // "File Not Found. GDI+ Error:10", as the window shows a failure; empty on success.
    std::string MessageText() const;
    // The reason when there is one, else the failure's text: one line for a log or stderr.
    std::string Describe() const;

    static SaveResult Success() { return {}; }
    static SaveResult Failure(SaveFailure failure, std::string reason, ShownReason shown = {}) {
        SaveResult result;
        result.failure = failure;
        result.reason = std::move(reason);
        result.shown = std::move(shown);
        return result;
    }
};

// Memory ran out while making the picture; `where` names the step for logs.
SaveResult OutOfMemoryFailure(std::string where);

// A failed system call on path: a missing folder gives kPathNotFound, a refused
// permission kAccessDenied, anything else kSystemError; the reason names the path and the
// given explanation, else the system's error text.
SaveResult FailureFromErrno(int error, const std::string& path,
                            const std::string& explanation = {});
// The failure of `file`, opened for or written to path; EIO where it recorded no errno.
SaveResult FileWriteFailure(const AtomicFile& file, const std::string& path);

}  // namespace tonzug
