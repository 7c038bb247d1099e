#include "support/TextHelpers.h"

#include <algorithm>
#include <array>

namespace tonzug {
namespace {

char FoldCase(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Position of find in text from start on, or npos.
std::size_t FindText(std::string_view text, std::string_view find, std::size_t start,
                     CompareMode mode) {
    if (mode == CompareMode::kExact) {
        return text.find(find, start);
    }
    if (find.size() > text.size()) {
        return std::string_view::npos;
    }
    for (std::size_t position = start; position + find.size() <= text.size(); ++position) {
        if (TextEquals(text.substr(position, find.size()), find, mode)) {
            return position;
        }
    }
    return std::string_view::npos;
}

}  // namespace

bool FilterNumericKey(std::int16_t& key) {
    constexpr std::array<std::int16_t, 7> kEditingKeys = {8, 9, 13, 3, 22, 24, '+'};
    const bool passes =
        (key >= '0' && key <= '9') || key == '-' ||
        std::find(kEditingKeys.begin(), kEditingKeys.end(), key) != kEditingKeys.end();
    if (!passes) {
        key = 0;
    }
    return key != 0;
}

std::int32_t HexDigitValue(char c) {
    const char folded = FoldCase(c);
    if (folded >= 'A' && folded <= 'F') {
        return folded - 'A' + 10;
    }
    if (folded >= '0' && folded <= '9') {
        return folded - '0';
    }
    return 0;
}

double HexToNumber(std::string_view text) {
    const std::string digits = TrimBlanks(text);
    if (digits.size() < 2) {
        return 0.0;
    }
    double result = 0.0;
    for (const char digit : digits) {
        result = result * 16.0 + HexDigitValue(digit);
    }
    return result;
}

double MaxOf(std::initializer_list<double> values) {
    if (values.size() == 0) {
        return 0.0;
    }
    double largest = *values.begin();
    for (const double value : values) {
        if (value > largest) {
            largest = value;
        }
    }
    return largest;
}

double MinOf(std::initializer_list<double> values) {
    if (values.size() == 0) {
        return 0.0;
    }
    double smallest = *values.begin();
    for (const double value : values) {
        if (value < smallest) {
            smallest = value;
        }
    }
    return smallest;
}

bool TextEquals(std::string_view left, std::string_view right, CompareMode mode) {
    if (mode == CompareMode::kExact) {
        return left == right;
    }
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(),
                      [](char a, char b) { return FoldCase(a) == FoldCase(b); });
}

std::int32_t ReplaceAll(std::string& text, std::string_view find, std::string_view replacement,
                        CompareMode mode) {
    if (find.empty()) {
        return 0;
    }
    std::int32_t count = 0;
    std::size_t position = FindText(text, find, 0, mode);
    while (position != std::string::npos) {
        text.replace(position, find.size(), replacement);
        ++count;
        position = FindText(text, find, position + replacement.size(), mode);
    }
    return count;
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace tonzug
