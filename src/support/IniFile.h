#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tonzug {

// The longest value a string read gives back; longer values are cut.
inline constexpr std::size_t kMaxIniValueLength = 4095;
// Settings and parameter files are a few hundred bytes; anything larger is no such file, and
// reading it whole would cost memory and time for nothing.
inline constexpr std::size_t kMaxIniFileBytes = std::size_t{1} << 20;

// The reading rules of the string and integer readers, applied to a value already looked
// up (empty when missing): the string cut to kMaxIniValueLength, the fallback when missing or
// empty; the leading decimal integer saturated to 32 bits, the fallback when missing or not
// starting with a number.
std::string IniStringValue(std::optional<std::string_view> value, const std::string& fallback);
std::int32_t IniIntValue(std::optional<std::string_view> value, std::int32_t fallback);
// The leading decimal integer as written, not saturated: sign (only "-") and digits without
// leading zeros. Empty when the value does not start with a number.
std::optional<std::string> IniIntegerText(std::string_view value);

// The keys of one section, gathered in one pass so that looking up many keys does not scan
// the file again for each. The first of two equal keys counts, as for IniDocument::Get.
class IniSection {
  public:
    std::optional<std::string_view> Get(std::string_view key) const;

  private:
    friend class IniDocument;
    std::unordered_map<std::string, std::string> values_;  // keys in upper case
};

// An INI file held as its lines, so that writing keeps everything it does not touch:
// other sections and keys, comments (";" or "#"), blank lines and the line-end style.
// Section and key names compare ignoring ASCII case; blanks around names and values do
// not count.
class IniDocument {
  public:
    // Reads the file. A missing file gives an empty document and false; so does a file that
    // cannot be read or is refused (no regular file, larger than kMaxIniFileBytes, not enough
    // memory), and then Save refuses to replace it. Never throws.
    bool Load(const std::string& path);
    // Why the last Load refused the file, in plain words; empty after a read or a missing file.
    const std::string& LoadProblem() const { return loadProblem_; }

    // The section's keys; empty when the document has no such section.
    std::optional<IniSection> Section(std::string_view section) const;

    // The stored value, blanks around it removed, uncut; empty when section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the key's value in place, or adds the key after the last key of its section,
    // or adds the section at the end. False (nothing changed) for names or a value that
    // would break the file's structure: empty names, line breaks, "=" in a key, "]" in a
    // section name.
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // Writes the document in one step (temporary file and rename): the old file stays whole
    // when anything fails. False on failure.
    bool Save(const std::string& path) const;

    // The file's text as Save writes it.
    std::string Text() const;

  private:
    std::optional<std::size_t> FindSection(std::string_view section) const;
    // The line of the key within the section that starts at line header.
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;

    std::vector<std::string> lines_;
    bool crlf_ = false;
    bool byteOrderMark_ = false;
    std::string loadProblem_;
};

}  // namespace tonzug
