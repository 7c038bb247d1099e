#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "color/CssColor.h"
#include "color/CssNamedColors.h"
#include "color/CssSpaces.h"
#include "color/CssSyntax.h"
#include "color/HuePath.h"
#include "support/Numbers.h"

namespace tonzug {
namespace {

constexpr double kChannelMax = 255.0;
constexpr double kPercent = 100.0;
constexpr double kUnbounded = std::numeric_limits<double>::infinity();

bool IsHexDigit(char c) {
    return HexDigitValue(c) >= 0;
}

char LowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return LowerCase(c); });
    return lower;
}

// An angle is read into degrees, whatever its unit.
enum class Unit { kPlain, kPercent, kDegrees, kNoneKeyword };

struct Component {
    double value = 0.0;
    Unit unit = Unit::kPlain;
};

// What one argument of a colour function may be.
enum class Accepts { kNumber, kPercentage, kNumberOrPercentage, kHue };

// Which comma syntax of CSS Color 3 a function also takes.
enum class Legacy { kNone, kRgb, kHsl };

// The syntax being read: the modern one takes "none" for any component, the comma syntax
// of old does not.
enum class Syntax { kModern, kComma };

struct Arguments {
    std::array<Component, 3> channels;
    double alpha = 1.0;
    bool alphaMissing = false;  // written "none"
};

CssExpected ExpectedOf(Accepts accepts) {
    switch (accepts) {
        case Accepts::kNumber:
            return CssExpected::kNumber;
        case Accepts::kPercentage:
            return CssExpected::kPercentage;
        case Accepts::kNumberOrPercentage:
            return CssExpected::kNumberOrPercentage;
        case Accepts::kHue:
            break;
    }
    return CssExpected::kHue;
}

bool Takes(Accepts accepts, Unit unit) {
    switch (accepts) {
        case Accepts::kNumber:
            return unit == Unit::kPlain;
        case Accepts::kPercentage:
            return unit == Unit::kPercent;
        case Accepts::kNumberOrPercentage:
            return unit == Unit::kPlain || unit == Unit::kPercent;
        case Accepts::kHue:
            return unit == Unit::kPlain || unit == Unit::kDegrees;
    }
    return false;
}

// A hue in degrees from a number or an angle; "none" is 0.
double Degrees(const Component& hue) {
    return hue.unit == Unit::kNoneKeyword ? 0.0 : hue.value;
}

// A number, or a percentage of `full`; "none" is 0.
double Scaled(const Component& component, double full) {
    if (component.unit == Unit::kNoneKeyword) {
        return 0.0;
    }
    return component.unit == Unit::kPercent ? component.value / kPercent * full : component.value;
}

CssColor FromEncoded(const RgbTriple& channels, double alpha) {
    return {channels.red / kChannelMax, channels.green / kChannelMax, channels.blue / kChannelMax,
            alpha};
}

// How a colour function reads one component into its space.
struct ComponentRule {
    Accepts accepts = Accepts::kNumberOrPercentage;
    double full = 1.0;           // what 100 % stands for
    double numberDivisor = 1.0;  // a plain number over this
    double least = -kUnbounded;
    double most = kUnbounded;
};

// A colour function that writes a colour by its components in one space.
struct SpaceFunction {
    const char* name;
    InterpolationSpace space;
    std::array<ComponentRule, 3> rules;
    Legacy legacy = Legacy::kNone;
};

constexpr ComponentRule kHueRule{Accepts::kHue};
// Saturation, lightness, whiteness and blackness: a number counts as a percentage.
constexpr ComponentRule kFractionRule{Accepts::kNumberOrPercentage, 1.0, kPercent};
constexpr ComponentRule kSaturationRule{Accepts::kNumberOrPercentage, 1.0, kPercent, 0.0};
// CIE Lab's a and b count 125 as 100 %, its chroma 150; Oklab's count 0.4.
constexpr ComponentRule kLabLightnessRule{Accepts::kNumberOrPercentage, 100.0, 1.0, 0.0, 100.0};
constexpr ComponentRule kLabAxisRule{Accepts::kNumberOrPercentage, 125.0};
constexpr ComponentRule kLabChromaRule{Accepts::kNumberOrPercentage, 150.0, 1.0, 0.0};
constexpr ComponentRule kOklabLightnessRule{Accepts::kNumberOrPercentage, 1.0, 1.0, 0.0, 1.0};
constexpr ComponentRule kOklabAxisRule{Accepts::kNumberOrPercentage, 0.4};
constexpr ComponentRule kOklabChromaRule{Accepts::kNumberOrPercentage, 0.4, 1.0, 0.0};
// color()'s channels and coordinates count 1 as 100 % and keep any value.
constexpr ComponentRule kPredefinedRule{};

constexpr SpaceFunction kSpaceFunctions[] = {
    {"hsl", InterpolationSpace::kHsl, {kHueRule, kSaturationRule, kFractionRule}, Legacy::kHsl},
    {"hsla", InterpolationSpace::kHsl, {kHueRule, kSaturationRule, kFractionRule}, Legacy::kHsl},
    {"hwb", InterpolationSpace::kHwb, {kHueRule, kFractionRule, kFractionRule}},
    {"lab", InterpolationSpace::kLab, {kLabLightnessRule, kLabAxisRule, kLabAxisRule}},
    {"lch", InterpolationSpace::kLch, {kLabLightnessRule, kLabChromaRule, kHueRule}},
    {"oklab", InterpolationSpace::kOklab, {kOklabLightnessRule, kOklabAxisRule, kOklabAxisRule}},
    {"oklch", InterpolationSpace::kOklch, {kOklabLightnessRule, kOklabChromaRule, kHueRule}},
};

struct PredefinedSpace {
    const char* name;
    InterpolationSpace space;
};

constexpr PredefinedSpace kPredefinedSpaces[] = {
    {"srgb", InterpolationSpace::kSrgb},
    {"srgb-linear", InterpolationSpace::kSrgbLinear},
    {"display-p3", InterpolationSpace::kDisplayP3},
    {"a98-rgb", InterpolationSpace::kA98Rgb},
    {"prophoto-rgb", InterpolationSpace::kProphotoRgb},
    {"rec2020", InterpolationSpace::kRec2020},
    {"xyz", InterpolationSpace::kXyzD65},
    {"xyz-d50", InterpolationSpace::kXyzD50},
    {"xyz-d65", InterpolationSpace::kXyzD65},
};

double Resolved(const Component& component, const ComponentRule& rule) {
    if (rule.accepts == Accepts::kHue) {
        return NormalizeHue(Degrees(component));
    }
    const double value = component.unit == Unit::kPlain ? component.value / rule.numberDivisor
                                                        : Scaled(component, rule.full);
    return std::clamp(value, rule.least, rule.most);
}

class Reader {
  public:
    Reader(std::string_view text, HexHash hash) : text_(text), hash_(hash) {}

    CssColorReading Read() {
        SkipBlanks();
        std::optional<CssColor> color = ReadColor();
        if (color) {
            SkipBlanks();
            if (at_ < text_.size()) {
                color = Fail(at_, CssExpected::kEnd);
            }
        }
        return {color, error_, notation_};
    }

  private:
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    char PeekAt(std::size_t offset) const {
        return at_ + offset < text_.size() ? text_[at_ + offset] : '\0';
    }

    void SkipBlanks() {
        while (at_ < text_.size() && IsCssBlank(text_[at_])) {
            ++at_;
        }
    }

    std::nullopt_t Fail(std::size_t byte, CssExpected expected, bool orNone = false) {
        error_ = {CharacterIndex(text_, byte), expected, orNone};
        return std::nullopt;
    }

    std::string_view ReadName() {
        const std::size_t start = at_;
        while (at_ < text_.size() && IsCssNameCharacter(text_[at_])) {
            ++at_;
        }
        return text_.substr(start, at_ - start);
    }

    std::optional<CssColor> ReadColor() {
        const std::size_t start = at_;
        if (Peek() == '#') {
            ++at_;
            return ReadHex();
        }
        if (hash_ == HexHash::kOptional) {
            std::size_t end = at_;
            while (end < text_.size() && IsHexDigit(text_[end])) {
                ++end;
            }
            if (end > at_ && (end == text_.size() || IsCssBlank(text_[end]))) {
                return ReadHex();
            }
        }
        if (!IsCssNameStart(Peek())) {
            return Fail(start, CssExpected::kColor);
        }
        const std::string name = LowerCase(ReadName());
        if (Peek() == '(') {
            ++at_;
            return ReadFunction(name, start);
        }
        if (name == "transparent") {
            return CssColor{0.0, 0.0, 0.0, 0.0};
        }
        if (const std::optional<std::uint32_t> rgb = NamedCssColor(name)) {
            return FromEncoded(
                {static_cast<double>((*rgb >> 16) & 0xFFu),
                 static_cast<double>((*rgb >> 8) & 0xFFu), static_cast<double>(*rgb & 0xFFu)},
                1.0);
        }
        return Fail(start, CssExpected::kColor);
    }

    // #rgb, #rgba, #rrggbb or #rrggbbaa, the "#" already read.
    std::optional<CssColor> ReadHex() {
        const std::size_t start = at_;
        while (at_ < text_.size() && IsHexDigit(text_[at_])) {
            ++at_;
        }
        if (IsCssNameCharacter(Peek())) {
            return Fail(at_, CssExpected::kHexDigits);
        }
        const std::string_view digits = text_.substr(start, at_ - start);
        const bool shortForm = digits.size() == 3 || digits.size() == 4;
        if (!shortForm && digits.size() != 6 && digits.size() != 8) {
            return Fail(start, CssExpected::kHexDigits);
        }
        std::array<double, 4> channels{0.0, 0.0, 0.0, kChannelMax};
        const std::size_t count = shortForm ? digits.size() : digits.size() / 2;
        for (std::size_t i = 0; i < count; ++i) {
            channels[i] =
                shortForm ? HexDigitValue(digits[i]) * 17
                          : HexDigitValue(digits[2 * i]) * 16 + HexDigitValue(digits[2 * i + 1]);
        }
        return FromEncoded({channels[0], channels[1], channels[2]}, channels[3] / kChannelMax);
    }

    std::optional<CssColor> ReadFunction(const std::string& name, std::size_t start) {
        if (name == "rgb" || name == "rgba") {
            return ReadRgb();
        }
        if (name == "color") {
            notation_ = ColorNotation::kModern;
            return ReadPredefined();
        }
        const auto function =
            std::find_if(std::begin(kSpaceFunctions), std::end(kSpaceFunctions),
                         [&](const SpaceFunction& candidate) { return name == candidate.name; });
        if (function == std::end(kSpaceFunctions)) {
            return Fail(start, CssExpected::kColor);
        }
        if (function->space != InterpolationSpace::kHsl &&
            function->space != InterpolationSpace::kHwb) {
            notation_ = ColorNotation::kModern;
        }
        std::array<Accepts, 3> kinds{};
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            kinds[i] = function->rules[i].accepts;
        }
        const auto arguments = ReadArguments(kinds, function->legacy);
        if (!arguments) {
            return std::nullopt;
        }
        return InSpace(*arguments, function->space, function->rules);
    }

    std::optional<CssColor> ReadRgb() {
        constexpr Accepts kEither = Accepts::kNumberOrPercentage;
        const auto arguments = ReadArguments({kEither, kEither, kEither}, Legacy::kRgb);
        if (!arguments) {
            return std::nullopt;
        }
        std::array<double, 3> channels{};
        for (std::size_t i = 0; i < channels.size(); ++i) {
            channels[i] = std::clamp(Scaled(arguments->channels[i], kChannelMax), 0.0, kChannelMax);
        }
        CssColor color = FromEncoded({channels[0], channels[1], channels[2]}, arguments->alpha);
        color.missing = Missing(*arguments, InterpolationSpace::kSrgb);
        return color;
    }

    // color(space c1 c2 c3 [/ alpha]), "color(" already read.
    std::optional<CssColor> ReadPredefined() {
        SkipBlanks();
        const std::size_t nameStart = at_;
        const std::string name = LowerCase(ReadName());
        const auto predefined =
            std::find_if(std::begin(kPredefinedSpaces), std::end(kPredefinedSpaces),
                         [&](const PredefinedSpace& candidate) { return name == candidate.name; });
        if (predefined == std::end(kPredefinedSpaces)) {
            return Fail(nameStart, CssExpected::kColorSpace);
        }
        constexpr Accepts kEither = Accepts::kNumberOrPercentage;
        const auto arguments = ReadArguments({kEither, kEither, kEither}, Legacy::kNone);
        if (!arguments) {
            return std::nullopt;
        }
        return InSpace(*arguments, predefined->space,
                       {kPredefinedRule, kPredefinedRule, kPredefinedRule});
    }

    static CssColor InSpace(const Arguments& arguments, InterpolationSpace space,
                            const std::array<ComponentRule, 3>& rules) {
        SpaceComponents components{};
        for (std::size_t i = 0; i < components.size(); ++i) {
            components[i] = Resolved(arguments.channels[i], rules[i]);
        }
        CssColor color = ColorFromSpace(components, space, arguments.alpha);
        color.missing = Missing(arguments, space);
        return color;
    }

    static MissingComponents Missing(const Arguments& arguments, InterpolationSpace space) {
        MissingComponents missing;
        const std::array<ColorComponent, 3> kinds = ComponentKinds(space);
        for (std::size_t i = 0; i < kinds.size(); ++i) {
            if (arguments.channels[i].unit == Unit::kNoneKeyword) {
                missing.Add(kinds[i]);
            }
        }
        if (arguments.alphaMissing) {
            missing.Add(ColorComponent::kAlpha);
        }
        return missing;
    }

    // The arguments after "(" up to and including ")": three components separated by blanks
    // and an optional "/ alpha", or, where the function has one, the comma syntax of old.
    std::optional<Arguments> ReadArguments(const std::array<Accepts, 3>& kinds, Legacy legacy) {
        Arguments arguments;
        const auto first = ReadComponent(kinds[0], Syntax::kModern);
        if (!first) {
            return std::nullopt;
        }
        arguments.channels[0] = *first;
        SkipBlanks();
        if (legacy != Legacy::kNone && Peek() == ',' && first->unit != Unit::kNoneKeyword) {
            return ReadLegacyArguments(arguments, legacy);
        }
        for (std::size_t i = 1; i < kinds.size(); ++i) {
            const auto component = ReadComponent(kinds[i], Syntax::kModern);
            if (!component) {
                return std::nullopt;
            }
            arguments.channels[i] = *component;
        }
        return ReadAlphaAndClose(arguments, Syntax::kModern);
    }

    // rgb(r, g, b[, alpha]) with all numbers or all percentages, hsl(h, s%, l%[, alpha]); the
    // first component read, the comma after it next.
    std::optional<Arguments> ReadLegacyArguments(Arguments& arguments, Legacy legacy) {
        Accepts rest = Accepts::kPercentage;
        if (legacy == Legacy::kRgb && arguments.channels[0].unit == Unit::kPlain) {
            rest = Accepts::kNumber;
        }
        for (std::size_t i = 1; i < arguments.channels.size(); ++i) {
            if (!ReadComma()) {
                return std::nullopt;
            }
            const auto component = ReadComponent(rest, Syntax::kComma);
            if (!component) {
                return std::nullopt;
            }
            arguments.channels[i] = *component;
        }
        return ReadAlphaAndClose(arguments, Syntax::kComma);
    }

    // An optional alpha ("/ alpha", or ", alpha" in the comma syntax), then ")".
    std::optional<Arguments> ReadAlphaAndClose(Arguments& arguments, Syntax syntax) {
        const char separator = syntax == Syntax::kModern ? '/' : ',';
        SkipBlanks();
        if (Peek() == separator) {
            ++at_;
            const auto alpha = ReadComponent(Accepts::kNumberOrPercentage, syntax);
            if (!alpha) {
                return std::nullopt;
            }
            arguments.alpha = std::clamp(Scaled(*alpha, 1.0), 0.0, 1.0);
            arguments.alphaMissing = alpha->unit == Unit::kNoneKeyword;
        } else if (Peek() != ')') {
            return Fail(at_, syntax == Syntax::kModern ? CssExpected::kSlashOrClose
                                                       : CssExpected::kCommaOrClose);
        }
        SkipBlanks();
        if (Peek() != ')') {
            return Fail(at_, CssExpected::kClose);
        }
        ++at_;
        return arguments;
    }

    bool ReadComma() {
        SkipBlanks();
        if (Peek() != ',') {
            Fail(at_, CssExpected::kComma);
            return false;
        }
        ++at_;
        return true;
    }

    // A number, a percentage, a number with an angle unit or "none", blanks before it.
    std::optional<Component> ReadComponent(Accepts accepts, Syntax syntax) {
        SkipBlanks();
        const std::size_t start = at_;
        const bool noneAllowed = syntax == Syntax::kModern;
        const auto refuse = [&] { return Fail(start, ExpectedOf(accepts), noneAllowed); };
        if (IsCssNameStart(Peek()) && !StartsNumber()) {
            if (noneAllowed && LowerCase(ReadName()) == "none") {
                return Component{0.0, Unit::kNoneKeyword};
            }
            return refuse();
        }
        const std::optional<double> number = ReadNumber();
        if (!number) {
            return refuse();
        }
        Component component{*number, Unit::kPlain};
        if (Peek() == '%') {
            ++at_;
            component.unit = Unit::kPercent;
        } else if (IsCssNameStart(Peek())) {
            const std::optional<double> degrees = AngleDegrees(*number, ReadName());
            if (!degrees) {
                return refuse();
            }
            component = {*degrees, Unit::kDegrees};
        }
        if (!Takes(accepts, component.unit)) {
            return refuse();
        }
        return component;
    }

    bool StartsNumber() const { return StartsCssNumber(text_, at_); }

    std::optional<double> ReadNumber() { return ReadCssNumber(text_, at_); }

    std::string_view text_;
    HexHash hash_;
    std::size_t at_ = 0;
    CssColorError error_;
    ColorNotation notation_ = ColorNotation::kLegacy;
};

}  // namespace

CssColorReading ReadCssColor(std::string_view text, HexHash hash) {
    return Reader(text, hash).Read();
}

}  // namespace tonzug
