#include "web/CssGradientReader.h"

#include <algorithm>
#include <array>

#include "color/CssSyntax.h"
#include "support/TextHelpers.h"
#include "web/CssGradientNames.h"
#include "web/CssGradientScanner.h"

namespace tonzug {
namespace {

constexpr double kPercent = 100.0;

using enum CssGradientExpected;

// Colours that CSS counts as legacy sRGB ones, by the way they are written.
struct GradientFunction {
    std::string_view name;
    FreeShape shape;
    bool repeating;
};

constexpr std::array<GradientFunction, 6> kGradientFunctions{{
    {"linear-gradient", FreeShape::kLinear, false},
    {"radial-gradient", FreeShape::kRadial, false},
    {"conic-gradient", FreeShape::kConic, false},
    {"repeating-linear-gradient", FreeShape::kLinear, true},
    {"repeating-radial-gradient", FreeShape::kRadial, true},
    {"repeating-conic-gradient", FreeShape::kConic, true},
}};

const GradientFunction* FindGradientFunction(std::string_view name) {
    const auto found = std::ranges::find_if(kGradientFunctions, [&](const auto& function) {
        return TextEquals(name, function.name, CompareMode::kIgnoreCase);
    });
    return found == kGradientFunctions.end() ? nullptr : &*found;
}

LinePosition ToLinePosition(const CssSum& sum) {
    return {sum.percent / kPercent, sum.absolute};
}

enum class Found { kAbsent, kRead, kFailed };

class Reader : CssGradientScanner {
  public:
    explicit Reader(std::string_view text) : CssGradientScanner(text) {}

    CssGradientReading Read() {
        SkipBlanks();
        std::optional<FreeGradient> gradient;
        if (StartsDeclaration()) {
            gradient = ReadDeclaration();
        } else {
            gradient = ReadGradient();
            if (gradient) {
                SkipBlanks();
                if (Peek() == ';') {
                    ++at_;
                    SkipBlanks();
                }
                if (at_ < text_.size()) {
                    gradient = Fail(at_, kEnd);
                }
            }
        }
        return {gradient, error_};
    }

  private:
    // "background:" or "background-image:" (blanks before the colon allowed).
    bool StartsDeclaration() const {
        const std::string_view name = NameAhead();
        if (!TextEquals(name, "background", CompareMode::kIgnoreCase) &&
            !TextEquals(name, "background-image", CompareMode::kIgnoreCase)) {
            return false;
        }
        std::size_t after = at_ + name.size();
        while (after < text_.size() && IsCssBlank(text_[after])) {
            ++after;
        }
        return after < text_.size() && text_[after] == ':';
    }

    // The first gradient of the declaration's value; the rest of it is not looked at.
    std::optional<FreeGradient> ReadDeclaration() {
        at_ = text_.find(':', at_) + 1;
        while (true) {
            SkipBlanks();
            if (at_ >= text_.size() || Peek() == ';') {
                return Fail(at_, kGradient);
            }
            const std::string_view name = NameAhead();
            if (FindGradientFunction(name) && FunctionAhead(name)) {
                return ReadGradient();
            }
            if (!name.empty() && FunctionAhead(name)) {
                SkipParentheses(at_ + name.size());
            } else {
                at_ += std::max<std::size_t>(name.size(), 1);
            }
        }
    }

    std::optional<FreeGradient> ReadGradient() {
        const std::string_view name = NameAhead();
        const GradientFunction* function = FindGradientFunction(name);
        if (!function || !FunctionAhead(name)) {
            return Fail(at_, kGradient);
        }
        at_ += name.size() + 1;
        FreeGradient gradient;
        gradient.shape = function->shape;
        gradient.repeating = function->repeating;
        std::optional<InterpolationMethod> method;
        if (!ReadPrelude(gradient, method)) {
            return std::nullopt;
        }
        bool allLegacy = true;
        if (!ReadStops(gradient, allLegacy)) {
            return std::nullopt;
        }
        gradient.interpolation = method.value_or(InterpolationMethod{DefaultInterpolationSpace(
            allLegacy ? ColorNotation::kLegacy : ColorNotation::kModern)});
        return gradient;
    }

    // The geometry and the interpolation method before the first stop, with its comma.
    bool ReadPrelude(FreeGradient& gradient, std::optional<InterpolationMethod>& method) {
        Found methodFound = ReadMethod(method);
        if (methodFound == Found::kFailed) {
            return false;
        }
        Found geometry = Found::kAbsent;
        switch (gradient.shape) {
            case FreeShape::kLinear:
                geometry = ReadLinear(gradient.linear);
                break;
            case FreeShape::kRadial:
                geometry = ReadRadial(gradient.radial);
                break;
            case FreeShape::kConic:
                geometry = ReadConic(gradient.conic);
                break;
        }
        if (geometry == Found::kFailed) {
            return false;
        }
        if (methodFound == Found::kAbsent) {
            methodFound = ReadMethod(method);
            if (methodFound == Found::kFailed) {
                return false;
            }
        }
        if (methodFound == Found::kAbsent && geometry == Found::kAbsent) {
            return true;
        }
        SkipBlanks();
        if (Peek() != ',') {
            Fail(at_, kComma);
            return false;
        }
        ++at_;
        return true;
    }

    // "in <space>", and "<shorter|longer|increasing|decreasing> hue" after a polar one.
    Found ReadMethod(std::optional<InterpolationMethod>& method) {
        if (!TakeKeyword("in")) {
            return Found::kAbsent;
        }
        SkipBlanks();
        const std::string_view name = NameAhead();
        const auto space = std::ranges::find_if(kCssSpaceNames, [&](const CssSpaceName& entry) {
            return TextEquals(name, entry.name, CompareMode::kIgnoreCase);
        });
        if (space == kCssSpaceNames.end() || !TakeKeyword(name)) {
            Fail(at_, kColorSpace);
            return Found::kFailed;
        }
        method = InterpolationMethod{space->space};
        if (space->polar) {
            if (const std::optional<HuePath> hue = TakeKeywordOf(kCssHueNames)) {
                if (!TakeKeyword("hue")) {
                    Fail(at_, kHue);
                    return Found::kFailed;
                }
                method->hue = *hue;
            }
        }
        return Found::kRead;
    }

    std::optional<double> ReadAngle() {
        const std::optional<CssSum> angle =
            ReadSum(CssQuantity::kAngle, CssPercentages::kRefused, kAngle);
        return angle ? std::optional(angle->absolute) : std::nullopt;
    }

    // [<angle> | to <side-or-corner>]
    Found ReadLinear(LinearDirection& direction) {
        SkipBlanks();
        if (StartsValue()) {
            const std::optional<double> degrees = ReadAngle();
            if (!degrees) {
                return Found::kFailed;
            }
            direction.degrees = *degrees;
            return Found::kRead;
        }
        if (!TakeKeyword("to")) {
            return Found::kAbsent;
        }
        for (std::size_t side = 0; side < 2; ++side) {
            SkipBlanks();
            const std::size_t start = at_;
            const auto word = TakeKeywordOf(kCssPositionWords);
            if (!word && side > 0) {
                break;
            }
            if (word && IsHorizontal(*word) && direction.towardX == 0) {
                direction.towardX = *word == CssPositionWord::kLeft ? -1 : 1;
            } else if (word && IsVertical(*word) && direction.towardY == 0) {
                direction.towardY = *word == CssPositionWord::kTop ? -1 : 1;
            } else {
                Fail(start, kSideOrCorner);
                return Found::kFailed;
            }
        }
        return Found::kRead;
    }

    // [<radial-shape> || <radial-size>]? [at <position>]?
    Found ReadRadial(RadialGeometry& radial) {
        std::optional<RadialForm> form;
        bool sized = false;
        std::size_t radii = 0;
        std::size_t lastRadiusStart = 0;
        for (std::size_t part = 0; part < 2; ++part) {
            SkipBlanks();
            if (!form && TakeKeyword("circle")) {
                form = RadialForm::kCircle;
            } else if (!form && TakeKeyword("ellipse")) {
                form = RadialForm::kEllipse;
            } else if (const auto extent = sized ? std::nullopt : TakeKeywordOf(kCssExtentNames)) {
                radial.extent = *extent;
                sized = true;
            } else if (!sized && StartsValue()) {
                radii = ReadRadii(radial, lastRadiusStart);
                if (radii == 0) {
                    return Found::kFailed;
                }
                sized = true;
            }
        }
        if (radii == 2 && form == RadialForm::kCircle) {
            Fail(lastRadiusStart, kRadius);
            return Found::kFailed;
        }
        if (radii == 1 && form == RadialForm::kEllipse) {
            SkipBlanks();
            Fail(at_, kRadius);
            return Found::kFailed;
        }
        radial.form = form.value_or(radii == 1 ? RadialForm::kCircle : RadialForm::kEllipse);
        if (radii == 1 && radial.radiusX.percent != 0.0) {
            Fail(lastRadiusStart, kRadius);  // a circle's one radius is a length
            return Found::kFailed;
        }
        const Found center = ReadAt(radial.center);
        if (center == Found::kAbsent) {
            return form || sized ? Found::kRead : Found::kAbsent;
        }
        return center;
    }

    // One length, or two length-percentages, none below 0; the number read, 0 on failure.
    std::size_t ReadRadii(RadialGeometry& radial, std::size_t& lastStart) {
        std::array<LengthPercentage*, 2> radii{&radial.radiusX, &radial.radiusY};
        std::size_t count = 0;
        while (count < radii.size()) {
            SkipBlanks();
            if (count > 0 && !StartsValue()) {
                break;
            }
            lastStart = at_;
            const auto sum = ReadSum(CssQuantity::kLength, CssPercentages::kAllowed, kRadius);
            if (!sum) {
                return 0;
            }
            if (sum->percent <= 0.0 && sum->absolute <= 0.0 &&
                (sum->percent < 0.0 || sum->absolute < 0.0)) {
                Fail(lastStart, kRadius);
                return 0;
            }
            *radii[count++] = {sum->percent, sum->absolute};
        }
        radial.extent = RadialExtent::kExplicit;
        return count;
    }

    // [from <angle>]? [at <position>]?
    Found ReadConic(ConicGeometry& conic) {
        bool from = false;
        if (TakeKeyword("from")) {
            const std::optional<double> degrees = ReadAngle();
            if (!degrees) {
                return Found::kFailed;
            }
            conic.fromDegrees = *degrees;
            from = true;
        }
        const Found center = ReadAt(conic.center);
        return center == Found::kAbsent && from ? Found::kRead : center;
    }

    Found ReadAt(BoxPosition& position) {
        if (!TakeKeyword("at")) {
            return Found::kAbsent;
        }
        return ReadPosition(position) ? Found::kRead : Found::kFailed;
    }

    // The colour at the reading place, through the colour reader: its text runs to the
    // matching ")" of a function, else to the end of the name or hex digits.
    std::optional<CssColor> ReadStopColor(bool& allLegacy) {
        SkipBlanks();
        const std::size_t start = at_;
        if (Peek() == '#') {
            ++at_;
        }
        while (at_ < text_.size() && IsCssNameCharacter(text_[at_])) {
            ++at_;
        }
        if (Peek() == '(') {
            SkipParentheses(at_);
        }
        const std::string_view colorText = text_.substr(start, at_ - start);
        const CssColorReading reading = ReadCssColor(colorText);
        if (!reading.color) {
            error_.color = reading.error;
            error_.color.character += CharacterIndex(text_, start);
            error_.character = error_.color.character;
            error_.expected = kColor;
            return std::nullopt;
        }
        allLegacy = allLegacy && reading.notation == ColorNotation::kLegacy;
        return reading.color;
    }

    // Colour stops and hints up to the closing ")".
    bool ReadStops(FreeGradient& gradient, bool& allLegacy) {
        const CssQuantity quantity =
            gradient.shape == FreeShape::kConic ? CssQuantity::kAngle : CssQuantity::kLength;
        const CssGradientExpected positionExpected =
            quantity == CssQuantity::kAngle ? kAngleOrPercentage : kLengthOrPercentage;
        std::optional<LinePosition> hint;
        while (true) {
            SkipBlanks();
            const std::size_t start = at_;
            if (StartsValue()) {
                if (gradient.stops.empty() || hint) {
                    Fail(start, kColorStop);
                    return false;
                }
                const auto sum = ReadSum(quantity, CssPercentages::kAllowed, positionExpected);
                if (!sum) {
                    return false;
                }
                hint = ToLinePosition(*sum);
                SkipBlanks();
                if (Peek() != ',') {
                    Fail(at_, kComma);
                    return false;
                }
                ++at_;
                continue;
            }
            const std::optional<CssColor> color = ReadStopColor(allLegacy);
            if (!color) {
                return false;
            }
            std::size_t positions = 0;
            do {
                std::optional<LinePosition> position;
                SkipBlanks();
                if (StartsValue()) {
                    const auto sum = ReadSum(quantity, CssPercentages::kAllowed, positionExpected);
                    if (!sum) {
                        return false;
                    }
                    position = ToLinePosition(*sum);
                }
                if (!gradient.stops.empty()) {
                    gradient.segments.push_back(hint ? StopSegment{Easing::kCurved, hint}
                                                     : StopSegment{});
                    hint.reset();
                }
                if (gradient.stops.size() == kMaxColorStops) {
                    Fail(start, kFewerStops);
                    return false;
                }
                gradient.stops.push_back({*color, position});
                if (!position) {
                    break;
                }
                SkipBlanks();
            } while (++positions < 2 && StartsValue());
            SkipBlanks();
            if (Peek() == ')') {
                break;
            }
            if (Peek() != ',') {
                Fail(at_, kCommaOrClose);
                return false;
            }
            ++at_;
        }
        if (gradient.stops.size() < 2) {
            Fail(at_, kTwoStops);
            return false;
        }
        ++at_;
        return true;
    }
};

struct Wording {
    const char* english;
    const char* german;
};

Wording WordingOf(CssGradientExpected expected) {
    switch (expected) {
        case kGradient:
            return {
                "a gradient (linear-gradient(), radial-gradient(), conic-gradient() or "
                "a repeating one)",
                "ein Farbverlauf (linear-gradient(), radial-gradient(), conic-gradient() "
                "oder ein wiederholter)"};
        case kColor:
        case kColorStop:
            return {"a colour stop (a colour with up to two positions)",
                    "ein Farbstopp (eine Farbe mit bis zu zwei Positionen)"};
        case kSideOrCorner:
            return {"left, right, top or bottom", "left, right, top oder bottom"};
        case kAngle:
            return {"an angle in deg, grad, rad or turn", "ein Winkel in deg, grad, rad oder turn"};
        case kLengthOrPercentage:
            return {"a length in px or a percentage", "eine Länge in px oder ein Prozentwert"};
        case kAngleOrPercentage:
            return {"an angle or a percentage", "ein Winkel oder ein Prozentwert"};
        case kRadius:
            return {
                "a radius of 0 or more: one length in px for a circle, two lengths or "
                "percentages for an ellipse",
                "ein Radius ab 0: eine Länge in px für einen Kreis, zwei Längen oder "
                "Prozentwerte für eine Ellipse"};
        case kPosition:
            return {"a position (left, center, right, top, bottom, lengths or percentages)",
                    "eine Position (left, center, right, top, bottom, Längen oder Prozentwerte)"};
        case kColorSpace:
            return {
                "a colour space (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, "
                "rec2020, lab, oklab, xyz, xyz-d50, xyz-d65, hsl, hwb, lch or oklch)",
                "ein Farbraum (srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, "
                "rec2020, lab, oklab, xyz, xyz-d50, xyz-d65, hsl, hwb, lch oder oklch)"};
        case kHue:
            return {"\"hue\"", "„hue“"};
        case kComma:
            return {"\",\"", "„,“"};
        case kCommaOrClose:
            return {"\",\" or \")\"", "„,“ oder „)“"};
        case kClose:
            return {"\")\"", "„)“"};
        case kEnd:
            return {"the end of the gradient", "das Ende des Farbverlaufs"};
        case kTwoStops:
            return {"at least two colour stops", "mindestens zwei Farbstopps"};
        case kFewerStops:
            break;
    }
    static const std::string most = std::to_string(kMaxColorStops);
    static const std::string english = "at most " + most + " colour stops";
    static const std::string german = "höchstens " + most + " Farbstopps";
    return {english.c_str(), german.c_str()};
}

}  // namespace

CssGradientReading ReadCssGradient(std::string_view text) {
    return Reader(text).Read();
}

std::string DescribeCssGradientError(const CssGradientError& error, MessageLanguage language) {
    if (error.expected == kColor) {
        return DescribeCssError(error.color, language);
    }
    const Wording wording = WordingOf(error.expected);
    const std::string position = std::to_string(error.character + 1);
    if (language == MessageLanguage::kGerman) {
        return "An Stelle " + position + " wird " + wording.german + " erwartet";
    }
    return std::string("expected ") + wording.english + " at character " + position;
}

}  // namespace tonzug
