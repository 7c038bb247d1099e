#include "export/WebExport.h"

#include <cerrno>

#include "export/ExportPicture.h"
#include "support/AtomicFile.h"
#include "web/WebGradientText.h"

namespace tonzug {

SaveResult FitFullSize(const GradientParams& params, WebGradient& gradient) {
    PictureSize size;
    if (SaveResult status = ExportSize(params, size); !status.Ok()) {
        return status;
    }
    gradient = FitWebGradient(params, size.width, size.height);
    return SaveResult::Success();
}

SaveResult ExportSvgPicture(const GradientParams& params, const std::string& path,
                            int intoDescriptor) {
    WebGradient gradient;
    if (SaveResult status = FitFullSize(params, gradient); !status.Ok()) {
        return status;
    }
    const std::string text = SvgPicture(gradient);
    AtomicFile file;
    const bool opened = intoDescriptor >= 0 ? file.OpenInto(intoDescriptor) : file.Open(path);
    if (!opened || !file.Write(text.data(), text.size()) || !file.Commit()) {
        return FailureFromErrno(file.Error() != 0 ? file.Error() : EIO, path, file.Refusal());
    }
    return SaveResult::Success();
}

}  // namespace tonzug
