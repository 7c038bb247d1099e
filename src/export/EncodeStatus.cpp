#include "export/EncodeStatus.h"

#include <cerrno>
#include <system_error>

namespace tonzug {

std::string GdipErrorText(std::int32_t status) {
    switch (status) {
        case 1:
            return "Generic Error.";
        case 2:
            return "Invalid Parameter.";
        case 3:
            return "Out Of Memory.";
        case 4:
            return "Object Busy.";
        case 5:
            return "Insufficient Buffer.";
        case 6:
            return "Not Implemented.";
        case 7:
            return "Win32 Error.";
        case 8:
            return "Wrong State.";
        case 9:
            return "Aborted.";
        case 10:
            return "File Not Found.";
        case 11:
            return "Value Overflow.";
        case 12:
            return "Access Denied.";
        case 13:
            return "Unknown Image Format.";
        case 14:
            return "FontFamily Not Found.";
        case 15:
            return "FontStyle Not Found.";
        case 16:
            return "Not TrueType Font.";
        case 17:
            return "Unsupported Gdiplus Version.";
        case 18:
            return "Gdiplus Not Initialized.";
        case 19:
            return "Property Not Found.";
        case 20:
            return "Property Not Supported.";
        default:
            return "Unknown GDI+ Error.";
    }
}

std::string EncodeStatus::MessageText() const {
    return Text() + " GDI+ Error:" + std::to_string(status);
}

std::string EncodeStatus::Describe() const {
    return reason.empty() ? Text() : reason;
}

EncodeStatus StatusFromErrno(int error, const std::string& path, const std::string& explanation) {
    std::int32_t status = kGdipWin32Error;
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            status = kGdipFileNotFound;
            break;
        case EACCES:
        case EPERM:
        case EROFS:
            status = kGdipAccessDenied;
            break;
        default:
            break;
    }
    const std::string text = explanation.empty()
                                 ? std::generic_category().message(error != 0 ? error : EIO)
                                 : explanation;
    return EncodeStatus::Failure(status, "cannot write " + path + ": " + text);
}

}  // namespace tonzug
