#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tonzug {

// Key filter of the numeric fields: digits, "+", "-", Backspace, Tab, Enter and the
// clipboard keys Ctrl+C, Ctrl+V, Ctrl+X pass. Any other code is set to 0 (the field drops
// the key). True when the key passes.
bool FilterNumericKey(std::int16_t& key);

// Text pasted or dropped into a numeric field, cleaned as typing it would have been: the
// characters the key filter refuses are dropped ("1920px" gives "1920", "50 %" gives "50")
// and a decimal fraction ends the number ("12.5" gives "12", not "125"). Empty when no
// digit is left: such a text is refused and the field keeps what it had.
std::optional<std::string> NumericFieldText(std::string_view text);

}  // namespace tonzug
