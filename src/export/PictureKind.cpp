#include "export/PictureKind.h"

#include <algorithm>
#include <cctype>

namespace tonzug {

std::optional<PictureKind> PictureKindFromPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "bmp") {
        return PictureKind::kBmp;
    }
    if (extension == "png") {
        return PictureKind::kPng;
    }
    if (extension == "jpg" || extension == "jpeg") {
        return PictureKind::kJpeg;
    }
    if (extension == "svg") {
        return PictureKind::kSvg;
    }
    return std::nullopt;
}

std::string_view PictureKindName(PictureKind kind) {
    switch (kind) {
        case PictureKind::kBmp:
            return "BMP";
        case PictureKind::kPng:
            return "PNG";
        case PictureKind::kJpeg:
            return "JPEG";
        case PictureKind::kSvg:
            return "SVG";
    }
    return "";
}

}  // namespace tonzug
