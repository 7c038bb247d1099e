#include "support/IniFile.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "support/AtomicFile.h"
#include "support/BoundedFile.h"
#include "support/TextHelpers.h"

namespace tonzug {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimSpace(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsComment(std::string_view trimmed) {
    return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// The name of a "[name]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view trimmed = TrimSpace(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const std::size_t close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return TrimSpace(trimmed.substr(1, close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

// The key and value of a "key=value" line.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
    const std::string_view trimmed = TrimSpace(line);
    if (trimmed.empty() || trimmed.front() == '[' || IsComment(trimmed)) {
        return std::nullopt;
    }
    const std::size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view key = TrimSpace(trimmed.substr(0, equals));
    if (key.empty()) {
        return std::nullopt;
    }
    return KeyLine{key, TrimSpace(trimmed.substr(equals + 1))};
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

// Cuts to at most maxBytes without splitting a UTF-8 sequence.
std::string CutText(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return std::string(text);
    }
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(text.substr(0, end));
}

// The sign and the digits of a leading decimal integer (optional sign).
struct IntegerDigits {
    bool negative = false;
    std::string_view digits;
};

std::optional<IntegerDigits> LeadingDigits(std::string_view text) {
    IntegerDigits result;
    result.negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    const std::size_t end = std::min(text.find_first_not_of("0123456789"), text.size());
    if (end == 0) {
        return std::nullopt;
    }
    result.digits = text.substr(0, end);
    return result;
}

// The leading decimal integer (optional sign), saturated to 32 bits.
std::optional<std::int32_t> LeadingInteger(std::string_view text) {
    const std::optional<IntegerDigits> leading = LeadingDigits(text);
    if (!leading) {
        return std::nullopt;
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (const char digit : leading->digits) {
        magnitude = std::min(kLimit, magnitude * 10 + (digit - '0'));
    }
    const std::int64_t value = leading->negative ? -magnitude : std::min(magnitude, kLimit - 1);
    return static_cast<std::int32_t>(value);
}

std::string UpperCaseKey(std::string_view key) {
    std::string upper(TrimSpace(key));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

}  // namespace

bool IniDocument::Load(const std::string& path) {
    lines_.clear();
    crlf_ = false;
    byteOrderMark_ = false;
    loadProblem_.clear();
    try {
        std::string content;
        bool missing = false;
        if (std::optional<std::string> problem =
                ReadBoundedFile(path, kMaxIniFileBytes, content, missing)) {
            if (!missing) {
                loadProblem_ = std::move(*problem);
            }
            return false;
        }
        std::string_view rest = content;
        if (rest.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            byteOrderMark_ = true;
            rest.remove_prefix(kByteOrderMark.size());
        }
        const std::size_t firstBreak = rest.find('\n');
        crlf_ =
            firstBreak != std::string_view::npos && firstBreak > 0 && rest[firstBreak - 1] == '\r';
        while (!rest.empty()) {
            const std::size_t lineEnd = rest.find('\n');
            std::string_view line = rest.substr(0, lineEnd);
            rest.remove_prefix(lineEnd == std::string_view::npos ? rest.size() : lineEnd + 1);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            lines_.emplace_back(line);
        }
        return true;
    } catch (const std::exception&) {
        lines_.clear();
        lines_.shrink_to_fit();
        loadProblem_ = "not enough memory to read it";
        return false;
    }
}

std::optional<IniSection> IniDocument::Section(std::string_view section) const {
    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    IniSection found;
    for (std::size_t index = *header + 1; index < lines_.size() && !SectionName(lines_[index]);
         ++index) {
        if (const std::optional<KeyLine> line = ParseKeyLine(lines_[index])) {
            found.values_.try_emplace(UpperCaseKey(line->key), line->value);
        }
    }
    return found;
}

std::optional<std::string_view> IniSection::Get(std::string_view key) const {
    const auto found = values_.find(UpperCaseKey(key));
    if (found == values_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::string IniStringValue(std::optional<std::string_view> value, const std::string& fallback) {
    if (!value || value->empty()) {
        return fallback;
    }
    return CutText(*value, kMaxIniValueLength);
}

std::int32_t IniIntValue(std::optional<std::string_view> value, std::int32_t fallback) {
    if (!value) {
        return fallback;
    }
    return LeadingInteger(*value).value_or(fallback);
}

std::optional<std::string> IniIntegerText(std::string_view value) {
    const std::optional<IntegerDigits> leading = LeadingDigits(value);
    if (!leading) {
        return std::nullopt;
    }
    const std::size_t firstNonZero = leading->digits.find_first_not_of('0');
    if (firstNonZero == std::string_view::npos) {
        return "0";
    }
    std::string text = leading->negative ? "-" : "";
    text.append(leading->digits.substr(firstNonZero));
    return text;
}

std::optional<std::size_t> IniDocument::FindSection(std::string_view section) const {
    const std::string_view wanted = TrimSpace(section);
    for (std::size_t index = 0; index < lines_.size(); ++index) {
        const std::optional<std::string_view> name = SectionName(lines_[index]);
        if (name && TextEquals(*name, wanted, CompareMode::kIgnoreCase)) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> IniDocument::FindKey(std::size_t header, std::string_view key) const {
    const std::string_view wanted = TrimSpace(key);
    for (std::size_t index = header + 1; index < lines_.size() && !SectionName(lines_[index]);
         ++index) {
        const std::optional<KeyLine> line = ParseKeyLine(lines_[index]);
        if (line && TextEquals(line->key, wanted, CompareMode::kIgnoreCase)) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view key) const {
    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        return std::nullopt;
    }
    const std::optional<std::size_t> line = FindKey(*header, key);
    if (!line) {
        return std::nullopt;
    }
    return std::string(ParseKeyLine(lines_[*line])->value);
}

namespace {

// Concatenation by appending: GCC 12 warns falsely (-Wrestrict) about "literal" + string.
std::string Joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

}  // namespace

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimSpace(section);
    key = TrimSpace(key);
    if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
        HasLineBreak(value) || section.find(']') != std::string_view::npos ||
        key.find('=') != std::string_view::npos || key.front() == '[' || IsComment(key)) {
        return false;
    }
    const std::optional<std::size_t> header = FindSection(section);
    if (!header) {
        lines_.push_back(Joined({"[", section, "]"}));
        lines_.push_back(Joined({key, "=", value}));
        return true;
    }
    if (const std::optional<std::size_t> existing = FindKey(*header, key)) {
        // Keeps the key's spelling as the file has it.
        const std::string storedKey(ParseKeyLine(lines_[*existing])->key);
        lines_[*existing] = Joined({storedKey, "=", value});
        return true;
    }
    std::size_t insertAt = *header + 1;
    for (std::size_t index = *header + 1; index < lines_.size() && !SectionName(lines_[index]);
         ++index) {
        if (ParseKeyLine(lines_[index])) {
            insertAt = index + 1;
        }
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Joined({key, "=", value}));
    return true;
}

std::string IniDocument::Text() const {
    const std::string_view lineEnd = crlf_ ? "\r\n" : "\n";
    std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
    for (const std::string& line : lines_) {
        text += line;
        text += lineEnd;
    }
    return text;
}

bool IniDocument::Save(const std::string& path) const {
    if (!loadProblem_.empty()) {
        return false;  // writing now would lose whatever the file holds
    }
    const std::string text = Text();
    AtomicFile file;
    return file.Open(path) && file.Write(text.data(), text.size()) && file.Commit();
}

}  // namespace tonzug
