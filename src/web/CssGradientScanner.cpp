#include "web/CssGradientScanner.h"

#include <vector>

#include "color/CssSyntax.h"
#include "support/TextHelpers.h"

namespace tonzug {
namespace {

constexpr double kPercent = 100.0;
constexpr double kPixelsPerInch = 96.0;
constexpr std::size_t kMostPositionValues = 4;

using enum CssGradientExpected;

std::optional<double> LengthPixels(double value, std::string_view unit) {
    static constexpr std::array<std::pair<std::string_view, double>, 7> kUnits{{
        {"px", 1.0},
        {"in", kPixelsPerInch},
        {"cm", kPixelsPerInch / 2.54},
        {"mm", kPixelsPerInch / 25.4},
        {"q", kPixelsPerInch / 101.6},
        {"pt", kPixelsPerInch / 72.0},
        {"pc", kPixelsPerInch / 6.0},
    }};
    for (const auto& [name, pixels] : kUnits) {
        if (TextEquals(unit, name, CompareMode::kIgnoreCase)) {
            return value * pixels;
        }
    }
    return std::nullopt;
}

// One value of a <position>: a keyword or a length-percentage.
struct PositionValue {
    CssPositionWord word = CssPositionWord::kNone;
    LengthPercentage length;
    std::size_t start = 0;
};

// A keyword as a percentage along its axis; the length as written otherwise.
LengthPercentage Along(const PositionValue& value) {
    switch (value.word) {
        case CssPositionWord::kLeft:
        case CssPositionWord::kTop:
            return {0.0, 0.0};
        case CssPositionWord::kCenter:
            return {kPercent / 2.0, 0.0};
        case CssPositionWord::kRight:
        case CssPositionWord::kBottom:
            return {kPercent, 0.0};
        case CssPositionWord::kNone:
            break;
    }
    return value.length;
}

// "right 10px" is 10px in from the right: 100% - 10px.
LengthPercentage WithOffset(CssPositionWord edge, const LengthPercentage& offset) {
    if (edge == CssPositionWord::kRight || edge == CssPositionWord::kBottom) {
        return {kPercent - offset.percent, -offset.pixels};
    }
    return offset;
}

// The functions below give where a position goes wrong, if it does.
std::optional<std::size_t> PlaceOne(const PositionValue& value, BoxPosition& position) {
    if (IsVertical(value.word)) {
        position.y = Along(value);
    } else {
        position.x = Along(value);
    }
    return std::nullopt;
}

std::optional<std::size_t> PlaceTwo(const PositionValue& first, const PositionValue& second,
                                    BoxPosition& position) {
    const bool swapped = IsVertical(first.word) || IsHorizontal(second.word);
    const PositionValue& x = swapped ? second : first;
    const PositionValue& y = swapped ? first : second;
    // Swapped keywords go together only with keywords.
    const auto fitsX = [&](const PositionValue& value) {
        return !IsVertical(value.word) && (!swapped || value.word != CssPositionWord::kNone);
    };
    const auto fitsY = [&](const PositionValue& value) {
        return !IsHorizontal(value.word) && (!swapped || value.word != CssPositionWord::kNone);
    };
    if (!fitsX(x)) {
        return x.start;
    }
    if (!fitsY(y)) {
        return y.start;
    }
    position = {Along(x), Along(y)};
    return std::nullopt;
}

// [left|right] <offset> && [top|bottom] <offset>
std::optional<std::size_t> PlaceFour(const std::vector<PositionValue>& values,
                                     BoxPosition& position) {
    for (std::size_t offset : {1, 3}) {
        if (values[offset].word != CssPositionWord::kNone) {
            return values[offset].start;
        }
    }
    const bool swapped = IsVertical(values[0].word);
    const PositionValue& x = swapped ? values[2] : values[0];
    const PositionValue& y = swapped ? values[0] : values[2];
    if (!IsHorizontal(x.word)) {
        return x.start;
    }
    if (!IsVertical(y.word)) {
        return y.start;
    }
    position = {WithOffset(x.word, values[swapped ? 3 : 1].length),
                WithOffset(y.word, values[swapped ? 1 : 3].length)};
    return std::nullopt;
}

}  // namespace

bool IsHorizontal(CssPositionWord word) {
    return word == CssPositionWord::kLeft || word == CssPositionWord::kRight;
}

bool IsVertical(CssPositionWord word) {
    return word == CssPositionWord::kTop || word == CssPositionWord::kBottom;
}

void CssGradientScanner::SkipBlanks() {
    while (at_ < text_.size() && IsCssBlank(text_[at_])) {
        ++at_;
    }
}

std::nullopt_t CssGradientScanner::Fail(std::size_t byte, CssGradientExpected expected) {
    error_.character = CharacterIndex(text_, byte);
    error_.expected = expected;
    return std::nullopt;
}

std::string_view CssGradientScanner::NameAhead() const {
    if (!IsCssNameStart(Peek()) || StartsCssNumber(text_, at_)) {
        return {};
    }
    std::size_t end = at_;
    while (end < text_.size() && IsCssNameCharacter(text_[end])) {
        ++end;
    }
    return text_.substr(at_, end - at_);
}

bool CssGradientScanner::FunctionAhead(std::string_view name) const {
    const std::string_view ahead = NameAhead();
    return TextEquals(ahead, name, CompareMode::kIgnoreCase) && at_ + ahead.size() < text_.size() &&
           text_[at_ + ahead.size()] == '(';
}

bool CssGradientScanner::TakeKeyword(std::string_view keyword) {
    SkipBlanks();
    const std::string_view ahead = NameAhead();
    if (!TextEquals(ahead, keyword, CompareMode::kIgnoreCase) || FunctionAhead(keyword)) {
        return false;
    }
    at_ += ahead.size();
    return true;
}

void CssGradientScanner::SkipParentheses(std::size_t open) {
    std::size_t depth = 0;
    for (at_ = open; at_ < text_.size(); ++at_) {
        if (text_[at_] == '(') {
            ++depth;
        } else if (text_[at_] == ')' && --depth == 0) {
            ++at_;
            return;
        }
    }
}

bool CssGradientScanner::StartsValue() const {
    return StartsCssNumber(text_, at_) || FunctionAhead("calc");
}

std::optional<CssSum> CssGradientScanner::ReadSum(CssQuantity quantity, CssPercentages percentages,
                                                  CssGradientExpected expected) {
    SkipBlanks();
    if (!FunctionAhead("calc")) {
        return ReadTerm(quantity, percentages, expected);
    }
    at_ += std::string_view("calc(").size();
    std::optional<CssSum> sum = ReadTerm(quantity, percentages, expected);
    while (sum) {
        SkipBlanks();
        if (Peek() == ')') {
            ++at_;
            return sum;
        }
        const char operation = Peek();
        // CSS wants blanks around "+" and "-" in calc().
        if ((operation != '+' && operation != '-') || at_ + 1 >= text_.size() ||
            !IsCssBlank(text_[at_ + 1])) {
            return Fail(at_, kClose);
        }
        ++at_;
        const std::optional<CssSum> term = ReadTerm(quantity, percentages, expected);
        if (!term) {
            return std::nullopt;
        }
        const double sign = operation == '+' ? 1.0 : -1.0;
        sum->percent += sign * term->percent;
        sum->absolute += sign * term->absolute;
    }
    return sum;
}

std::optional<CssSum> CssGradientScanner::ReadTerm(CssQuantity quantity, CssPercentages percentages,
                                                   CssGradientExpected expected) {
    SkipBlanks();
    const std::size_t start = at_;
    const std::optional<double> number = ReadCssNumber(text_, at_);
    if (!number) {
        return Fail(start, expected);
    }
    if (Peek() == '%') {
        ++at_;
        if (percentages == CssPercentages::kRefused) {
            return Fail(start, expected);
        }
        return CssSum{*number, 0.0};
    }
    const std::string_view unit = NameAhead();
    at_ += unit.size();
    if (unit.empty() && *number == 0.0) {
        return CssSum{};
    }
    const std::optional<double> absolute = quantity == CssQuantity::kLength
                                               ? LengthPixels(*number, unit)
                                               : AngleDegrees(*number, unit);
    if (!absolute) {
        return Fail(start, expected);
    }
    return CssSum{0.0, *absolute};
}

bool CssGradientScanner::ReadPosition(BoxPosition& position) {
    std::vector<PositionValue> values;
    while (values.size() < kMostPositionValues) {
        SkipBlanks();
        PositionValue value{CssPositionWord::kNone, {}, at_};
        if (const auto word = TakeKeywordOf(kCssPositionWords)) {
            value.word = *word;
        } else if (StartsValue()) {
            const auto sum = ReadSum(CssQuantity::kLength, CssPercentages::kAllowed, kPosition);
            if (!sum) {
                return false;
            }
            value.length = {sum->percent, sum->absolute};
        } else {
            break;
        }
        values.push_back(value);
    }
    std::optional<std::size_t> wrong;
    switch (values.size()) {
        case 1:
            wrong = PlaceOne(values[0], position);
            break;
        case 2:
            wrong = PlaceTwo(values[0], values[1], position);
            break;
        case 4:
            wrong = PlaceFour(values, position);
            break;
        default:
            wrong = at_;
    }
    if (wrong) {
        Fail(*wrong, kPosition);
        return false;
    }
    return true;
}

}  // namespace tonzug
