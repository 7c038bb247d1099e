#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonzug {

// kSvg is drawn as stops (web/WebGradient.h), not as pixels.
enum class PictureKind { kBmp, kPng, kJpeg, kSvg };

// The kind a file name's extension names: .bmp, .png, .jpg, .jpeg or .svg in any letter case.
std::optional<PictureKind> PictureKindFromPath(std::string_view path);

// "BMP", "PNG", "JPEG", "SVG": for messages.
std::string_view PictureKindName(PictureKind kind);

}  // namespace tonzug
