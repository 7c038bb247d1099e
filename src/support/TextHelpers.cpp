#include "support/TextHelpers.h"

#include <algorithm>

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

bool IsWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view TrimWhitespace(std::string_view text) {
    while (!text.empty() && IsWhitespace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsWhitespace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

namespace {

std::string HexEscape(const char* prefix, unsigned value, int digits) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text(prefix);
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        text += kHex[(value >> shift) & 0xFu];
    }
    return text;
}

// The length of the well-formed UTF-8 sequence at the start of text, 0 if there is none.
std::size_t Utf8SequenceLength(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    unsigned code = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3Fu);
    }
    const bool valid = code >= smallest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? length : 0;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
    std::string escaped;
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.front());
        std::size_t taken = 1;
        if (byte == '\n') {
            escaped += "\\n";
        } else if (byte == '\r') {
            escaped += "\\r";
        } else if (byte == '\t') {
            escaped += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            escaped += HexEscape("\\x", byte, 2);
        } else if (byte < 0x80) {
            escaped += static_cast<char>(byte);
        } else if ((taken = Utf8SequenceLength(text)) == 0) {
            taken = 1;
            escaped += HexEscape("\\x", byte, 2);
        } else if (taken == 2 && byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
            // C1 controls (U+0080..U+009F): some terminals act on them as escape sequences.
            escaped += HexEscape("\\u", static_cast<unsigned char>(text[1]), 4);
        } else {
            escaped.append(text.substr(0, taken));
        }
        text.remove_prefix(taken);
    }
    return escaped;
}

}  // namespace tonzug
