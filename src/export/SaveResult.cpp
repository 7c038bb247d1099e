#include "export/SaveResult.h"

#include <cerrno>
#include <system_error>

namespace tonzug {
namespace {

struct ClassicStatus {
    int number;
    const char* text;
};

// Failures are shown in the classic "<text> GDI+ Error:<n>" form, so users and support
// see the numbers and texts they know.
ClassicStatus ClassicStatusOf(SaveFailure failure) {
    switch (failure) {
        case SaveFailure::kGeneric:
            break;  // after the switch, where every path ends in a return
        case SaveFailure::kEmptyPicture:
            return {2, "Invalid Parameter."};
        case SaveFailure::kOutOfMemory:
            return {3, "Out Of Memory."};
        case SaveFailure::kBusy:
            return {4, "Object Busy."};
        case SaveFailure::kSystemError:
            return {7, "Win32 Error."};
        case SaveFailure::kWrongState:
            return {8, "Wrong State."};
        case SaveFailure::kCancelled:
            return {9, "Aborted."};
        case SaveFailure::kPathNotFound:
            return {10, "File Not Found."};
        case SaveFailure::kTooLarge:
            return {11, "Value Overflow."};
        case SaveFailure::kAccessDenied:
            return {12, "Access Denied."};
    }
    return {1, "Generic Error."};
}

}  // namespace

std::string SaveResult::MessageText() const {
    if (!failure) {
        return {};
    }
    const ClassicStatus shown = ClassicStatusOf(*failure);
    return std::string(shown.text) + " GDI+ Error:" + std::to_string(shown.number);
}

std::string SaveResult::Describe() const {
    if (!reason.empty() || !failure) {
        return reason;
    }
    return ClassicStatusOf(*failure).text;
}

SaveResult FailureFromErrno(int error, const std::string& path, const std::string& explanation) {
    SaveFailure failure = SaveFailure::kSystemError;
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            failure = SaveFailure::kPathNotFound;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            failure = SaveFailure::kAccessDenied;
            break;
        default:
            break;
    }
    const int shownError = error != 0 ? error : EIO;
    const std::string text =
        explanation.empty() ? std::generic_category().message(shownError) : explanation;
    SaveResult result = SaveResult::Failure(failure, "cannot write " + path + ": " + text);
    result.systemError = shownError;
    result.path = path;
    return result;
}

SaveResult FileWriteFailure(const AtomicFile& file, const std::string& path) {
    SaveResult result = FailureFromErrno(file.Error(), path, RefusalText(file.Refusal()));
    result.refusal = file.Refusal();
    return result;
}

SaveResult OutOfMemoryFailure(std::string where) {
    return SaveResult::Failure(
        SaveFailure::kOutOfMemory, std::move(where),
        {TONZUG_TRANSLATABLE("tonzug::SaveResult", "Nicht genug Arbeitsspeicher für das Bild"),
         {}});
}

}  // namespace tonzug
