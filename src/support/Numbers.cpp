#include "support/Numbers.h"

#include <langinfo.h>
#include <locale.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "support/TextHelpers.h"

namespace tonzug {
namespace {

constexpr char kNoGrouping = '\0';
// Enough to tell a huge exponent from a merely large one; caps the running sum.
constexpr std::int32_t kExponentCap = 100000;

NumberFormat& CurrentFormat() {
    static NumberFormat format = NumberFormatFromEnvironment();
    return format;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One byte of a locale string, or nothing when it is empty or longer (a multibyte sign).
std::optional<char> SingleByte(const char* text) {
    if (text == nullptr || text[0] == '\0' || text[1] != '\0') {
        return std::nullopt;
    }
    return text[0];
}

// A number read from the start of a text, and how many characters it took.
struct ScannedNumber {
    double value = 0.0;
    std::size_t length = 0;
};

// "&H" or "&O" followed by digits of that base. Values up to 32 bits wrap into the signed
// 32-bit range; values up to 16 bits into the 16-bit range when asked (the leading-number
// rule types a short constant as a 16-bit integer).
std::optional<ScannedNumber> ScanRadixNumber(std::string_view text, bool shortWrapsTo16Bits) {
    if (text.size() < 3 || text[0] != '&') {
        return std::nullopt;
    }
    const char prefix = text[1];
    const std::int32_t base = (prefix == 'H' || prefix == 'h')   ? 16
                              : (prefix == 'O' || prefix == 'o') ? 8
                                                                 : 0;
    if (base == 0) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    std::size_t position = 2;
    for (; position < text.size(); ++position) {
        const std::int32_t digit = HexDigitValue(text[position]);
        if (digit < 0 || digit >= base) {
            break;
        }
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;  // overflow
        }
    }
    if (position == 2) {
        return std::nullopt;
    }
    const double wrapped =
        shortWrapsTo16Bits && value <= 0xFFFFu
            ? static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)))
            : static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    return ScannedNumber{wrapped, position};
}

// An optional sign, digits (with group separators between them, when a separator is given),
// an optional fraction and an optional exponent ("e" or "d"). An exponent without digits is
// not taken. Empty when no digit was found or the value is beyond the double range.
std::optional<ScannedNumber> ScanDecimalNumber(std::string_view text, char decimalPoint,
                                               char groupSeparator) {
    std::size_t position = 0;
    bool negative = false;
    if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
        negative = text[position] == '-';
        ++position;
    }
    std::string plain;           // the digits in the form that from_chars reads
    std::int32_t magnitude = 0;  // decimal exponent of the leading significant digit, roughly
    bool significant = false;
    bool anyDigit = false;
    for (; position < text.size(); ++position) {
        const char c = text[position];
        if (IsDigit(c)) {
            anyDigit = true;
            significant = significant || c != '0';
            if (significant) {
                ++magnitude;
            }
            plain.push_back(c);
        } else if (groupSeparator != kNoGrouping && c == groupSeparator && anyDigit &&
                   position + 1 < text.size() && IsDigit(text[position + 1])) {
            continue;
        } else {
            break;
        }
    }
    if (position < text.size() && text[position] == decimalPoint) {
        std::size_t fractionEnd = position + 1;
        while (fractionEnd < text.size() && IsDigit(text[fractionEnd])) {
            if (!significant) {
                significant = text[fractionEnd] != '0';
                if (!significant) {
                    --magnitude;
                }
            }
            ++fractionEnd;
        }
        if (fractionEnd > position + 1 || anyDigit) {
            anyDigit = anyDigit || fractionEnd > position + 1;
            plain.push_back('.');
            plain.append(text.substr(position + 1, fractionEnd - position - 1));
            position = fractionEnd;
        }
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    if (position < text.size() && (text[position] == 'e' || text[position] == 'E' ||
                                   text[position] == 'd' || text[position] == 'D')) {
        std::size_t exponentEnd = position + 1;
        bool exponentNegative = false;
        if (exponentEnd < text.size() && (text[exponentEnd] == '+' || text[exponentEnd] == '-')) {
            exponentNegative = text[exponentEnd] == '-';
            ++exponentEnd;
        }
        const std::size_t digitsStart = exponentEnd;
        std::int32_t exponent = 0;
        while (exponentEnd < text.size() && IsDigit(text[exponentEnd])) {
            if (exponent < kExponentCap) {
                exponent = exponent * 10 + (text[exponentEnd] - '0');
            }
            ++exponentEnd;
        }
        if (exponentEnd > digitsStart) {
            plain.push_back('e');
            if (exponentNegative) {
                plain.push_back('-');
            }
            plain.append(std::to_string(exponent));
            magnitude += exponentNegative ? -exponent : exponent;
            position = exponentEnd;
        }
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        if (!significant || magnitude <= 0) {
            value = 0.0;  // too small for a double: it reads as zero
        } else {
            return std::nullopt;
        }
    } else if (error != std::errc() || end != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return ScannedNumber{negative ? -value : value, position};
}

}  // namespace

std::int32_t HexDigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
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

NumberFormat UserNumberFormat() {
    return CurrentFormat();
}

void SetUserNumberFormat(NumberFormat format) {
    CurrentFormat() = format;
}

NumberFormat NumberFormatFromEnvironment() {
    NumberFormat format;
    const locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) {
        return format;
    }
    format.decimalPoint = SingleByte(nl_langinfo_l(RADIXCHAR, locale)).value_or('.');
    format.groupSeparator = SingleByte(nl_langinfo_l(THOUSEP, locale)).value_or(',');
    freelocale(locale);
    if (format.groupSeparator == format.decimalPoint) {
        format.groupSeparator = kNoGrouping;
    }
    return format;
}

std::optional<double> ParseUserNumber(std::string_view text) {
    text = TrimWhitespace(text);
    std::optional<ScannedNumber> number = ScanRadixNumber(text, false);
    if (!number) {
        const NumberFormat format = UserNumberFormat();
        const char grouping =
            format.groupSeparator == format.decimalPoint ? kNoGrouping : format.groupSeparator;
        number = ScanDecimalNumber(text, format.decimalPoint, grouping);
    }
    if (!number || number->length != text.size()) {
        return std::nullopt;
    }
    return number->value;
}

std::optional<std::int32_t> TextToInt32(std::string_view text) {
    const std::optional<double> value = ParseUserNumber(text);
    return value ? RoundToInt32(*value) : std::nullopt;
}

std::optional<float> TextToSingle(std::string_view text) {
    const std::optional<double> value = ParseUserNumber(text);
    if (!value || std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return static_cast<float>(*value);
}

double LeadingNumber(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact.push_back(c);
        }
    }
    std::optional<ScannedNumber> number = ScanRadixNumber(compact, true);
    if (!number) {
        number = ScanDecimalNumber(compact, '.', kNoGrouping);
    }
    return number ? number->value : 0.0;
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (std::isnan(value)) {
        return std::nullopt;
    }
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        rounded = lower + 1.0;
    }
    if (rounded < -2147483648.0 || rounded > 2147483647.0) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int16_t> NarrowToInt16(std::int64_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

std::string IntegerText(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace tonzug
