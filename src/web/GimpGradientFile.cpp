// The text of GIMP's gradient files: reading its segments and writing them.
#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

#include "support/TextHelpers.h"
#include "web/GimpGradient.h"

namespace tonzug {
namespace {

constexpr std::string_view kHeader = "GIMP Gradient";
constexpr std::string_view kNamePrefix = "Name:";
// GIMP writes six decimals, so segments that join may differ by this much in a file.
constexpr double kJoinTolerance = 1e-6;
constexpr int kDecimals = 6;
constexpr std::size_t kNumbersWithoutColorTypes = 13;
constexpr std::size_t kNumbersWithColorTypes = 15;
constexpr std::size_t kColorNumbers = 11;  // left, middle, right and two RGBA colours
constexpr int kLastBlend = static_cast<int>(Easing::kStep);
constexpr int kLastColoring = static_cast<int>(GimpColoring::kHsvClockwise);

// The colour types of GIMP 2.10: fixed, or the foreground or background colour, opaque or
// transparent. Without a foreground or background here the stored colour stands in.
enum GimpColorType : int {
    kFixed,
    kForeground,
    kForegroundTransparent,
    kBackground,
    kBackgroundTransparent,
};

std::vector<std::string_view> Split(std::string_view text, bool (*isSeparator)(char)) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || isSeparator(text[i])) {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return pieces;
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words = Split(line, IsWhitespace);
    std::erase_if(words, [](std::string_view word) { return word.empty(); });
    return words;
}

template <typename Number>
std::optional<Number> WholeNumber(std::string_view word, std::errc& failure) {
    if (word.starts_with('+')) {
        word.remove_prefix(1);
    }
    Number number{};
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
    failure = error;
    if (error != std::errc{} || end != word.data() + word.size()) {
        return std::nullopt;
    }
    return number;
}

bool InUnitRange(double value) {
    return value >= 0.0 && value <= 1.0;
}

class SegmentParser {
  public:
    // The problem of one segment line, given the segment before it.
    std::optional<GimpFileProblem> Parse(std::string_view line, const GimpSegment* previous) {
        const std::vector<std::string_view> words = Words(line);
        if (words.size() != kNumbersWithoutColorTypes && words.size() != kNumbersWithColorTypes) {
            return GimpFileProblem::kSegmentLine;
        }
        std::array<double, kColorNumbers> numbers{};
        for (std::size_t i = 0; i < kColorNumbers; ++i) {
            std::errc failure{};
            const std::optional<double> number = WholeNumber<double>(words[i], failure);
            if (failure == std::errc::result_out_of_range || (number && !std::isfinite(*number))) {
                return GimpFileProblem::kNotFinite;
            }
            if (!number) {
                return GimpFileProblem::kSegmentLine;
            }
            numbers[i] = *number;
        }
        std::array<int, 4> kinds{0, 0, kFixed, kFixed};  // blend, colouring, colour types
        for (std::size_t i = kColorNumbers; i < words.size(); ++i) {
            std::errc failure{};
            const std::optional<int> kind = WholeNumber<int>(words[i], failure);
            if (!kind) {
                return GimpFileProblem::kSegmentLine;
            }
            kinds[i - kColorNumbers] = *kind;
        }
        segment_ = {numbers[0],
                    numbers[1],
                    numbers[2],
                    {numbers[3], numbers[4], numbers[5], numbers[6]},
                    {numbers[7], numbers[8], numbers[9], numbers[10]}};
        return Check(kinds, previous);
    }

    const GimpSegment& Segment() const { return segment_; }

  private:
    std::optional<GimpFileProblem> Check(const std::array<int, 4>& kinds,
                                         const GimpSegment* previous) {
        const auto [blend, coloring, leftKind, rightKind] = kinds;
        if (blend < 0 || blend > kLastBlend) {
            return GimpFileProblem::kBlendType;
        }
        if (coloring < 0 || coloring > kLastColoring) {
            return GimpFileProblem::kColoring;
        }
        segment_.blend = static_cast<Easing>(blend);
        segment_.coloring = static_cast<GimpColoring>(coloring);
        const auto colorProblem = [](int kind, CssColor& color) -> std::optional<GimpFileProblem> {
            if (kind < kFixed || kind > kBackgroundTransparent) {
                return GimpFileProblem::kColorType;
            }
            if (!InUnitRange(color.red) || !InUnitRange(color.green) || !InUnitRange(color.blue) ||
                !InUnitRange(color.alpha)) {
                return GimpFileProblem::kColorRange;
            }
            if (kind == kForegroundTransparent || kind == kBackgroundTransparent) {
                color.alpha = 0.0;
            }
            return std::nullopt;
        };
        if (const auto problem = colorProblem(leftKind, segment_.leftColor)) {
            return problem;
        }
        if (const auto problem = colorProblem(rightKind, segment_.rightColor)) {
            return problem;
        }
        if (segment_.right < segment_.left) {
            return GimpFileProblem::kReversed;
        }
        if (segment_.middle < segment_.left || segment_.middle > segment_.right) {
            return GimpFileProblem::kMiddle;
        }
        const double joint = previous == nullptr ? 0.0 : previous->right;
        if (std::fabs(segment_.left - joint) > kJoinTolerance) {
            return GimpFileProblem::kGap;
        }
        return std::nullopt;
    }

    GimpSegment segment_;
};

GimpSegmentsReading Failure(std::size_t line, GimpFileProblem problem) {
    GimpSegmentsReading reading;
    reading.error = {line, problem};
    return reading;
}

std::string SixDecimals(double value) {
    std::array<char, 64> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                            value == 0.0 ? 0.0 : value,  // never "-0.000000"
                                            std::chars_format::fixed, kDecimals);
    return error == std::errc{} ? std::string(buffer.data(), end) : "0.000000";
}

struct Wording {
    const char* english;
    const char* german;
};

Wording WordingOf(GimpFileProblem problem) {
    switch (problem) {
        case GimpFileProblem::kNotGimpGradient:
            return {"not a GIMP gradient (the first line is not \"GIMP Gradient\")",
                    "Kein GIMP-Farbverlauf (die erste Zeile lautet nicht „GIMP Gradient“)"};
        case GimpFileProblem::kSegmentCount:
            return {"expected the number of segments", "Die Zahl der Abschnitte wird erwartet"};
        case GimpFileProblem::kSegmentLine:
            return {"expected a segment of 13 or 15 numbers",
                    "Ein Abschnitt aus 13 oder 15 Zahlen wird erwartet"};
        case GimpFileProblem::kNotFinite:
            return {"a number is out of range", "Eine Zahl liegt außerhalb des Zahlbereichs"};
        case GimpFileProblem::kBlendType:
            return {"unknown blend type (0 to 5)", "Unbekannte Überblendung (0 bis 5)"};
        case GimpFileProblem::kColoring:
            return {"unknown colouring (0 to 2)", "Unbekannte Färbung (0 bis 2)"};
        case GimpFileProblem::kColorType:
            return {"unknown colour type (0 to 4)", "Unbekannte Farbart (0 bis 4)"};
        case GimpFileProblem::kColorRange:
            return {"a colour value lies outside 0 to 1",
                    "Ein Farbwert liegt außerhalb von 0 bis 1"};
        case GimpFileProblem::kReversed:
            return {"the segment ends before it begins", "Der Abschnitt endet, bevor er beginnt"};
        case GimpFileProblem::kMiddle:
            return {"the middle lies outside its segment",
                    "Die Mitte liegt außerhalb ihres Abschnitts"};
        case GimpFileProblem::kGap:
            return {"the segment does not begin where the one before it ends (the first at 0)",
                    "Der Abschnitt beginnt nicht, wo der vorige endet (der erste bei 0)"};
        case GimpFileProblem::kEnd:
            return {"the last segment does not end at 1", "Der letzte Abschnitt endet nicht bei 1"};
        case GimpFileProblem::kTooManyStops:
            break;
    }
    return {"colour stops", "Farbstopps"};  // after "more than" the limit
}

}  // namespace

GimpSegmentsReading ReadGimpSegments(std::string_view fileText) {
    std::vector<std::string_view> lines = Split(fileText, [](char c) { return c == '\n'; });
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();  // the end of the last line, not an empty line after it
    }
    const auto lineAt = [&lines](std::size_t number) {
        return number <= lines.size() ? TrimWhitespace(lines[number - 1]) : std::string_view{};
    };
    if (lineAt(1) != kHeader) {
        return Failure(1, GimpFileProblem::kNotGimpGradient);
    }
    GimpSegmentsReading reading;
    std::size_t countLine = 2;
    if (lineAt(countLine).starts_with(kNamePrefix)) {
        reading.name = TrimWhitespace(lineAt(countLine).substr(kNamePrefix.size()));
        ++countLine;
    }
    std::errc failure{};
    const std::optional<std::size_t> count = WholeNumber<std::size_t>(lineAt(countLine), failure);
    if (!count || *count == 0) {
        return Failure(countLine, GimpFileProblem::kSegmentCount);
    }
    reading.firstSegmentLine = countLine + 1;
    GimpSegments segments;
    SegmentParser parser;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t number = reading.firstSegmentLine + i;
        if (number > lines.size()) {
            return Failure(number, GimpFileProblem::kSegmentLine);
        }
        if (const auto problem =
                parser.Parse(lineAt(number), segments.empty() ? nullptr : &segments.back())) {
            return Failure(number, *problem);
        }
        segments.push_back(parser.Segment());
    }
    if (std::fabs(segments.back().right - 1.0) > kJoinTolerance) {
        return Failure(reading.firstSegmentLine + *count - 1, GimpFileProblem::kEnd);
    }
    reading.segments = std::move(segments);
    return reading;
}

std::string DescribeGimpFileError(const GimpFileError& error, MessageLanguage language) {
    const Wording wording = WordingOf(error.problem);
    const std::string line = std::to_string(error.line);
    const bool overLimit = error.problem == GimpFileProblem::kTooManyStops;
    const std::string limit = std::to_string(kMaxColorStops) + " ";
    if (language == MessageLanguage::kGerman) {
        return "Zeile " + line + ": " + (overLimit ? "Mehr als " + limit : "") + wording.german;
    }
    return "line " + line + ": " + (overLimit ? "more than " + limit : "") + wording.english;
}

std::string GimpFileText(const GimpSegments& segments, std::string_view name) {
    std::string text = std::string(kHeader) + "\n" + std::string(kNamePrefix) + " ";
    for (const char c : name) {
        const bool control = static_cast<unsigned char>(c) < ' ' || c == '\x7f';
        text += control ? ' ' : c;  // one line, whatever the name holds
    }
    text += "\n" + std::to_string(segments.size()) + "\n";
    for (const GimpSegment& segment : segments) {
        const CssColor& from = segment.leftColor;
        const CssColor& to = segment.rightColor;
        for (const double number :
             {segment.left, segment.middle, segment.right, from.red, from.green, from.blue,
              from.alpha, to.red, to.green, to.blue, to.alpha}) {
            text += SixDecimals(number) + " ";
        }
        text += std::to_string(static_cast<int>(segment.blend)) + " " +
                std::to_string(static_cast<int>(segment.coloring)) + " " + std::to_string(kFixed) +
                " " + std::to_string(kFixed) + "\n";
    }
    return text;
}

bool IsGimpGradientPath(std::string_view path) {
    constexpr std::string_view kExtension = ".ggr";
    return path.size() > kExtension.size() &&
           TextEquals(path.substr(path.size() - kExtension.size()), kExtension,
                      CompareMode::kIgnoreCase);
}

}  // namespace tonzug
