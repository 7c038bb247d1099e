#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "web/CssGradientReader.h"

namespace tonzug {
namespace {

std::string Lowered(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

}  // namespace

std::optional<std::string_view> FindCssGradient(std::string_view text) {
    constexpr std::array<std::string_view, 3> kNames = {"linear-gradient(", "radial-gradient(",
                                                        "conic-gradient("};
    constexpr std::string_view kRepeating = "repeating-";
    const std::string lowered = Lowered(text);
    std::size_t start = std::string::npos;
    for (const std::string_view name : kNames) {
        start = std::min(start, lowered.find(name));
    }
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::size_t open = lowered.find('(', start);
    if (start >= kRepeating.size() &&
        std::string_view(lowered).substr(start - kRepeating.size(), kRepeating.size()) ==
            kRepeating) {
        start -= kRepeating.size();
    }
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')' && --depth == 0) {
            return text.substr(start, i + 1 - start);
        }
    }
    return std::nullopt;
}

}  // namespace tonzug
