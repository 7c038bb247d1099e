#include "web/EasingText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "support/TextHelpers.h"

namespace tonzug {
namespace {

constexpr std::array<std::pair<Easing, std::string_view>, 6> kEasingNames = {{
    {Easing::kLinear, "linear"},
    {Easing::kCurved, "curved"},
    {Easing::kSine, "sine"},
    {Easing::kSphereIncreasing, "sphere-increasing"},
    {Easing::kSphereDecreasing, "sphere-decreasing"},
    {Easing::kStep, "step"},
}};

// Written first when alpha blends apart from the colour, as GIMP blends it.
constexpr std::string_view kStraightAlpha = "straight-alpha:";

// The text without its alpha word, and whether it had one.
std::string_view WithoutAlphaWord(std::string_view text, bool& straight) {
    const std::string trimmed = TrimBlanks(text);
    straight = trimmed.size() >= kStraightAlpha.size() &&
               TextEquals(std::string_view(trimmed).substr(0, kStraightAlpha.size()),
                          kStraightAlpha, CompareMode::kIgnoreCase);
    return straight ? text.substr(text.find(':') + 1) : text;
}

// Whether the CSS text alone gives the segment: a reader makes a hint curved and anything
// else straight.
bool CssSaysIt(const StopSegment& segment) {
    return segment.easing == Easing::kCurved ||
           (segment.easing == Easing::kLinear && !segment.midpoint);
}

// One entry per name; empty entries as empty optionals. Nothing for a text with an
// unknown name.
std::optional<std::vector<std::optional<Easing>>> ReadNames(std::string_view text) {
    std::vector<std::optional<Easing>> easings;
    if (TrimBlanks(text).empty()) {
        return easings;
    }
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string name = TrimBlanks(text.substr(0, comma));
        if (name.empty()) {
            easings.emplace_back();
        } else {
            const auto* found =
                std::find_if(kEasingNames.begin(), kEasingNames.end(), [&name](const auto& entry) {
                    return TextEquals(entry.second, name, CompareMode::kIgnoreCase);
                });
            if (found == kEasingNames.end()) {
                return std::nullopt;
            }
            easings.emplace_back(found->first);
        }
        if (comma == std::string_view::npos) {
            return easings;
        }
        text.remove_prefix(comma + 1);
    }
}

}  // namespace

std::string EasingText(const FreeGradient& gradient) {
    std::string text;
    std::size_t named = 0;
    for (std::size_t i = 0; i < gradient.segments.size(); ++i) {
        const StopSegment& segment = gradient.segments[i];
        if (i > 0) {
            text += ',';
        }
        if (!CssSaysIt(segment)) {
            for (const auto& [easing, name] : kEasingNames) {
                if (easing == segment.easing) {
                    text += name;
                }
            }
            named = text.size();
        }
    }
    text.resize(named);  // no trailing empty entries
    if (gradient.alphaBlend == AlphaBlend::kStraight) {
        text.insert(0, kStraightAlpha);
    }
    return text;
}

bool IsEasingText(std::string_view text) {
    bool straight = false;
    return ReadNames(WithoutAlphaWord(text, straight)).has_value();
}

bool ApplyEasingText(std::string_view text, FreeGradient& gradient) {
    bool straight = false;
    const auto easings = ReadNames(WithoutAlphaWord(text, straight));
    if (!easings || easings->size() > gradient.segments.size()) {
        return false;
    }
    for (std::size_t i = 0; i < easings->size(); ++i) {
        if ((*easings)[i]) {
            gradient.segments[i].easing = *(*easings)[i];
        }
    }
    if (straight) {
        gradient.alphaBlend = AlphaBlend::kStraight;
    }
    return true;
}

}  // namespace tonzug
