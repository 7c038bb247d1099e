#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

#include "render/FreeGradient.h"
#include "web/CssGradientReader.h"

namespace tonzug {

// The absolute part a sum holds: pixels along a line, or degrees round a conic centre.
enum class CssQuantity { kLength, kAngle };
enum class CssPercentages { kAllowed, kRefused };

// A percentage plus an absolute part, as a value or a calc() sum gives it.
struct CssSum {
    double percent = 0.0;
    double absolute = 0.0;
};

enum class CssPositionWord { kLeft, kCenter, kRight, kTop, kBottom, kNone };

inline constexpr std::array<std::pair<std::string_view, CssPositionWord>, 5> kCssPositionWords{{
    {"left", CssPositionWord::kLeft},
    {"center", CssPositionWord::kCenter},
    {"right", CssPositionWord::kRight},
    {"top", CssPositionWord::kTop},
    {"bottom", CssPositionWord::kBottom},
}};

bool IsHorizontal(CssPositionWord word);
bool IsVertical(CssPositionWord word);

// The reading place in a gradient's text, and the values that recur in it: keywords,
// lengths, angles, calc() sums and positions. What fails is noted in error_.
class CssGradientScanner {
  public:
    explicit CssGradientScanner(std::string_view text) : text_(text) {}

  protected:
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void SkipBlanks();
    std::nullopt_t Fail(std::size_t byte, CssGradientExpected expected);

    // The name at the reading place, without moving; empty where a number starts.
    std::string_view NameAhead() const;
    bool FunctionAhead(std::string_view name) const;
    // Reads the keyword (any letter case) when it is next, blanks before it skipped.
    bool TakeKeyword(std::string_view keyword);

    template <typename Value, std::size_t kCount>
    std::optional<Value> TakeKeywordOf(
        const std::array<std::pair<std::string_view, Value>, kCount>& words) {
        for (const auto& [word, value] : words) {
            if (TakeKeyword(word)) {
                return value;
            }
        }
        return std::nullopt;
    }

    // Past the ")" that closes the "(" at `open`, or to the end of the text.
    void SkipParentheses(std::size_t open);

    // Whether a number or a calc() sum comes next.
    bool StartsValue() const;
    // A percentage, a length or an angle, "0" alone, or a calc() sum of such values.
    std::optional<CssSum> ReadSum(CssQuantity quantity, CssPercentages percentages,
                                  CssGradientExpected expected);
    // CSS's <position>: one, two or four values.
    bool ReadPosition(BoxPosition& position);

    std::string_view text_;
    std::size_t at_ = 0;
    CssGradientError error_;

  private:
    std::optional<CssSum> ReadTerm(CssQuantity quantity, CssPercentages percentages,
                                   CssGradientExpected expected);
};

}  // namespace tonzug
