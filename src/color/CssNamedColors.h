#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tonzug {

// The CSS named colours (Color 4: the 148 of the web, grey spelt either way), as 0xRRGGBB.
// The name in lower case; "transparent" is no named colour here, as it has an alpha.
std::optional<std::uint32_t> NamedCssColor(std::string_view lowerCaseName);

// How many names there are, for the tests' sake.
std::size_t NamedCssColorCount();

}  // namespace tonzug
