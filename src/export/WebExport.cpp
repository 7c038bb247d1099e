#include "export/WebExport.h"

#include <cerrno>
#include <filesystem>
#include <optional>

#include "export/ExportPicture.h"
#include "render/FreeShapes.h"
#include "support/AtomicFile.h"
#include "web/CssGradientText.h"
#include "web/FreeSvg.h"
#include "web/GimpGradient.h"
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

SaveResult FullSizeLineLength(const FreeGradient& gradient, const GradientParams& sized,
                              double& lineLength) {
    PictureSize size;
    if (SaveResult status = ExportSize(sized, size); !status.Ok()) {
        return status;
    }
    lineLength = FreePlacement(gradient, size.width, size.height).LineLength();
    return SaveResult::Success();
}

SaveResult CssOfPicture(const GradientPicture& picture, PictureCss& css) {
    if (picture.free) {
        double lineLength = 0.0;
        if (SaveResult status = FullSizeLineLength(*picture.free, picture.params, lineLength);
            !status.Ok()) {
            return status;
        }
        css = {
            .declaration = "background-image: " + CssGradientText(*picture.free, lineLength) + ";",
            .stops = picture.free->stops.size()};
        return SaveResult::Success();
    }
    WebGradient gradient;
    if (SaveResult status = FitFullSize(picture.params, gradient); !status.Ok()) {
        return status;
    }
    css = {.declaration = CssDeclaration(gradient),
           .stops = gradient.stops.size(),
           .tolerance = gradient.tolerance};
    return SaveResult::Success();
}

SaveResult ExportSvgPicture(const GradientParams& params, const std::string& path,
                            int intoDescriptor) {
    WebGradient gradient;
    if (SaveResult status = FitFullSize(params, gradient); !status.Ok()) {
        return status;
    }
    return SaveTextFile(SvgPicture(gradient), path, intoDescriptor);
}

SaveResult ExportFreeSvgPicture(const FreeGradient& gradient, const GradientParams& sized,
                                const std::string& path, int intoDescriptor) {
    PictureSize size;
    if (SaveResult status = ExportSize(sized, size); !status.Ok()) {
        return status;
    }
    return SaveTextFile(FreeSvgPicture(gradient, size.width, size.height), path, intoDescriptor);
}

SaveResult SaveTextFile(const std::string& text, const std::string& path, int intoDescriptor) {
    AtomicFile file;
    const bool opened = intoDescriptor >= 0 ? file.OpenInto(intoDescriptor) : file.Open(path);
    if (!opened || !file.Write(text.data(), text.size()) || !file.Commit()) {
        return FileWriteFailure(file, path);
    }
    return SaveResult::Success();
}

SaveResult ExportGimpGradient(const FreeGradient& gradient, double lineLength,
                              const std::string& path) {
    const std::string stem = std::filesystem::path(path).stem().string();
    const std::optional<std::string> text = GimpGradientText(gradient, stem, lineLength);
    if (!text) {
        return SaveResult::Failure(SaveFailure::kGeneric,
                                   "the colour line has fewer than two stops; nothing was written");
    }
    return SaveTextFile(*text, path);
}

}  // namespace tonzug
