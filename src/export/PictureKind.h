#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tonzug {

enum class PictureKind { kBmp, kPng, kJpeg };

// The kind a file name's extension names: .bmp, .png, .jpg or .jpeg in any letter case.
std::optional<PictureKind> PictureKindFromPath(std::string_view path);

// "BMP", "PNG", "JPEG": for messages.
std::string_view PictureKindName(PictureKind kind);

}  // namespace tonzug
